#pragma once

#include <string>

#include "platform/Geometry.h"

namespace platform {

// A font as a value: its name and point size.
struct UIFont {
    std::string fontName = "Helvetica";
    CGFloat pointSize = 17;
    bool operator==(const UIFont&) const = default;

    static UIFont fontWithName(std::string name, CGFloat size) { return {std::move(name), size}; }
    static UIFont systemFontOfSize(CGFloat size) { return {"Helvetica", size}; }
    static UIFont boldSystemFontOfSize(CGFloat size) { return {"Helvetica-Bold", size}; }
};

}  // namespace platform
