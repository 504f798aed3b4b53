#include "sim/ViewInspection.h"

#include <algorithm>
#include <array>

#include "platform/runtime/Runtime.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIWindow.h"

namespace sim::inspect {
namespace {

// Below this alpha the platform treats a view as invisible (it takes no touches either).
constexpr platform::CGFloat kVisibleAlpha = 0.01f;

bool hidesItself(const platform::UIView& view) {
    return view.isHidden() || view.alpha() < kVisibleAlpha;
}

bool holds(const platform::UIView& view, platform::CGPoint screenPoint) {
    return platform::CGRectContainsPoint(view.bounds(), view.convertPointFromScreen(screenPoint));
}

// Adds the views of the tree under `root` shown at the point, front first.
void collectViewsAt(const std::shared_ptr<platform::UIView>& root, platform::CGPoint screenPoint,
                    std::vector<std::shared_ptr<platform::UIView>>& found) {
    if (hidesItself(*root)) {
        return;
    }
    const bool inside = holds(*root, screenPoint);
    if (inside || !clipsSubviews(*root)) {
        const auto& subviews = root->subviews();
        for (auto subview = subviews.rbegin(); subview != subviews.rend(); ++subview) {
            collectViewsAt(*subview, screenPoint, found);
        }
    }
    if (inside) {
        found.push_back(root);
    }
}

}  // namespace

bool isShowing(const platform::UIView& view) {
    return isShowing(view, platform::UIScreen::mainScreen().visibleWindows());
}

bool isShowing(const platform::UIView& view,
               const std::vector<std::shared_ptr<platform::UIWindow>>& visibleWindows) {
    for (const platform::UIView* v = &view; v != nullptr; v = v->superview()) {
        if (hidesItself(*v)) {
            return false;
        }
    }
    const platform::UIWindow* window = view.window();
    return window != nullptr &&
           std::any_of(visibleWindows.begin(), visibleWindows.end(),
                       [window](const auto& candidate) { return candidate.get() == window; });
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

std::optional<platform::CGPoint> touchPoint(const platform::UIView& view) {
    const auto& screen = platform::UIScreen::mainScreen();
    const auto reaches = [&](platform::CGPoint screenPoint) {
        const auto hit = screen.hitTest(screenPoint);
        return hit && (hit.get() == &view || hit->isDescendantOfView(&view));
    };
    const auto bounds = view.bounds();
    const platform::CGPoint middle{platform::CGRectGetMidX(bounds),
                                   platform::CGRectGetMidY(bounds)};
    const auto centre = view.convertPointToScreen(middle);
    auto& self = const_cast<platform::UIView&>(view);
    if (reaches(centre) || !self.hitTest(middle, nullptr)) {
        return centre;
    }
    constexpr int kSamples = 32;
    std::optional<platform::CGPoint> best;
    float bestDistance = 0;
    for (int i = 0; i < kSamples; ++i) {
        for (int j = 0; j < kSamples; ++j) {
            const platform::CGPoint local{
                bounds.origin.x + bounds.size.width * (static_cast<float>(i) + 0.5f) / kSamples,
                bounds.origin.y + bounds.size.height * (static_cast<float>(j) + 0.5f) / kSamples};
            const float dx = local.x - middle.x;
            const float dy = local.y - middle.y;
            const float distance = dx * dx + dy * dy;
            if ((!best || distance < bestDistance) && reaches(view.convertPointToScreen(local))) {
                best = view.convertPointToScreen(local);
                bestDistance = distance;
            }
        }
    }
    return best;
}

bool clipsSubviews(const platform::UIView& view) {
    return view.clipsToBounds() || dynamic_cast<const platform::UIScrollView*>(&view) != nullptr;
}

std::vector<std::shared_ptr<platform::UIView>> viewsAt(platform::CGPoint screenPoint) {
    std::vector<std::shared_ptr<platform::UIView>> found;
    const auto windows = platform::UIScreen::mainScreen().visibleWindows();
    for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
        collectViewsAt(*window, screenPoint, found);
    }
    return found;
}

std::shared_ptr<platform::UIView> frontmostViewAt(platform::CGPoint screenPoint) {
    for (const auto& view : viewsAt(screenPoint)) {
        if (!dynamic_cast<const platform::UIWindow*>(view.get())) {
            return view;
        }
    }
    return nullptr;
}

platform::CGPoint standingOrigin(const platform::UIView& view) {
    const auto size = view.bounds().size;
    return {view.center().x - size.width / 2, view.center().y - size.height / 2};
}

std::string className(const platform::UIView& view) {
    const platform::Class* cls = view.objcClass();
    return cls ? cls->name() : "UIView";
}

}  // namespace sim::inspect
