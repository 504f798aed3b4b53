#include "platform/ui/UIImage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/foundation/DevicePath.h"
#include "platform/runtime/Runtime.h"

namespace platform {
namespace {

std::uint32_t bigEndian(const unsigned char* bytes) {
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) |
           (std::uint32_t(bytes[2]) << 8) | std::uint32_t(bytes[3]);
}

// The pixel size from a PNG's IHDR chunk, or nothing when the file is no PNG.
std::optional<CGSize> pngSize(const std::filesystem::path& file) {
    static constexpr std::array<unsigned char, 8> signature{0x89, 'P',  'N',  'G',
                                                            '\r', '\n', 0x1A, '\n'};
    std::array<unsigned char, 24> header{};
    std::ifstream in(file, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) {
        return std::nullopt;
    }
    if (!std::equal(signature.begin(), signature.end(), header.begin()) ||
        std::string_view(reinterpret_cast<const char*>(header.data() + 12), 4) != "IHDR") {
        return std::nullopt;
    }
    return CGSize{static_cast<CGFloat>(bigEndian(header.data() + 16)),
                  static_cast<CGFloat>(bigEndian(header.data() + 20))};
}

}  // namespace

UIImage::UIImage(std::string path, std::filesystem::path filePath, CGSize size, bool png)
    : path_(std::move(path)), filePath_(std::move(filePath)), size_(size), png_(png) {
    setObjcClass(Runtime::shared().registerClass("UIImage", "NSObject"));
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(std::string_view phonePath) {
    if (phonePath.empty()) {
        return nullptr;
    }
    auto file = devicePath(phonePath);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        return nullptr;
    }
    const auto size = pngSize(file);
    return std::make_shared<UIImage>(std::string(phonePath), std::move(file),
                                     size.value_or(CGSize{}), size.has_value());
}

}  // namespace platform
