#pragma once

#include <string>
#include <string_view>

#include "platform/runtime/Runtime.h"
#include "platform/ui/UIImage.h"
#include "platform/ui/UILabel.h"

namespace snapforge {

// Where every picture the library draws is read from, by file name.
inline constexpr std::string_view kImageFolder = "/var/mobile/Library/Keyboard/Snapforge/";

// An image of the image folder; empty when the file is missing.
inline std::shared_ptr<platform::UIImage> imageNamed(std::string_view fileName) {
    return platform::UIImage::imageWithContentsOfFile(std::string(kImageFolder) +
                                                      std::string(fileName));
}

// The level of the library's windows, above the host's own; the stop button lies one above.
inline constexpr platform::CGFloat kLibraryWindowLevel = 1999;

// The library's label look: white Helvetica of a size, centred, on a clear background.
inline std::shared_ptr<platform::UILabel> whiteLabel(platform::CGRect frame,
                                                     platform::CGFloat fontSize,
                                                     bool shrinksToFit) {
    auto label = platform::UILabel::create(frame);
    label->setBackgroundColor(platform::UIColor::clearColor());
    label->setFont(platform::UIFont::fontWithName("Helvetica", fontSize));
    label->setTextColor(platform::UIColor::whiteColor());
    label->setTextAlignment(platform::NSTextAlignmentCenter);
    label->setAdjustsFontSizeToFitWidth(shrinksToFit);
    return label;
}

// The runtime class of a library class, registered on first use (with its methods, added by
// addMethods) so that target-action messages reach its instances.
inline platform::Class* libraryClass(std::string_view name, std::string_view superclassName,
                                     void (*addMethods)(platform::Class*) = nullptr) {
    auto& runtime = platform::Runtime::shared();
    if (platform::Class* existing = runtime.getClass(name)) {
        return existing;
    }
    platform::Class* cls = runtime.registerClass(name, superclassName);
    if (addMethods != nullptr) {
        addMethods(cls);
    }
    return cls;
}

// The action message of the library's two-state buttons.
inline const platform::Selector<void(platform::id)> toggleBtnSelector{"toggleBtn:"};

}  // namespace snapforge
