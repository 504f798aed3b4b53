#include "sim/SvgSnapshot.h"

#include <gtest/gtest.h>

#include "support/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <vector>

#include "platform/Process.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIWindow.h"
#include "sim/Base64.h"
#include "sim/HostArtwork.h"

namespace sim {
namespace {

using namespace platform;

// Whether every tag is closed in order and no markup character stands unescaped in text.
bool wellFormed(const std::string& xml) {
    std::vector<std::string> open;
    const std::regex tag(R"(<(/?)([A-Za-z][\w:-]*)[^<>]*?(/?)>|<\?[^<>]*\?>)");
    std::size_t textFrom = 0;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), tag); it != std::sregex_iterator();
         ++it) {
        const auto& match = *it;
        const std::string text = xml.substr(textFrom, match.position() - textFrom);
        if (text.find('<') != std::string::npos || text.find('>') != std::string::npos ||
            std::regex_search(text, std::regex(R"(&(?!amp;|lt;|gt;|quot;|apos;))"))) {
            return false;
        }
        textFrom = match.position() + match.length();
        if (match[2].length() == 0 || match[3] == "/") {
            continue;
        }
        if (match[1] == "/") {
            if (open.empty() || open.back() != match[2]) {
                return false;
            }
            open.pop_back();
        } else {
            open.push_back(match[2]);
        }
    }
    return open.empty() && xml.find('<', textFrom) == std::string::npos;
}

TEST(XmlEscape, EscapesMarkupAndReplacesWhatXmlCannotCarry) {
    EXPECT_EQ(xmlEscape(R"(<a href="x">Tom & 'Jerry'</a>)"),
              "&lt;a href=&quot;x&quot;&gt;Tom &amp; &apos;Jerry&apos;&lt;/a&gt;");
    EXPECT_EQ(xmlEscape("caf\xC3\xA9 \xE2\x9C\x93"), "caf\xC3\xA9 \xE2\x9C\x93");
    EXPECT_EQ(xmlEscape("bell\x07"
                        "end"),
              "bell\xEF\xBF\xBD"
              "end");
    EXPECT_EQ(xmlEscape("cut \xC3"), "cut \xEF\xBF\xBD");
    EXPECT_EQ(xmlEscape("overlong \xC0\xAF"), "overlong \xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(xmlEscape("tab\tand\nline"), "tab\tand\nline");
}

TEST(SvgSnapshot, DrawsVisibleWindowsLowestFirstWithTheirViews) {
    Process process;
    const auto root = Process::current().deviceRoot();
    std::filesystem::create_directories(root / "pictures");
    std::ofstream(root / "pictures/badge.png", std::ios::binary) << testsupport::pngHeader(20, 20);

    auto alert = UIWindow::create(CGRectMake(0, 0, 320, 480));
    alert->setWindowLevel(UIWindowLevelAlert);
    auto label = UILabel::create(CGRectMake(10, 10, 200, 30));
    label->setText("Tom & <Jerry>");
    alert->addSubview(label);
    alert->makeKeyAndVisible();

    auto camera = UIWindow::create(CGRectMake(0, 0, 320, 480));
    auto drawn =
        UIImageView::createWithImage(UIImage::imageWithContentsOfFile("/pictures/badge.png"));
    drawn->setAlpha(0.5f);
    drawn->setTransform(CGAffineTransformMakeRotation(static_cast<float>(M_PI / 2)));
    camera->addSubview(drawn);
    auto empty = UIImageView::create(CGRectMake(100, 100, 90, 90));
    camera->addSubview(empty);
    auto hidden = UILabel::create(CGRectMake(0, 0, 50, 20));
    hidden->setText("never drawn");
    hidden->setHidden(true);
    camera->addSubview(hidden);
    camera->makeKeyAndVisible();

    auto offScreen = UIWindow::create(CGRectMake(0, 0, 320, 480));
    auto unseen = UILabel::create(CGRectMake(0, 0, 50, 20));
    unseen->setText("off screen");
    offScreen->addSubview(unseen);

    const std::string svg = svgSnapshot(1.5);
    EXPECT_TRUE(wellFormed(svg)) << svg;
    EXPECT_NE(svg.find("width=\"320\" height=\"480\""), std::string::npos);
    EXPECT_NE(svg.find("screen at 1.5 s"), std::string::npos);
    EXPECT_NE(svg.find("Tom &amp; &lt;Jerry&gt;"), std::string::npos);
    // The picture rides along inside the SVG, so that it stands alone.
    EXPECT_NE(
        svg.find("href=\"data:image/png;base64," + base64(testsupport::pngHeader(20, 20)) + "\""),
        std::string::npos);
    EXPECT_NE(svg.find("opacity=\"0.5\""), std::string::npos);
    EXPECT_NE(svg.find("matrix(0 1 -1 0 0 0)"), std::string::npos);
    EXPECT_NE(svg.find(">UIImageView</text>"), std::string::npos);  // no picture: named
    EXPECT_EQ(svg.find("never drawn"), std::string::npos);
    EXPECT_EQ(svg.find("off screen"), std::string::npos);
    // The normal-level window lies beneath the alert window.
    EXPECT_LT(svg.find("data:image/png"), svg.find("Tom &amp;"));

    // A picture whose file has gone is named by its path instead.
    std::filesystem::remove(root / "pictures/badge.png");
    const std::string after = svgSnapshot(2);
    EXPECT_EQ(after.find("<image"), std::string::npos);
    EXPECT_NE(after.find(">/pictures/badge.png</text>"), std::string::npos);
}

// A countdown number swelling and fading, as a user sees it part way through.
TEST(SvgSnapshot, AnimationsInFlightShowTheirValueAtThatInstant) {
    Process process;
    auto window = UIWindow::create(CGRectMake(60, 160, 200, 150));
    window->setWindowLevel(1999);
    auto number = UILabel::create(CGRectMake(0, 0, 200, 150));
    number->setText("3");
    number->setFont(UIFont::fontWithName("Helvetica", 140));
    number->setTextColor(UIColor::whiteColor());
    number->setTextAlignment(NSTextAlignmentCenter);
    number->setBackgroundColor(UIColor::clearColor());
    window->addSubview(number);
    window->makeKeyAndVisible();
    UIView::animate(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
        window->setAlpha(0);
        window->setTransform(CGAffineTransformMakeScale(2, 2));
    });

    const std::string during = svgSnapshot(0.25);
    EXPECT_NE(during.find("opacity=\"0.75\""), std::string::npos) << during;
    EXPECT_NE(during.find("matrix(1.25 0 0 1.25 0 0)"), std::string::npos);
    EXPECT_NE(during.find("font-size=\"140\" fill=\"rgb(255,255,255)\""), std::string::npos);
    EXPECT_NE(during.find("text-anchor=\"middle\""), std::string::npos);
    // A clear background draws nothing over the preview.
    EXPECT_EQ(during.find("fill-opacity=\"0\""), std::string::npos);

    const std::string after = svgSnapshot(1.5);
    EXPECT_NE(after.find("opacity=\"0\""), std::string::npos);
    EXPECT_NE(after.find("matrix(2 0 0 2 0 0)"), std::string::npos);
}

