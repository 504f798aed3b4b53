#include "sim/Pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "platform/Process.h"
#include "platform/ui/UIImage.h"
#include "sim/Base64.h"
#include "snapforge/startup/LibraryClass.h"
#include "support/Pixels.h"
#include "support/TestFiles.h"

namespace sim {
namespace {

// Every file the library reads from its image folder.
const std::set<std::string> kLibraryPictures{
    "PrefBtn.png",
    "prefBG.jpg",
    "prefCells.png",
    "blackBtn.png",
    "actionBtnExOff.png",
    "actionBtnExOn.png",
    "bar.png",
    "modeNormal.png",
    "normalFilmMode.png",
    "fpsBtn.png",
    "modeShootTimer.png",
    "modeTimer.png",
    "lightOff.png",
    "lightOn.png",
    "overlay.png",
    "scrollArrows.png",
    "overlayActionBtn.png",
    "resolution.png",
    "frameGuides.png",
    "offSwitchEx.png",
    "onSwitchEx.png",
    "SelectorDial2.png",
    "btnBG2.png",
    "changeTimeType.png",
    "whiteDial.png",
    "overlayTriSection.png",
    "overlaySquare.png",
    "overlayThirds.png",
    "overlayGuldenSnede.png",
    "43.png",
    "2351.png",
    "exposure2.png",
    "exposure3.png",
    "exposure4.png",
    "focus4.png",
    "focus5.png",
    "focus6.png",
    "objectLock2.png",
    "lock.png",
    "unlock.png",
    "WBButton.png",
};

TEST(Base64, EncodesInGroupsOfThreeWithPadding) {
    EXPECT_EQ(base64(""), "");
    EXPECT_EQ(base64("f"), "Zg==");
    EXPECT_EQ(base64("fo"), "Zm8=");
    EXPECT_EQ(base64("foo"), "Zm9v");
    EXPECT_EQ(base64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(base64(std::string("\xFF\xFE\x00", 3)), "//4A");
}

// The build makes exactly the library's pictures, installs them where it reads them, and the
// sizes the layout takes from a picture are the ones it expects.
TEST(Pictures, TheBuildMakesEveryPictureTheLibraryReadsInItsSize) {
    const auto folder = builtPictures();
    if (!folder) {
        GTEST_SKIP() << "this build had no SVG converter";
    }
    std::set<std::string> made;
    for (const auto& entry : std::filesystem::directory_iterator(*folder)) {
        made.insert(entry.path().filename().string());
    }
    EXPECT_EQ(made, kLibraryPictures);

    platform::Process process;
    std::string error;
    ASSERT_TRUE(installPictures(*folder, error)) << error;
    const auto sizeOf = [](const char* name) {
        const auto image = snapforge::imageNamed(name);
        return image ? image->size() : platform::CGSize{-1, -1};
    };
    EXPECT_EQ(sizeOf("objectLock2.png"), (platform::CGSize{50, 50}));
    EXPECT_EQ(sizeOf("focus4.png"), (platform::CGSize{90, 90}));
    EXPECT_EQ(sizeOf("bar.png"), (platform::CGSize{320, 80}));
    EXPECT_EQ(sizeOf("resolution.png"), (platform::CGSize{77, 840}));
    EXPECT_EQ(sizeOf("overlay.png"), (platform::CGSize{77, 480}));
    EXPECT_EQ(sizeOf("frameGuides.png"), (platform::CGSize{77, 360}));
    const auto background = snapforge::imageNamed("prefBG.jpg");
    ASSERT_TRUE(background);
    EXPECT_FALSE(background->isPNG());
}

// A selector shows one 60-point page of its strip at a time, at 1x, under a frame open between
// x 3.5 and 73.5, with its scroll arrows from x 66 and its light in the lower right corner.
// Everything a page draws keeps clear of all three.
TEST(Pictures, EveryStripsPagesKeepTheirDrawingInsideTheSelectorsFace) {
    const auto folder = builtPictures();
    if (!folder || !testsupport::haveTool("pngtopnm")) {
        GTEST_SKIP() << "this build had no SVG converter";
    }
    testsupport::TemporaryFolder copies;
    const auto background = [](testsupport::Rgb c) {
        return std::abs(c.r - 0x17) + std::abs(c.g - 0x1b) + std::abs(c.b - 0x20) <= 60;
    };
    for (const char* strip : {"overlay.png", "resolution.png", "frameGuides.png"}) {
        std::filesystem::copy_file(*folder / strip, copies.path() / strip);
        const auto pixels = testsupport::Pixels::ofPng(copies.path() / strip);
        ASSERT_TRUE(pixels) << strip;
        ASSERT_EQ(pixels->width, 77) << strip;
        for (int page = 0; page < pixels->height / 60; ++page) {
            const int top = page * 60;
            const auto outside = [&](int x, int y, int w, int h) {
                return w * h - pixels->count(x, top + y, w, h, background);
            };
            EXPECT_EQ(outside(0, 0, 8, 60), 0) << strip << " page " << page << ": left edge";
            EXPECT_EQ(outside(64, 0, 13, 60), 0) << strip << " page " << page << ": arrows";
            EXPECT_EQ(outside(56, 46, 21, 14), 0) << strip << " page " << page << ": light";
            EXPECT_GT(outside(8, 0, 56, 60), 20) << strip << " page " << page << ": empty";
        }
    }
}

TEST(Pictures, InstallingFromAFolderThatIsNotThereSaysSo) {
    platform::Process process;
    std::string error;
    EXPECT_FALSE(installPictures("/nonexistent/pictures", error));
    EXPECT_NE(error.find("/nonexistent/pictures"), std::string::npos);
}

std::string simulator(const std::string& arguments) {
    return std::string(SNAPFORGE_SIM_PATH) + " " + arguments;
}

// The default tour's expectations hold with the pictures and without them: the library never
// depends on its pictures being there, except for what it draws.
TEST(Pictures, TheTourAnswersTheSameWithOrWithoutPictures) {
    if (!builtPictures()) {
        GTEST_SKIP() << "this build had no SVG converter";
    }
    testsupport::TemporaryFolder with;
    testsupport::TemporaryFolder without;
    const auto drawn = testsupport::runCommand(simulator("--quiet --root " + with.path().string()));
    const auto bare = testsupport::runCommand(
        simulator("--quiet --no-pictures --root " + without.path().string()));
    EXPECT_EQ(drawn.status, 0) << drawn.out;
    EXPECT_EQ(bare.status, 0) << bare.out;
    EXPECT_EQ(drawn.out, bare.out);
    const std::string folder(snapforge::kImageFolder);
    EXPECT_TRUE(std::filesystem::exists(with.path() / folder.substr(1) / "objectLock2.png"));
    EXPECT_FALSE(std::filesystem::exists(without.path() / folder.substr(1)));
}

}  // namespace
}  // namespace sim
