#include <gtest/gtest.h>

#include <limits>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIImageView.h"
#include "snapforge/camerabar/SelectorButton.h"
#include "snapforge/startup/LibraryClass.h"
#include "support/TestFiles.h"

namespace snapforge {
namespace {

class ScrollCounter : public platform::UIScrollViewDelegate {
public:
    void scrollViewDidScroll(platform::UIScrollView*) override { ++scrolls; }
    int scrolls = 0;
};

class SelectorButtonTest : public ::testing::Test {
protected:
    SelectorButtonTest() {
        for (const char* name : {"overlay.png", "resolution.png", "frameGuides.png"}) {
            testsupport::writeDeviceFile(std::string(kImageFolder) + name,
                                         testsupport::pngHeader(77, 60));
        }
        button = SelectorButton::create(platform::CGRectMake(0, 0, 77, 60));
    }

    std::shared_ptr<platform::UIImageView> layer(int tag) {
        return std::dynamic_pointer_cast<platform::UIImageView>(button->viewWithTag(tag));
    }
    std::string stripImage() {
        auto image = layer(SelectorButton::kStripTag)->image();
        return image ? image->path() : "";
    }

    platform::Process process;
    std::shared_ptr<SelectorButton> button;
};

TEST_F(SelectorButtonTest, ANewSelectorShowsTheFourthOverlayPageUnderItsFrameArrowsAndLight) {
    auto scroll = button->scrollView();
    EXPECT_TRUE(scroll->isPagingEnabled());
    EXPECT_FALSE(scroll->showsVerticalScrollIndicator());
    EXPECT_FALSE(scroll->showsHorizontalScrollIndicator());
    EXPECT_EQ(scroll->frame(), platform::CGRectMake(0, 0, 77, 60));
    EXPECT_EQ(scroll->contentSize(), (platform::CGSize{77, 480}));
    EXPECT_EQ(scroll->contentOffset(), (platform::CGPoint{0, 180}));
    EXPECT_EQ(stripImage(), std::string(kImageFolder) + "overlay.png");
    EXPECT_FALSE(button->isSelected());

    // Bottom to top: the strip's scroll view, the arrows, the frame, the light.
    const auto& layers = button->subviews();
    ASSERT_EQ(layers.size(), 4u);
    EXPECT_EQ(layers[0], scroll);
    EXPECT_EQ(layers[1]->tag(), SelectorButton::kScrollArrowsTag);
    EXPECT_FLOAT_EQ(layers[1]->alpha(), 0);
    EXPECT_EQ(layers[2]->frame(), platform::CGRectMake(0, 0, 77, 60));
    EXPECT_EQ(layers[3]->frame(), platform::CGRectMake(56, 47.5f, 16, 9));
    EXPECT_EQ(layer(SelectorButton::kLightTag)->image(), nullptr);
}

TEST_F(SelectorButtonTest, EachKindShowsItsStripAtTheIndexPageAndAnUnknownKindChangesNothing) {
    auto counter = std::make_shared<ScrollCounter>();
    button->setScrollViewDelegate(counter);

    button->setSelectorType(SelectorButton::kResolutionSelector, 7);
    EXPECT_EQ(stripImage(), std::string(kImageFolder) + "resolution.png");
    EXPECT_EQ(layer(SelectorButton::kStripTag)->frame(), platform::CGRectMake(0, 0, 77, 840));
    EXPECT_EQ(button->scrollView()->contentSize(), (platform::CGSize{77, 840}));
    EXPECT_EQ(button->scrollView()->contentOffset(), (platform::CGPoint{0, 420}));
    EXPECT_EQ(counter->scrolls, 1);

    button->setSelectorType(3, 1);
    EXPECT_EQ(stripImage(), std::string(kImageFolder) + "resolution.png");
    EXPECT_EQ(button->scrollView()->contentOffset(), (platform::CGPoint{0, 420}));

    button->setSelectorType(SelectorButton::kFrameGuideSelector, 0);
    EXPECT_EQ(stripImage(), std::string(kImageFolder) + "frameGuides.png");
    EXPECT_EQ(button->scrollView()->contentSize(), (platform::CGSize{77, 360}));
    EXPECT_EQ(button->scrollView()->contentOffset(), (platform::CGPoint{0, 0}));
}

TEST_F(SelectorButtonTest, AnIndexFarOutOfRangeShowsAnEndOfTheStrip) {
    for (const int index :
         {std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), -96999991}) {
        button->setSelectorType(SelectorButton::kOverlaySelector, index);
        const float y = button->scrollView()->contentOffset().y;
        EXPECT_TRUE(y == 0 || y == button->scrollView()->contentSize().height - 60) << index;
    }
}

TEST_F(SelectorButtonTest, SwitchingOffStillBlinksTheArrowsInThenOut) {
    button->setIsSelected(false);
    EXPECT_FALSE(button->isSelected());
    auto arrows = button->viewWithTag(SelectorButton::kScrollArrowsTag);
    auto& log = platform::AnimationLog::shared();
    EXPECT_TRUE(log.animated(arrows.get(), "alpha", "", 1.0));
    EXPECT_FLOAT_EQ(arrows->alpha(), 1);

    platform::RunLoop::main().runFor(1.0);
    EXPECT_TRUE(log.animated(arrows.get(), "alpha", "", 0.5));
    EXPECT_FLOAT_EQ(arrows->alpha(), 0);
    platform::RunLoop::main().runFor(0.5);
    EXPECT_FLOAT_EQ(arrows->alpha(), 0);
    EXPECT_EQ(log.recordsFor(arrows.get(), "alpha").size(), 2u);

    button->setIsSelected(true);
    EXPECT_TRUE(button->isSelected());
    EXPECT_EQ(log.recordsFor(arrows.get(), "alpha").size(), 3u);
}

}  // namespace
}  // namespace snapforge
