#include "sim/Pictures.h"

#include <system_error>

#include "platform/foundation/DevicePath.h"
#include "snapforge/startup/LibraryClass.h"

namespace sim {

std::optional<std::filesystem::path> builtPictures() {
#ifdef SNAPFORGE_PICTURES_DIR
    std::error_code ec;
    const std::filesystem::path folder(SNAPFORGE_PICTURES_DIR);
    if (std::filesystem::is_directory(folder, ec)) {
        return folder;
    }
#endif
    return std::nullopt;
}

bool installPictures(const std::filesystem::path& folder, std::string& error) {
    const auto imageFolder = platform::devicePath(snapforge::kImageFolder);
    std::error_code ec;
    std::filesystem::create_directories(imageFolder, ec);
    if (ec) {
        error = "cannot make the image folder " + imageFolder.string() + ": " + ec.message();
        return false;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const auto extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".png" && extension != ".jpg")) {
            continue;
        }
        const auto target = imageFolder / entry.path().filename();
        if (!std::filesystem::copy_file(entry.path(), target,
                                        std::filesystem::copy_options::overwrite_existing, ec)) {
            error = "cannot copy " + entry.path().string() + " to " + target.string() + ": " +
                    ec.message();
            return false;
        }
    }
    if (ec) {
        error = "cannot read the pictures in " + folder.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace sim
