#pragma once

#include <filesystem>
#include <string>

namespace live {

// The session token kept in a file, so that a restarted server takes the token its open pages
// already hold: read from `path` when it holds one (32 hexadecimal digits), otherwise made
// afresh and written there, readable by its owner only. Throws std::runtime_error naming the
// file and what is wrong with it.
std::string keptToken(const std::filesystem::path& path);

}  // namespace live
