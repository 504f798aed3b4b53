#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Geometry.h"
#include "platform/runtime/Object.h"

namespace platform {

// An image read from a file of the phone. Only what the pictures' users need is kept: the size
// (read from a PNG's header; 0 x 0 for any other kind of file) and where the file lies, so that
// a renderer can draw it.
class UIImage : public Object {
public:
    // The image in the file at a phone path ("/var/mobile/..."), or null when no such file
    // exists. Never an error.
    static std::shared_ptr<UIImage> imageWithContentsOfFile(std::string_view phonePath);

    CGSize size() const { return size_; }
    // The phone path the image was read from.
    const std::string& path() const { return path_; }
    // Where that file lies on this machine.
    const std::filesystem::path& filePath() const { return filePath_; }
    bool isPNG() const { return png_; }

    UIImage(std::string path, std::filesystem::path filePath, CGSize size, bool png);

private:
    std::string path_;
    std::filesystem::path filePath_;
    CGSize size_;
    bool png_;
};

}  // namespace platform
