#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/UIColor.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIFont.h"
#include "platform/ui/UIImage.h"

namespace platform {

enum UIButtonType : int {
    UIButtonTypeCustom = 0,
    UIButtonTypeRoundedRect = 1,
};

// A push button with a background image, an image, a title and a title colour per state. For a
// state with no value of its own the normal state's value shows (also for combined states such
// as selected + highlighted, as the platform does).
class UIButton : public UIControl {
public:
    explicit UIButton(CGRect frame = CGRectZero);
    static std::shared_ptr<UIButton> create(CGRect frame = CGRectZero);
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);

    UIButtonType buttonType() const { return buttonType_; }

    void setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> backgroundImageForState(UIControlState state) const;
    void setImage(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> imageForState(UIControlState state) const;
    void setTitle(std::optional<std::string> title, UIControlState state);
    std::optional<std::string> titleForState(UIControlState state) const;
    void setTitleColor(std::optional<UIColor> color, UIControlState state);
    std::optional<UIColor> titleColorForState(UIControlState state) const;

    // What the button shows in its present state.
    std::shared_ptr<UIImage> currentBackgroundImage() const;
    std::shared_ptr<UIImage> currentImage() const;
    std::optional<std::string> currentTitle() const;
    std::optional<UIColor> currentTitleColor() const;

    bool adjustsImageWhenHighlighted() const { return adjustsImageWhenHighlighted_; }
    void setAdjustsImageWhenHighlighted(bool adjusts) { adjustsImageWhenHighlighted_ = adjusts; }
    UIFont titleFont() const { return titleFont_; }
    void setTitleFont(UIFont font) { titleFont_ = std::move(font); }

private:
    template <class T>
    static T lookup(const std::map<UIControlState, T>& values, UIControlState state);

    UIButtonType buttonType_ = UIButtonTypeCustom;
    std::map<UIControlState, std::shared_ptr<UIImage>> backgroundImages_;
    std::map<UIControlState, std::shared_ptr<UIImage>> images_;
    std::map<UIControlState, std::optional<std::string>> titles_;
    std::map<UIControlState, std::optional<UIColor>> titleColors_;
    bool adjustsImageWhenHighlighted_ = true;
    UIFont titleFont_ = UIFont::boldSystemFontOfSize(15);
};

}  // namespace platform
