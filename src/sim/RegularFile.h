#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace sim {

// The whole of a regular file of at most `maxBytes`, or nothing with `error` saying why not
// ("is a folder, not a file", "is larger than 1048576 bytes"). Never blocks on a FIFO or a
// device and never reads more than the limit, whatever lies at the path.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                                           std::string& error);

}  // namespace sim
