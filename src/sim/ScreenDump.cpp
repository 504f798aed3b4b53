#include "sim/ScreenDump.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "host/SimCameraView.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UISwitch.h"
#include "platform/ui/UIWindow.h"
#include "sim/Command.h"
#include "sim/CompactNumber.h"
#include "sim/QueryAnswers.h"
#include "sim/SvgSnapshot.h"
#include "sim/ViewInspection.h"
#include "snapforge/camerabar/SelectorButton.h"

namespace sim {
namespace {

using platform::CGAffineTransform;
using platform::CGPoint;
using platform::CGRect;
using platform::UIView;

// Below this alpha the platform treats a view as invisible.
constexpr platform::CGFloat kVisibleAlpha = 0.01f;
// Hundredths of a point are far below what a user sees and far above float noise.
constexpr int kGeometryDecimals = 2;
constexpr int kTransformDecimals = 3;

std::string fixedRect(const CGRect& r) {
    return compactNumber(r.origin.x, kGeometryDecimals) + "," +
           compactNumber(r.origin.y, kGeometryDecimals) + "," +
           compactNumber(r.size.width, kGeometryDecimals) + "," +
           compactNumber(r.size.height, kGeometryDecimals);
}

CGAffineTransform translation(platform::CGFloat x, platform::CGFloat y) {
    return {1, 0, 0, 1, x, y};
}

// From the view's bounds to its superview's coordinates, as placed at the moment.
CGAffineTransform toSuperview(const Placement& p) {
    const auto toMiddle =
        translation(-platform::CGRectGetMidX(p.bounds), -platform::CGRectGetMidY(p.bounds));
    return platform::CGAffineTransformConcat(
        platform::CGAffineTransformConcat(toMiddle, p.transform),
        translation(p.center.x, p.center.y));
}

CGRect boxAround(const CGRect& r, const CGAffineTransform& t) {
    const std::array corners{
        CGPoint{platform::CGRectGetMinX(r), platform::CGRectGetMinY(r)},
        CGPoint{platform::CGRectGetMaxX(r), platform::CGRectGetMinY(r)},
        CGPoint{platform::CGRectGetMinX(r), platform::CGRectGetMaxY(r)},
        CGPoint{platform::CGRectGetMaxX(r), platform::CGRectGetMaxY(r)},
    };
    CGPoint low = platform::CGPointApplyAffineTransform(corners[0], t);
    CGPoint high = low;
    for (const auto& corner : corners) {
        const auto p = platform::CGPointApplyAffineTransform(corner, t);
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return {low, {high.x - low.x, high.y - low.y}};
}

std::optional<CGRect> overlap(const CGRect& a, const CGRect& b) {
    const auto left = std::max(platform::CGRectGetMinX(a), platform::CGRectGetMinX(b));
    const auto top = std::max(platform::CGRectGetMinY(a), platform::CGRectGetMinY(b));
    const auto right = std::min(platform::CGRectGetMaxX(a), platform::CGRectGetMaxX(b));
    const auto bottom = std::min(platform::CGRectGetMaxY(a), platform::CGRectGetMaxY(b));
    if (right <= left || bottom <= top) {
        return std::nullopt;
    }
    return CGRect{{left, top}, {right - left, bottom - top}};
}

// "#rrggbb", with "/alpha" when it is not opaque.
std::string hexColour(const platform::UIColor& c) {
    const auto channel = [](platform::CGFloat v) {
        return static_cast<unsigned>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
    };
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", channel(c.red), channel(c.green),
                  channel(c.blue));
    return c.alpha < 1 ? text + ("/" + compactNumber(c.alpha, kGeometryDecimals)) : text;
}

std::string_view alignmentName(int alignment) {
    switch (alignment) {
        case platform::NSTextAlignmentCenter:
            return "centred";
        case platform::NSTextAlignmentRight:
            return "right";
        default:
            return "left";
    }
}

std::string pictureName(const std::shared_ptr<platform::UIImage>& picture) {
    return picture ? std::filesystem::path(picture->path()).filename().string() : std::string();
}

bool isSelected(const UIView& v) {
    if (const auto* selector = dynamic_cast<const snapforge::SelectorButton*>(&v)) {
        return selector->isSelected();
    }
    const auto* control = dynamic_cast<const platform::UIControl*>(&v);
    return control != nullptr && control->isSelected();
}

// Where the dump stands in the view tree: the map to the screen and the part of the screen
// that clipping views leave showing (none outside a clipping view).
struct Surroundings {
    CGAffineTransform toScreen;
    std::optional<CGRect> clip;
    int depth = 0;
};

class DumpWriter {
public:
    DumpWriter(double time, const Phone& phone) : time_(time) {
        for (const Target target : allTargets()) {
            if (const auto view = phone.targetView(target)) {
                names_.try_emplace(view.get(), targetName(target));
            }
        }
    }

