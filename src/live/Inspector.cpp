#include "live/Inspector.h"

#include <algorithm>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "sim/ViewInspection.h"

namespace live {
namespace {

std::optional<std::string> pictureOf(const platform::UIView& view) {
    std::shared_ptr<platform::UIImage> image;
    if (const auto* imageView = dynamic_cast<const platform::UIImageView*>(&view)) {
        image = imageView->image();
    } else if (const auto* button = dynamic_cast<const platform::UIButton*>(&view)) {
        image = button->currentImage() ? button->currentImage() : button->currentBackgroundImage();
    }
    if (!image) {
        return std::nullopt;
    }
    return image->filePath().filename().string();
}

// The views in the order they are drawn: each before its subviews, subviews in order.
void collect(const platform::UIView& view, platform::CGPoint point, const TargetNamer& targetOf,
             double windowLevel, std::vector<InspectedView>& found) {
    const auto frame = sim::inspect::screenFrame(view);
    if (platform::CGRectContainsPoint(frame, point)) {
        found.push_back({sim::inspect::className(view), targetOf(view), frame, windowLevel,
                         view.alpha(), view.isHidden(), view.tag(), pictureOf(view)});
    }
    for (const auto& subview : view.subviews()) {
        collect(*subview, point, targetOf, windowLevel, found);
    }
}

}  // namespace

std::vector<InspectedView> viewsUnder(platform::CGPoint screenPoint, const TargetNamer& targetOf) {
    std::vector<InspectedView> found;
    for (const auto& window : platform::UIScreen::mainScreen().visibleWindows()) {
        collect(*window, screenPoint, targetOf, window->windowLevel(), found);
    }
    std::reverse(found.begin(), found.end());
    return found;
}

}  // namespace live
