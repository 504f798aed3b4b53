// The pictures as a person sees them: snapshots rendered by an SVG converter, and the report
// opened in a browser. Each test needs its tool and skips without it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>

#include "support/Pixels.h"
#include "support/TestFiles.h"

namespace {

using testsupport::Pixels;
using testsupport::Rgb;
using testsupport::runCommand;

std::string simulator(const std::string& arguments) {
    return std::string(SNAPFORGE_SIM_PATH) + " --quiet " + arguments;
}

// The focus reticle's brackets, drawn in white over the preview at its frame (115, 195, 90, 90).
int whiteInReticleFrame(const Pixels& screen) {
    return screen.count(115, 195, 90, 90,
                        [](Rgb c) { return c.r > 235 && c.g > 235 && c.b > 235; });
}

TEST(ScreenPictures, SnapshotsRenderTheLibrarysPicturesOverThePreview) {
    if (!testsupport::haveTool("rsvg-convert") || !testsupport::haveTool("pngtopnm")) {
        GTEST_SKIP() << "rsvg-convert or pngtopnm is not installed";
    }
    testsupport::TemporaryFolder folder;
    const auto scenario = folder.path() / "look.scenario";
    std::ofstream(scenario) << "capability focus-continuous on\n"
                               "capability exposure-continuous on\n"
                               "launch\nwait 1\nsnapshot screen.svg\n";
    std::map<std::string, Pixels> screens;
    for (const std::string pictures : {"", "--no-pictures"}) {
        const auto shots = folder.path() / ("shots" + pictures);
        const auto run = runCommand(
            simulator(pictures + " --snapshots " + shots.string() + " " + scenario.string()));
        ASSERT_EQ(run.status, 0) << run.out;
        const auto svg = shots / "screen.svg";
        ASSERT_EQ(
            runCommand("rsvg-convert '" + svg.string() + "' -o '" + svg.string() + ".png'").status,
            0);
        auto pixels = Pixels::ofPng(svg.string() + ".png");
        ASSERT_TRUE(pixels);
        ASSERT_EQ(pixels->width, 320);
        ASSERT_EQ(pixels->height, 480);
        screens[pictures] = std::move(*pixels);
    }
    const Pixels& drawn = screens[""];
    const Pixels& bare = screens["--no-pictures"];
    // The preview is a scene, not a flat colour, in both.
    EXPECT_GT(bare.distinctColours(0, 0, 320, 380), 200u);
    // With its pictures the reticle stands out from the preview at its frame.
    EXPECT_GT(whiteInReticleFrame(drawn), whiteInReticleFrame(bare) + 100);
    // The white-balance button's panel (10, 370, 74, 31) darkens the preview behind it.
    const auto dark = [](Rgb c) { return c.r + c.g + c.b < 150; };
    EXPECT_GT(drawn.count(12, 372, 70, 10, dark), bare.count(12, 372, 70, 10, dark) + 200);
}

// A photo closes the iris over the preview for a moment; the snapshot shows the blades.
TEST(ScreenPictures, TheClosedIrisHidesThePreview) {
    testsupport::TemporaryFolder folder;
    const auto scenario = folder.path() / "photo.scenario";
    std::ofstream(scenario) << "launch\nwait 1\nsnapshot open.svg\nshutter\nwait 0.35\n"
                               "snapshot closed.svg\nwait 2\nsnapshot again.svg\n";
    const auto run =
        runCommand(simulator("--snapshots " + folder.path().string() + " " + scenario.string()));
    ASSERT_EQ(run.status, 0) << run.out;
    const auto read = [&](const char* name) {
        std::ifstream in(folder.path() / name);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    const std::string blades = "fill=\"url(#iris-shade)\"";
    EXPECT_EQ(read("open.svg").find(blades), std::string::npos);
    EXPECT_NE(read("closed.svg").find(blades), std::string::npos);
    EXPECT_EQ(read("again.svg").find(blades), std::string::npos);
}

// The README's picture is its scenario's, and shows one number at a time: the dial's, with no
// countdown behind it.
TEST(ScreenPictures, TheReadmePictureComesFromItsScenarioAndReadsAtAGlance) {
    testsupport::TemporaryFolder folder;
    const std::filesystem::path docs = SNAPFORGE_SOURCE_DIR "/docs";
    const auto run = runCommand(simulator("--snapshots " + folder.path().string() + " " +
                                          (docs / "camera-screen.scenario").string()));
    ASSERT_EQ(run.status, 0) << run.out;
    for (const auto& picture : {folder.path() / "camera-screen.svg", docs / "camera-screen.svg"}) {
        std::ifstream in(picture);
        const std::string svg((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(svg.find("data-class=\"SelectorDial\""), std::string::npos) << picture;
        EXPECT_NE(svg.find(">10</text>"), std::string::npos) << picture;
        EXPECT_EQ(svg.find("data-class=\"TimerLabel\""), std::string::npos) << picture;
        EXPECT_EQ(svg.find("data-class=\"MessageLabel\""), std::string::npos) << picture;
    }
}

// What the page says of itself once its script has run: the body's data attributes.
std::string bodyData(const std::string& dom, const std::string& name) {
    std::smatch match;
    const std::regex attribute("<body[^>]*\\sdata-" + name + "=\"([^\"]*)\"");
    return std::regex_search(dom, match, attribute) ? match[1].str() : std::string();
}

std::string chromium(const std::filesystem::path& profile, const std::string& what) {
    return "chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
           "--disable-background-networking --disable-component-update --disable-sync "
           "--user-data-dir='" +
           profile.string() + "' --window-size=1280,900 " + what;
}

TEST(ScreenPictures, TheTourReportLoadsEveryFrameInABrowserAndShowsTheScreen) {
    if (!testsupport::haveTool("chromium") || !testsupport::haveTool("pngtopnm")) {
        GTEST_SKIP() << "chromium or pngtopnm is not installed";
    }
    testsupport::TemporaryFolder folder;
    const auto report = folder.path() / "tour.html";
    const auto run = runCommand(simulator("--report " + report.string()));
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("report: " + report.string()), std::string::npos);

    // A step after the camera opened: its screen shows the camera. The page's state and its
    // picture come from two browsers started side by side.
    const std::string url = "'file://" + report.string() + "#6'";
    const auto domFile = folder.path() / "dom.html";
    const auto shot = folder.path() / "page.png";
    const auto browsers = runCommand(
        "(" + chromium(folder.path() / "profile-dom", "--dump-dom " + url) + " > '" +
        domFile.string() + "' 2>/dev/null & " +
        chromium(folder.path() / "profile-shot", "--screenshot='" + shot.string() + "' " + url) +
        " > /dev/null 2>&1 & wait)");
    ASSERT_EQ(browsers.status, 0) << browsers.out;
    std::ifstream domStream(domFile);
    const std::string dom((std::istreambuf_iterator<char>(domStream)), {});
    const std::string frames = bodyData(dom, "frames");
    EXPECT_GT(std::atoi(frames.c_str()), 20);
    EXPECT_EQ(bodyData(dom, "loaded"), frames);
    EXPECT_EQ(bodyData(dom, "broken"), "");

    const auto page = Pixels::ofPng(shot);
    ASSERT_TRUE(page);
    int x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(std::sscanf(bodyData(dom, "screen").c_str(), "%d,%d,%d,%d", &x, &y, &w, &h), 4);
    ASSERT_EQ(w, 320);
    ASSERT_EQ(h, 480);
    EXPECT_GT(page->distinctColours(x, y, w, h), 200u);
}

}  // namespace
