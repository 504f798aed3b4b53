#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/UIColor.h"
#include "platform/ui/UIFont.h"
#include "platform/ui/UIView.h"

namespace platform {

enum NSTextAlignment : int {
    NSTextAlignmentLeft = 0,
    NSTextAlignmentCenter = 1,
    NSTextAlignmentRight = 2,
};

// A text label. It takes no touches. Defaults as on the platform: system font 17, black text,
// left aligned, one line, white background, no shadow colour with offset (0, -1).
class UILabel : public UIView {
public:
    explicit UILabel(CGRect frame = CGRectZero);
    static std::shared_ptr<UILabel> create(CGRect frame = CGRectZero);

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    const UIFont& font() const { return font_; }
    void setFont(UIFont font) { font_ = std::move(font); }
    UIColor textColor() const { return textColor_; }
    void setTextColor(UIColor color) { textColor_ = color; }
    int textAlignment() const { return textAlignment_; }
    void setTextAlignment(int alignment) { textAlignment_ = alignment; }
    bool adjustsFontSizeToFitWidth() const { return adjustsFontSizeToFitWidth_; }
    void setAdjustsFontSizeToFitWidth(bool adjusts) { adjustsFontSizeToFitWidth_ = adjusts; }
    CGFloat minimumFontSize() const { return minimumFontSize_; }
    void setMinimumFontSize(CGFloat size) { minimumFontSize_ = size; }
    std::optional<UIColor> shadowColor() const { return shadowColor_; }
    void setShadowColor(std::optional<UIColor> color) { shadowColor_ = color; }
    CGSize shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(CGSize offset) { shadowOffset_ = offset; }
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines) { numberOfLines_ = lines; }

private:
    std::string text_;
    UIFont font_ = UIFont::systemFontOfSize(17);
    UIColor textColor_ = UIColor::blackColor();
    int textAlignment_ = NSTextAlignmentLeft;
    bool adjustsFontSizeToFitWidth_ = false;
    CGFloat minimumFontSize_ = 0;
    std::optional<UIColor> shadowColor_;
    CGSize shadowOffset_{0, -1};
    int numberOfLines_ = 1;
};

}  // namespace platform
