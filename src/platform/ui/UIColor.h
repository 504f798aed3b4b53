#pragma once

#include "platform/Geometry.h"

namespace platform {

// A colour as a value: red, green, blue and alpha in 0..1.
struct UIColor {
    CGFloat red = 0;
    CGFloat green = 0;
    CGFloat blue = 0;
    CGFloat alpha = 1;
    bool operator==(const UIColor&) const = default;

    static constexpr UIColor colorWithRed(CGFloat r, CGFloat g, CGFloat b, CGFloat a) {
        return {r, g, b, a};
    }
    static constexpr UIColor colorWithWhite(CGFloat white, CGFloat a) {
        return {white, white, white, a};
    }
    static constexpr UIColor clearColor() { return {0, 0, 0, 0}; }
    static constexpr UIColor blackColor() { return {0, 0, 0, 1}; }
    static constexpr UIColor whiteColor() { return {1, 1, 1, 1}; }
    static constexpr UIColor darkGrayColor() { return colorWithWhite(1.0f / 3, 1); }
    static constexpr UIColor grayColor() { return colorWithWhite(0.5f, 1); }
    static constexpr UIColor lightGrayColor() { return colorWithWhite(2.0f / 3, 1); }
    static constexpr UIColor redColor() { return {1, 0, 0, 1}; }
    static constexpr UIColor greenColor() { return {0, 1, 0, 1}; }
    static constexpr UIColor blueColor() { return {0, 0, 1, 1}; }
    static constexpr UIColor yellowColor() { return {1, 1, 0, 1}; }
    static constexpr UIColor orangeColor() { return {1, 0.5f, 0, 1}; }
};

}  // namespace platform
