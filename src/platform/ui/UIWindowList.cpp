#include "platform/ui/UIWindowList.h"

#include <algorithm>

#include "platform/ui/UIWindow.h"

namespace platform {

void UIWindowList::remove(UIWindow* window) {
    std::erase(windows_, window);
    if (key_ == window) {
        key_ = nullptr;
    }
}

void UIWindowList::madeVisible(UIWindow* window) {
    window->visibleOrder_ = nextOrder_++;
}

std::vector<std::shared_ptr<UIWindow>> UIWindowList::all() const {
    std::vector<std::shared_ptr<UIWindow>> live;
    for (UIWindow* window : windows_) {
        // A window being made or destroyed has no owner and does not count.
        if (auto held = retainKnown(window)) {
            live.push_back(std::move(held));
        }
    }
    return live;
}

std::vector<std::shared_ptr<UIWindow>> UIWindowList::visible() const {
    auto windows = all();
    std::erase_if(windows, [](const auto& window) { return window->isHidden(); });
    std::stable_sort(windows.begin(), windows.end(), [](const auto& a, const auto& b) {
        if (a->windowLevel() != b->windowLevel()) {
            return a->windowLevel() < b->windowLevel();
        }
        return a->visibleOrder() < b->visibleOrder();
    });
    return windows;
}

std::shared_ptr<UIWindow> UIWindowList::key() const {
    return retainKnown(key_);
}

}  // namespace platform
