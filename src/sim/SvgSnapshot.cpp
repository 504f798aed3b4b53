#include "sim/SvgSnapshot.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <variant>

#include "host/SimCameraView.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UISwitch.h"
#include "platform/ui/UIWindow.h"
#include "sim/Base64.h"
#include "sim/CompactNumber.h"
#include "sim/HostArtwork.h"
#include "sim/ViewInspection.h"

namespace sim {
namespace {

using platform::CGAffineTransform;
using platform::CGPoint;
using platform::CGRect;
using platform::CGSize;
using platform::UIColor;
using platform::UIView;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool allowedInXml(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The length of the valid UTF-8 sequence starting at `text[i]` and its code point, or 0.
std::size_t utf8Sequence(std::string_view text, std::size_t i, std::uint32_t& codePoint) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    return codePoint < minimum ? 0 : length;
}

template <class T>
std::optional<T> presented(const UIView& view, std::string_view property, double time) {
    const auto value = platform::AnimationLog::shared().presentationValue(&view, property, time);
    if (!value) {
        return std::nullopt;
    }
    if (const T* typed = std::get_if<T>(&*value)) {
        return *typed;
    }
    return std::nullopt;
}

}  // namespace

Placement placementOf(const UIView& view, double time) {
    Placement p{view.center(), view.bounds(), view.transform(), view.alpha()};
    if (auto frame = presented<CGRect>(view, "frame", time)) {
        p.center = {platform::CGRectGetMidX(*frame), platform::CGRectGetMidY(*frame)};
        if (platform::CGAffineTransformIsIdentity(p.transform)) {
            p.bounds.size = frame->size;
        }
    }
    p.center = presented<CGPoint>(view, "center", time).value_or(p.center);
    p.bounds = presented<CGRect>(view, "bounds", time).value_or(p.bounds);
    p.transform = presented<CGAffineTransform>(view, "transform", time).value_or(p.transform);
    p.alpha = presented<platform::CGFloat>(view, "alpha", time).value_or(p.alpha);
    return p;
}

namespace {

std::string number(double value) {
    return compactNumber(value);
}

std::string colour(const UIColor& c) {
    const auto channel = [](platform::CGFloat v) {
        return std::to_string(static_cast<int>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f));
    };
    return "rgb(" + channel(c.red) + "," + channel(c.green) + "," + channel(c.blue) + ")";
}

std::string rect(const CGRect& r) {
    return "<rect x=\"" + number(r.origin.x) + "\" y=\"" + number(r.origin.y) + "\" width=\"" +
           number(r.size.width) + "\" height=\"" + number(r.size.height) + '"';
}

// The switch's own look: the platform draws it at its natural size whatever its frame.
constexpr CGSize kSwitchSize{79, 27};
constexpr std::string_view kOnColour = "#ffc247";
// Text width per point of font size, near enough for Helvetica's figures and capitals.
constexpr double kAverageGlyphWidth = 0.56;

// The font size a label shows: one that shrinks to fit its width does.
double shownFontSize(const platform::UILabel& label, double width) {
    const double size = label.font().pointSize;
    if (!label.adjustsFontSizeToFitWidth() || label.text().empty()) {
        return size;
    }
    const double needed = kAverageGlyphWidth * size * static_cast<double>(label.text().size());
    const double fitted = needed > width ? size * width / needed : size;
    return std::max<double>(fitted, label.minimumFontSize());
}

struct TextStyle {
    int alignment = platform::NSTextAlignmentLeft;
    double size = 17;
    UIColor tint = UIColor::blackColor();
    std::optional<UIColor> shadow;
    CGSize shadowOffset;
};

// Writes the picture, one view at a time.
class SvgWriter {
public:
    SvgWriter(double time, const PictureLink& link, SceneMotion motion)
        : time_(time), link_(link), motion_(motion) {}

    std::string render() {
        const CGRect screen = platform::UIScreen::mainScreen().bounds();
        const std::string w = number(screen.size.width);
        const std::string h = number(screen.size.height);
        const bool still = motion_ == SceneMotion::Still;
        out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << w << "\" height=\"" << h
             << "\" viewBox=\"0 0 " << w << ' ' << h << "\">\n"
             << "<title>screen" << (still ? "" : " at " + number(time_) + " s") << "</title>\n"
             << "<defs>\n"
             << artwork::definitions(still ? 0 : time_) << "</defs>\n"
             << "<rect width=\"" << w << "\" height=\"" << h << "\" fill=\"black\"/>\n";
        for (const auto& window : platform::UIScreen::mainScreen().visibleWindows()) {
            view(*window, 1);
        }
        out_ << "</svg>\n";
        return out_.str();
    }

private:
    void indent(int depth) { out_ << std::string(static_cast<std::size_t>(depth) * 2, ' '); }

