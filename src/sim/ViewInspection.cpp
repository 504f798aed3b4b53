#include "sim/ViewInspection.h"

#include <algorithm>
#include <array>

#include "platform/runtime/Runtime.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"

namespace sim::inspect {
namespace {

// Below this alpha the platform treats a view as invisible (it takes no touches either).
constexpr platform::CGFloat kVisibleAlpha = 0.01f;

bool windowIsOnScreen(const platform::UIWindow* window) {
    if (window == nullptr) {
        return false;
    }
    const auto visible = platform::UIScreen::mainScreen().visibleWindows();
    return std::any_of(visible.begin(), visible.end(),
                       [window](const auto& candidate) { return candidate.get() == window; });
}

}  // namespace

bool isShowing(const platform::UIView& view) {
    for (const platform::UIView* v = &view; v != nullptr; v = v->superview()) {
        if (v->isHidden() || v->alpha() < kVisibleAlpha) {
            return false;
        }
    }
    return windowIsOnScreen(view.window());
}

platform::CGRect screenFrame(const platform::UIView& view) {
    const auto bounds = view.bounds();
    const std::array corners{
        platform::CGPoint{platform::CGRectGetMinX(bounds), platform::CGRectGetMinY(bounds)},
        platform::CGPoint{platform::CGRectGetMaxX(bounds), platform::CGRectGetMinY(bounds)},
        platform::CGPoint{platform::CGRectGetMinX(bounds), platform::CGRectGetMaxY(bounds)},
        platform::CGPoint{platform::CGRectGetMaxX(bounds), platform::CGRectGetMaxY(bounds)},
    };
    auto first = view.convertPointToScreen(corners[0]);
    platform::CGFloat minX = first.x, maxX = first.x, minY = first.y, maxY = first.y;
    for (const auto& corner : corners) {
        const auto p = view.convertPointToScreen(corner);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return platform::CGRectMake(minX, minY, maxX - minX, maxY - minY);
}

platform::CGPoint screenCentre(const platform::UIView& view) {
    const auto bounds = view.bounds();
    return view.convertPointToScreen(
        {platform::CGRectGetMidX(bounds), platform::CGRectGetMidY(bounds)});
}

std::string className(const platform::UIView& view) {
    const platform::Class* cls = view.objcClass();
    return cls ? cls->name() : "UIView";
}

}  // namespace sim::inspect
