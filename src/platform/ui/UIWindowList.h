#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class UIWindow;

// The screen's knowledge of its windows. Windows enter it when made and leave it when they are
// destroyed, so it never keeps one alive; a window a caller no longer holds is simply gone.
class UIWindowList {
public:
    void add(UIWindow* window) { windows_.push_back(window); }
    void remove(UIWindow* window);
    void madeVisible(UIWindow* window);
    void makeKey(UIWindow* window) { key_ = window; }

    // Live windows in order of creation; the visible ones bottom to top.
    std::vector<std::shared_ptr<UIWindow>> all() const;
    std::vector<std::shared_ptr<UIWindow>> visible() const;
    std::shared_ptr<UIWindow> key() const;

private:
    std::vector<UIWindow*> windows_;
    UIWindow* key_ = nullptr;
    std::uint64_t nextOrder_ = 1;
};

}  // namespace platform