    void view(const UIView& v, int depth) {
        if (v.isHidden()) {
            return;
        }
        const Placement p = placementOf(v, time_);
        const std::string name = inspect::className(v);
        indent(depth);
        out_ << "<g data-class=\"" << xmlEscape(name) << '"' << groupTransform(p) << " opacity=\""
             << number(p.alpha) << "\">\n";
        background(v, p.bounds, depth + 1);
        const auto* cameraView = dynamic_cast<const host::SimCameraView*>(&v);
        if (cameraView && !cameraView->isIrisOpen()) {
            indent(depth + 1);
            out_ << artwork::closedIris(p.bounds);
        } else if (auto drawing = artwork::hostView(name, p.bounds)) {
            indent(depth + 1);
            out_ << *drawing;
        }
        content(v, p.bounds, depth + 1);
        const bool clips = inspect::clipsSubviews(v) && !v.subviews().empty();
        if (clips) {
            const std::string id = "clip" + std::to_string(++clipCount_);
            indent(depth + 1);
            out_ << "<clipPath id=\"" << id << "\">" << rect(p.bounds) << "/></clipPath>\n";
            indent(depth + 1);
            out_ << "<g clip-path=\"url(#" << id << ")\">\n";
        }
        for (const auto& subview : v.subviews()) {
            view(*subview, depth + (clips ? 2 : 1));
        }
        if (clips) {
            indent(depth + 1);
            out_ << "</g>\n";
        }
        indent(depth);
        out_ << "</g>\n";
    }

    // Maps the view's bounds into its superview's coordinates (a window's: the screen's).
    static std::string groupTransform(const Placement& p) {
        const double midX = platform::CGRectGetMidX(p.bounds);
        const double midY = platform::CGRectGetMidY(p.bounds);
        std::string text =
            " transform=\"translate(" + number(p.center.x) + ' ' + number(p.center.y) + ')';
        if (!platform::CGAffineTransformIsIdentity(p.transform)) {
            const auto& t = p.transform;
            text += " matrix(" + number(t.a) + ' ' + number(t.b) + ' ' + number(t.c) + ' ' +
                    number(t.d) + ' ' + number(t.tx) + ' ' + number(t.ty) + ')';
        }
        return text + " translate(" + number(-midX) + ' ' + number(-midY) + ")\"";
    }

    void background(const UIView& v, const CGRect& bounds, int depth) {
        const auto fill = v.backgroundColor();
        if (!fill || fill->alpha <= 0) {
            return;
        }
        indent(depth);
        out_ << rect(bounds) << " fill=\"" << colour(*fill) << "\" fill-opacity=\""
             << number(fill->alpha) << "\"/>\n";
    }

    void content(const UIView& v, const CGRect& bounds, int depth) {
        if (const auto* imageView = dynamic_cast<const platform::UIImageView*>(&v)) {
            image(imageView->displayedImage(), bounds, depth, inspect::className(v));
        } else if (const auto* button = dynamic_cast<const platform::UIButton*>(&v)) {
            image(button->currentBackgroundImage(), bounds, depth, {});
            if (const auto icon = button->currentImage()) {
                // A button's image keeps its own size, centred.
                const CGSize size = icon->size();
                const CGRect centred{{platform::CGRectGetMidX(bounds) - size.width / 2,
                                      platform::CGRectGetMidY(bounds) - size.height / 2},
                                     size};
                image(icon, size.width > 0 ? centred : bounds, depth, {});
            }
            if (auto title = button->currentTitle()) {
                TextStyle style{platform::NSTextAlignmentCenter,
                                button->titleFont().pointSize,
                                button->currentTitleColor().value_or(UIColor::whiteColor()),
                                std::nullopt,
                                {}};
                text(*title, bounds, style, depth);
            }
        } else if (const auto* label = dynamic_cast<const platform::UILabel*>(&v)) {
            TextStyle style{label->textAlignment(), shownFontSize(*label, bounds.size.width),
                            label->textColor(), label->shadowColor(), label->shadowOffset()};
            text(label->text(), bounds, style, depth);
        } else if (const auto* toggle = dynamic_cast<const platform::UISwitch*>(&v)) {
            lightSwitch(toggle->isOn(), bounds.origin, depth);
        }
    }

