#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace sim {

// The folder of pictures this build made for the library's image folder, or nothing when the
// build had no converter to make them.
std::optional<std::filesystem::path> builtPictures();

// Copies every picture of `folder` into the current process's image folder, replacing what is
// there. False, with `error` saying what failed, when a file cannot be copied.
bool installPictures(const std::filesystem::path& folder, std::string& error);

}  // namespace sim
