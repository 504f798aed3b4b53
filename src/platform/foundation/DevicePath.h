#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace platform {

// Where a phone path ("/var/mobile/Library/...") lies on this machine: under the current
// process's device root. ".." never leads above that root. Every file operation of the platform
// goes through here.
std::filesystem::path devicePath(std::string_view phonePath);

// How many times the platform has written a file or made a folder, in any process so far. A
// reader that saw the same number before has missed no change the platform made; changes made
// behind its back it must look for itself.
std::uint64_t deviceFileChanges();
void noteDeviceFileChange();

}  // namespace platform