    void lightSwitch(bool on, CGPoint origin, int depth) {
        const double r = kSwitchSize.height / 2;
        const double knobX = origin.x + (on ? kSwitchSize.width - r : r);
        indent(depth);
        out_ << rect({origin, kSwitchSize}) << " rx=\"" << number(r) << "\" fill=\""
             << (on ? kOnColour : std::string_view("#3a4048")) << "\" stroke=\"#ffffff\""
             << " stroke-opacity=\"0.6\"/>\n";
        indent(depth);
        out_ << "<circle cx=\"" << number(knobX) << "\" cy=\"" << number(origin.y + r) << "\" r=\""
             << number(r - 2) << "\" fill=\"#f4f6f8\"/>\n";
    }

    // Draws the image over the bounds; names what cannot be drawn. A view without an image is
    // named by `unnamed` (nothing when empty).
    void image(const std::shared_ptr<platform::UIImage>& picture, const CGRect& bounds, int depth,
               const std::string& unnamed) {
        const std::string href = picture ? link_(*picture) : std::string();
        if (!href.empty()) {
            indent(depth);
            out_ << "<image href=\"" << xmlEscape(href) << "\" x=\"" << number(bounds.origin.x)
                 << "\" y=\"" << number(bounds.origin.y) << "\" width=\""
                 << number(bounds.size.width) << "\" height=\"" << number(bounds.size.height)
                 << "\" preserveAspectRatio=\"none\"/>\n";
            return;
        }
        const std::string name = picture ? picture->path() : unnamed;
        if (!name.empty()) {
            indent(depth);
            out_ << rect(bounds) << " fill=\"none\" stroke=\"#808080\" stroke-width=\"0.5\""
                 << " stroke-dasharray=\"2 2\"/>\n";
            text(name, bounds,
                 {platform::NSTextAlignmentCenter, 8, UIColor::lightGrayColor(), {}, {}}, depth);
        }
    }

    void text(const std::string& words, const CGRect& bounds, const TextStyle& style, int depth) {
        if (words.empty()) {
            return;
        }
        if (style.shadow) {
            TextStyle shadow = style;
            shadow.tint = *style.shadow;
            shadow.shadow.reset();
            const CGRect moved{{bounds.origin.x + style.shadowOffset.width,
                                bounds.origin.y + style.shadowOffset.height},
                               bounds.size};
            text(words, moved, shadow, depth);
        }
        double x = platform::CGRectGetMinX(bounds);
        std::string anchor = "start";
        if (style.alignment == platform::NSTextAlignmentCenter) {
            x = platform::CGRectGetMidX(bounds);
            anchor = "middle";
        } else if (style.alignment == platform::NSTextAlignmentRight) {
            x = platform::CGRectGetMaxX(bounds);
            anchor = "end";
        }
        const double baseline = platform::CGRectGetMidY(bounds) + style.size * 0.35;
        indent(depth);
        out_ << "<text x=\"" << number(x) << "\" y=\"" << number(baseline) << "\" text-anchor=\""
             << anchor << "\" font-family=\"Helvetica, Arial, sans-serif\""
             << " font-size=\"" << number(style.size) << "\" fill=\"" << colour(style.tint)
             << "\" fill-opacity=\"" << number(style.tint.alpha) << "\">" << xmlEscape(words)
             << "</text>\n";
    }

    double time_;
    const PictureLink& link_;
    SceneMotion motion_;
    int clipCount_ = 0;
    std::ostringstream out_;
};

const char* mediaType(const platform::UIImage& picture) {
    return picture.isPNG() ? "image/png" : "image/jpeg";
}

}  // namespace

std::string xmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::uint32_t codePoint = 0;
        const std::size_t length = utf8Sequence(text, i, codePoint);
        if (length == 0 || !allowedInXml(codePoint)) {
            out += kReplacement;
            i += length == 0 ? 1 : length;
            continue;
        }
        switch (codePoint) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}

std::string embeddedPicture(const platform::UIImage& picture) {
    std::ifstream file(picture.filePath(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (!file || bytes.str().empty()) {
        return {};
    }
    return std::string("data:") + mediaType(picture) + ";base64," + base64(bytes.str());
}

std::string svgSnapshot(double time, const PictureLink& link, SceneMotion motion) {
    return SvgWriter(time, link, motion).render();
}

}  // namespace sim
