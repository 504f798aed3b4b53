#include "platform/foundation/DevicePath.h"

#include "platform/Process.h"

namespace platform {

std::filesystem::path devicePath(std::string_view phonePath) {
    // Relative paths count from the phone's root; ".." at the root stays at the root.
    auto phone = (std::filesystem::path("/") / std::filesystem::path(phonePath)).lexically_normal();
    if (!phone.has_filename() && phone.has_relative_path()) {
        phone = phone.parent_path();
    }
    return Process::current().deviceRoot() / phone.relative_path();
}

}  // namespace platform