    std::string write() {
        const CGRect screen = platform::UIScreen::mainScreen().bounds();
        out_ << "screen " << compactNumber(screen.size.width, kGeometryDecimals) << 'x'
             << compactNumber(screen.size.height, kGeometryDecimals) << " at "
             << compactNumber(time_, 3) << " s\n";
        for (const auto& window : platform::UIScreen::mainScreen().visibleWindows()) {
            view(*window, {platform::CGAffineTransformIdentity, std::nullopt, 0});
        }
        return out_.str();
    }

private:
    void view(const UIView& v, const Surroundings& around) {
        const Placement p = placementOf(v, time_);
        if (v.isHidden() || p.alpha < kVisibleAlpha) {
            return;
        }
        const auto toScreen = platform::CGAffineTransformConcat(toSuperview(p), around.toScreen);
        const CGRect frame = boxAround(p.bounds, toScreen);
        const bool hasArea = frame.size.width > 0 && frame.size.height > 0;
        if (around.clip && hasArea && !overlap(*around.clip, frame)) {
            return;
        }
        out_ << std::string(static_cast<std::size_t>(around.depth) * 2, ' ');
        if (const auto* window = dynamic_cast<const platform::UIWindow*>(&v)) {
            out_ << "window " << nameOf(v) << " level "
                 << compactNumber(window->windowLevel(), kGeometryDecimals);
        } else {
            out_ << nameOf(v);
        }
        out_ << " frame " << fixedRect(frame);
        if (p.alpha != 1) {
            out_ << " alpha " << compactNumber(p.alpha, kGeometryDecimals);
        }
        if (!platform::CGAffineTransformIsIdentity(p.transform)) {
            const auto& t = p.transform;
            out_ << " transform " << compactNumber(t.a, kTransformDecimals);
            for (const double value : {t.b, t.c, t.d, t.tx, t.ty}) {
                out_ << ',' << compactNumber(value, kTransformDecimals);
            }
        }
        content(v);
        out_ << '\n';
        Surroundings inside{toScreen, around.clip, around.depth + 1};
        if (v.clipsToBounds() || dynamic_cast<const platform::UIScrollView*>(&v)) {
            inside.clip = around.clip ? overlap(*around.clip, frame) : frame;
            if (!inside.clip) {
                return;
            }
        }
        for (const auto& subview : v.subviews()) {
            view(*subview, inside);
        }
    }

    // "wb-lock (WhiteBalanceButton)" for a view a target names, else its class.
    std::string nameOf(const UIView& v) const {
        const auto named = names_.find(&v);
        const std::string name = inspect::className(v);
        return named != names_.end() ? named->second + " (" + name + ")" : name;
    }

    void content(const UIView& v) {
        if (const auto fill = v.backgroundColor(); fill && fill->alpha > 0) {
            out_ << " background " << hexColour(*fill);
        }
        if (const auto* imageView = dynamic_cast<const platform::UIImageView*>(&v)) {
            picture("picture", imageView->displayedImage());
        } else if (const auto* button = dynamic_cast<const platform::UIButton*>(&v)) {
            picture("picture", button->currentBackgroundImage());
            picture("icon", button->currentImage());
            if (const auto title = button->currentTitle(); title && !title->empty()) {
                out_ << " text " << quoteString(*title) << " size "
                     << compactNumber(button->titleFont().pointSize, kGeometryDecimals);
                if (const auto colour = button->currentTitleColor()) {
                    out_ << ' ' << hexColour(*colour);
                }
            }
        } else if (const auto* label = dynamic_cast<const platform::UILabel*>(&v)) {
            text(*label);
        } else if (const auto* toggle = dynamic_cast<const platform::UISwitch*>(&v)) {
            out_ << (toggle->isOn() ? " on" : " off");
        }
        if (isSelected(v)) {
            out_ << " selected";
        }
        const auto* cameraView = dynamic_cast<const host::SimCameraView*>(&v);
        if (cameraView && !cameraView->isIrisOpen()) {
            out_ << " iris closed";
        }
    }

    void text(const platform::UILabel& label) {
        if (label.text().empty()) {
            return;
        }
        out_ << " text " << quoteString(label.text()) << " size "
             << compactNumber(label.font().pointSize, kGeometryDecimals) << ' '
             << alignmentName(label.textAlignment()) << ' ' << hexColour(label.textColor());
        if (const auto shadow = label.shadowColor()) {
            out_ << " shadow " << hexColour(*shadow) << ' '
                 << compactNumber(label.shadowOffset().width, kGeometryDecimals) << ','
                 << compactNumber(label.shadowOffset().height, kGeometryDecimals);
        }
    }

    void picture(std::string_view role, const std::shared_ptr<platform::UIImage>& image) {
        if (const auto name = pictureName(image); !name.empty()) {
            out_ << ' ' << role << ' ' << quoteWord(name);
        }
    }

    double time_;
    std::map<const UIView*, std::string> names_;
    std::ostringstream out_;
};

}  // namespace

std::string screenDump(double time, const Phone& phone) {
    return DumpWriter(time, phone).write();
}

}  // namespace sim
