#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// Where a phone path ("/var/mobile/Library/...") lies on this machine: under the current
// process's device root. ".." never leads above that root. Every file operation of the platform
// goes through here.
std::filesystem::path devicePath(std::string_view phonePath);

}  // namespace platform
