#include "platform/foundation/NSFileManager.h"

#include <filesystem>
#include <system_error>

#include "platform/Process.h"
#include "platform/foundation/DevicePath.h"

namespace platform {

NSFileManager& NSFileManager::defaultManager() {
    return Process::current().attachment<NSFileManager>();
}

bool NSFileManager::fileExistsAtPath(std::string_view path) const {
    std::error_code ec;
    return std::filesystem::exists(devicePath(path), ec);
}

bool NSFileManager::createDirectoryAtPath(std::string_view path, bool withIntermediateDirectories,
                                          const NSMutableDictionary*) const {
    const auto folder = devicePath(path);
    std::error_code ec;
    bool made = false;
    if (withIntermediateDirectories) {
        std::filesystem::create_directories(folder, ec);
        made = !ec && std::filesystem::is_directory(folder, ec);
    } else {
        made = std::filesystem::create_directory(folder, ec) && !ec;
    }
    noteDeviceFileChange();
    return made;
}

}  // namespace platform
