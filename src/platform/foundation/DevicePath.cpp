#include "platform/foundation/DevicePath.h"

#include <atomic>

#include "platform/Process.h"

namespace platform {
namespace {

std::atomic<std::uint64_t> fileChanges{0};

}  // namespace

std::filesystem::path devicePath(std::string_view phonePath) {
    // Relative paths count from the phone's root; ".." at the root stays at the root.
    auto phone = (std::filesystem::path("/") / std::filesystem::path(phonePath)).lexically_normal();
    if (!phone.has_filename() && phone.has_relative_path()) {
        phone = phone.parent_path();
    }
    return Process::current().deviceRoot() / phone.relative_path();
}

std::uint64_t deviceFileChanges() {
    return fileChanges.load(std::memory_order_relaxed);
}

void noteDeviceFileChange() {
    fileChanges.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace platform
