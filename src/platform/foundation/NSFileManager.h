#pragma once

#include <string_view>

namespace platform {

class NSMutableDictionary;

// The file manager of the current process; paths are phone paths (see devicePath).
class NSFileManager {
public:
    static NSFileManager& defaultManager();

    bool fileExistsAtPath(std::string_view path) const;
    // Creates a folder. With intermediate folders, an existing folder counts as success;
    // without, the parent must exist and the folder must not. Attributes are not applied.
    bool createDirectoryAtPath(std::string_view path, bool withIntermediateDirectories,
                               const NSMutableDictionary* attributes = nullptr) const;
};

}  // namespace platform
