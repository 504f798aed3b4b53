#pragma once

#include <cstdint>
#include <memory>

#include "platform/ui/UIView.h"

namespace platform {

using UIWindowLevel = CGFloat;
inline constexpr UIWindowLevel UIWindowLevelNormal = 0;
inline constexpr UIWindowLevel UIWindowLevelStatusBar = 1000;
inline constexpr UIWindowLevel UIWindowLevelAlert = 2000;

class UIWindowList;

// A window: the root of a view tree, placed on the screen by its frame (screen coordinates).
// Windows start hidden. The screen knows every window without owning it: a window that nobody
// holds any more is gone from the screen. Visible windows stack by level; windows of one level
// in the order they were last made visible, the latest on top.
class UIWindow : public UIView {
public:
    explicit UIWindow(CGRect frame = CGRectZero);
    ~UIWindow() override;

    static std::shared_ptr<UIWindow> create(CGRect frame = CGRectZero);

    UIWindowLevel windowLevel() const { return windowLevel_; }
    void setWindowLevel(UIWindowLevel level) { windowLevel_ = level; }

    void setHidden(bool hidden) override;
    void makeKeyAndVisible();
    void makeKeyWindow();
    bool isKeyWindow() const;

    // Larger for a window made visible later; orders windows of one level.
    std::uint64_t visibleOrder() const { return visibleOrder_; }

private:
    friend class UIWindowList;
    UIWindowLevel windowLevel_ = UIWindowLevelNormal;
    std::uint64_t visibleOrder_ = 0;
    std::weak_ptr<UIWindowList> list_;
};

}  // namespace platform