TEST(SvgSnapshot, LabelsShrinkToFitAndCastTheirShadow) {
    Process process;
    auto window = UIWindow::create(CGRectMake(0, 300, 320, 20));
    auto title = UILabel::create(CGRectMake(0, 0, 56, 20));
    title->setText("TIME LAPSE");
    title->setFont(UIFont::fontWithName("Helvetica", 16));
    title->setAdjustsFontSizeToFitWidth(true);
    title->setShadowColor(UIColor::darkGrayColor());
    title->setShadowOffset({1, 1});
    window->addSubview(title);
    window->makeKeyAndVisible();

    const std::string svg = svgSnapshot(0);
    const std::regex size(R"re(font-size="([0-9.]+)")re");
    std::vector<double> sizes;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), size); it != std::sregex_iterator();
         ++it) {
        sizes.push_back(std::stod((*it)[1]));
    }
    ASSERT_EQ(sizes.size(), 2u);  // the shadow, then the text
    EXPECT_LT(sizes[0], 16);
    EXPECT_EQ(sizes[0], sizes[1]);
    EXPECT_LT(svg.find("rgb(85,85,85)"), svg.find("rgb(0,0,0)\" fill-opacity=\"1\">TIME"));
}

// The host's own views look like the camera: the preview shows the scene, the shutter is drawn;
// a strip shows only the page its scroll view frames.
TEST(SvgSnapshot, HostViewsAreDrawnAndStripsShowOnePage) {
    Process process;
    auto window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    auto strip = UIScrollView::create(CGRectMake(236, 319, 77, 60));
    strip->setContentSize({77, 480});
    strip->setContentOffset({0, 180});
    strip->addSubview(UIImageView::create(CGRectMake(0, 0, 77, 480)));
    window->addSubview(strip);
    window->makeKeyAndVisible();

    const std::string svg = svgSnapshot(0);
    EXPECT_TRUE(wellFormed(svg)) << svg;
    EXPECT_NE(svg.find("<g id=\"preview-scene\">"), std::string::npos);
    EXPECT_NE(svg.find("<clipPath id=\"clip1\"><rect x=\"0\" y=\"180\" width=\"77\" height=\"60\""),
              std::string::npos);
    EXPECT_EQ(artwork::hostView("UIView", CGRectMake(0, 0, 10, 10)), std::nullopt);
    const auto preview = artwork::hostView("PLCameraView", CGRectMake(0, 0, 320, 480));
    ASSERT_TRUE(preview);
    EXPECT_NE(preview->find("href=\"#preview-scene\""), std::string::npos);
    EXPECT_TRUE(artwork::hostView("PLCameraButton", CGRectMake(110, 12, 100, 72)));
}

TEST(SvgSnapshot, AnEmptyScreenIsStillAPicture) {
    Process process;
    const std::string svg = svgSnapshot(0);
    EXPECT_TRUE(wellFormed(svg));
    EXPECT_TRUE(svg.starts_with("<?xml"));
    EXPECT_NE(svg.find("fill=\"black\""), std::string::npos);
}

}  // namespace
}  // namespace sim
