#include "sim/HostDriver.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIView.h"
#include "sim/CompactNumber.h"
#include "sim/LibraryViews.h"
#include "sim/ScenarioError.h"
#include "sim/ScenarioParser.h"
#include "sim/ViewInspection.h"
#include "snapforge/startup/Startup.h"
#include "support/TestFiles.h"

namespace sim {
namespace {

// Runs scenario lines on a fresh driver and keeps what it reported.
class Phone : public Reporter {
public:
    explicit Phone(bool libraryLog = false) {
        std::filesystem::create_directories(folder_ / "root");
        driver_ = std::make_unique<HostDriver>(
            DriverSettings{folder_ / "root", folder_ / "shots", libraryLog});
        driver_->attach(*this);
    }
    ~Phone() override { driver_.reset(); }

    // Performs the lines' steps; an `expect` line's answer is kept, not checked.
    void run(std::string_view lines) {
        for (const auto& command : parseScenario(lines, folder_).commands) {
            std::visit([this](const auto& step) { perform(step); }, command.body);
        }
    }

    // One step, whatever came before it: a line the language refuses in isolation (close) is
    // taken as it would read after a launch.
    void force(const std::string& line) {
        Scenario scenario;
        try {
            scenario = parseScenario(line, folder_);
        } catch (const ScenarioError&) {
            scenario = parseScenario("launch\n" + line, folder_);
            scenario.commands.erase(scenario.commands.begin());
        }
        std::visit([this](const auto& step) { perform(step); }, scenario.commands.front().body);
    }

    // The answer to one query line such as "expect photos".
    std::string ask(std::string_view query) {
        run(std::string("expect ") + std::string(query) + " ?");
        return answers.back();
    }

    template <class Step>
    void perform(const Step& step) {
        if constexpr (std::is_same_v<Step, cmd::Expect>) {
            answers.push_back(driver_->query(step.query));
        } else {
            driver_->perform(step);
        }
    }

    bool heard(std::string_view text) const {
        return std::find(events.begin(), events.end(), text) != events.end();
    }

    void event(const std::string& text) override { events.push_back(text); }
    void stepFailed(const std::string& reason) override { failures.push_back(reason); }

    HostDriver& driver() { return *driver_; }
    const std::filesystem::path& folder() const { return folder_; }

    std::vector<std::string> events;
    std::vector<std::string> failures;
    std::vector<std::string> answers;

private:
    // Unique to this run, so that test runs side by side never share it.
    testsupport::TemporaryFolder temporary_;
    std::filesystem::path folder_ = temporary_.path();
    std::unique_ptr<HostDriver> driver_;
};

TEST(HostDriver, BeforeLaunchTimePassesAndQueriesAnswerFromTheDeviceRoot) {
    Phone phone;
    phone.run("wait 2\nprefs timerTime=12 rememberSettings=YES name=\"a b\"\ntap 10 10");
    EXPECT_EQ(phone.driver().now(), 2);
    EXPECT_EQ(phone.failures,
              std::vector<std::string>{"the phone is not running yet (launch first)"});
    EXPECT_EQ(phone.ask("photos"), "0");
    EXPECT_EQ(phone.ask("hooks"), "0");
    EXPECT_EQ(phone.ask("state._timerTime"), "5");
    EXPECT_EQ(phone.ask("pref.timerTime"), "12");
    EXPECT_EQ(phone.ask("pref.rememberSettings"), "YES");
    EXPECT_EQ(phone.ask("pref.name"), "a b");
    EXPECT_EQ(phone.ask("pref.guideIndex"), "missing");
    EXPECT_EQ(phone.ask("visible focus-reticle"), "NO");

    // The process starts where the clock stands, and reads the preferences written before.
    phone.run("launch\nwait 1");
    EXPECT_EQ(phone.driver().now(), 3);
    EXPECT_EQ(phone.ask("hooks"), "30");
    EXPECT_EQ(phone.ask("state.rememberSettings"), "YES");
    EXPECT_EQ(phone.ask("state._timerTime"), "12");
    EXPECT_TRUE(phone.heard("camera launched"));
    EXPECT_TRUE(phone.heard("window shown: UIWindow (level 0)"));
    EXPECT_TRUE(phone.heard("focus-reticle shown at 115,195"));
}

TEST(HostDriver, AWaitCostsOnlyTheWorkThatFallsDue) {
    // Processor time, which a busy machine does not stretch.
    const auto secondsSince = [](std::clock_t start) {
        return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    };
    Phone phone;
    phone.run("launch\nwait 1");
    const auto idle = std::clock();
    phone.run("wait 86400");
    EXPECT_EQ(phone.driver().now(), 86401);
    EXPECT_LT(secondsSince(idle), 0.1);

    // A day of a timer firing once a minute, as a time lapse in minutes fires.
    int ticks = 0;
    const auto timer = platform::NSTimer::scheduledTimer(60, true, [&ticks](auto&) { ++ticks; });
    const auto busy = std::clock();
    phone.run("wait 86400");
    timer->invalidate();
    EXPECT_EQ(ticks, 1440);
    EXPECT_LT(secondsSince(busy), 1.0);
    EXPECT_TRUE(phone.failures.empty());
}

TEST(HostDriver, EveryRefusedOrAbsorbedActionIsExplained) {
    Phone phone;
    // The second press comes while the first photo's iris is closed.
    phone.run("launch\nwait 1\nshutter\nshutter\nwait 1");
    EXPECT_TRUE(phone.heard("shutter ignored: iris closed"));
    EXPECT_EQ(phone.ask("photos"), "1");

    // Both reticles stand where they were made, the exposure reticle above.
    phone.run("tap 320 480\ntap 10 -1\ndrag focus-reticle to 200 300");
    EXPECT_EQ(phone.failures,
              (std::vector<std::string>{
                  "the touch at 320,480 is off the 320x480 screen: nothing receives it",
                  "the touch at 10,-1 is off the 320x480 screen: nothing receives it"}));
    EXPECT_TRUE(
        phone.heard("the touch on focus-reticle lands on exposure-reticle, which lies "
                    "over it"));
    phone.failures.clear();

    phone.run("mode video\nmode photo\nwait 1\nmode video\npanorama on");
    EXPECT_EQ(phone.failures,
              (std::vector<std::string>{
                  "the camera cannot switch to photo now: iris closed",
                  "the camera cannot switch to video now: already in video mode",
                  "the camera cannot turn panorama on now: panorama is for photo mode"}));
    phone.failures.clear();

    phone.force("close");
    phone.run("tap 10 10");
    EXPECT_TRUE(phone.heard("the touch at 10,10 reaches no view"));
    EXPECT_TRUE(phone.failures.empty());
}

TEST(HostDriver, TheLibraryStaysOutOfOtherProcesses) {
    Phone phone;
    phone.run("launch com.example.other\nwait 1\ntap 200 300");
    EXPECT_EQ(phone.ask("hooks"), "0");
    EXPECT_EQ(phone.ask("advanced"), "NO");
    EXPECT_EQ(phone.ask("visible focus-reticle"), "NO");
    EXPECT_EQ(phone.ask("reticle.focus"), "none");
    EXPECT_TRUE(phone.failures.empty());
}

TEST(HostDriver, AbsentTargetsFailTheirStepsAndTheRunGoesOn) {
    Phone phone;
    phone.run(
        "launch\ntap stop-button\nhold panel.close 1\ndrag dial.plus to 1 1\nscroll bar.timer 2\n"
        "scroll wb-lock 1\nshutter\nwait 1");
    EXPECT_EQ(phone.failures, (std::vector<std::string>{
                                  "stop-button is not on screen", "panel.close is not on screen",
                                  "dial.plus is not on screen", "bar.timer is not on screen",
                                  "wb-lock has no strip to scroll"}));
    EXPECT_EQ(phone.ask("photos"), "1");
    EXPECT_EQ(phone.ask("bar"), "absent");
    EXPECT_EQ(phone.ask("visible stop-button"), "NO");
    EXPECT_EQ(phone.ask("frame stop-button"), "absent");
}

TEST(HostDriver, TouchesOnTheWhiteBalanceButtonStayOffThePreview) {
    // The button sits just above the host's button bar.
    Phone phone;
    phone.run("launch\ntap wb-lock");
    EXPECT_TRUE(phone.failures.empty());
    EXPECT_EQ(phone.ask("selected wb-lock"), "YES");
    EXPECT_EQ(phone.ask("device.wb-mode"), "0");
    EXPECT_EQ(phone.ask("reticle.focus"), "115,195");  // the touch did not reach the preview
    EXPECT_EQ(phone.ask("frame wb-lock"), "10,353,74,31");
}

// The view a touch at the point goes to by the platform's rules, read off what the picture shows
// there, front first: the first that takes touches (it and its ancestors do, and the ancestors'
// bounds hold the point: a view drawn outside its superview is out of reach).
std::shared_ptr<platform::UIView> touchedOnThePicture(platform::CGPoint point) {
    for (const auto& view : inspect::viewsAt(point)) {
        bool takes = true;
        for (const platform::UIView* v = view.get(); v != nullptr && takes; v = v->superview()) {
            takes = v->isUserInteractionEnabled() &&
                    platform::CGRectContainsPoint(v->bounds(), v->convertPointFromScreen(point));
        }
        if (takes) {
            return view;
        }
    }
    return nullptr;
}

TEST(HostDriver, DrawingTouchingAndTheTimelineAgreeAllOverTheScreen) {
    const std::vector<std::string> screens{
        "launch\nwait 1",
        "launch\nwait 1\ntap settings-button\nwait 1\ntap bar.timer\nwait 0.5",
        "launch\nwait 1\nmode video\nwait 2\ntap settings-button\nwait 1\ntap bar.fps\nwait 1",
        "launch\nwait 1\ntap settings-button\nwait 1\ntap pref-button\nwait 1",
        "launch\nwait 1\ntap settings-button\nwait 1\ntap bar.timer\nwait 1\nrotate 3\nwait 1\n"
        "shutter\nwait 1.5\ntap settings-button\nwait 0.2",
    };
    for (const auto& screen : screens) {
        Phone phone;
        phone.run(screen);
        ASSERT_TRUE(phone.failures.empty()) << screen;
        int disagreements = 0;
        for (float y = 1; y < 480; y += 6) {
            for (float x = 1; x < 320; x += 6) {
                const platform::CGPoint point{x, y};
                const auto shown = touchedOnThePicture(point);
                const auto touched = platform::UIScreen::mainScreen().hitTest(point);
                const std::string said = phone.driver().landing(point);
                const std::string truth =
                    "the touch at " + compactPoint(point) +
                    (shown ? " lands on " + phone.driver().nameOf(*shown) : " reaches no view");
                if ((touched != shown || said != truth) && ++disagreements <= 5) {
                    ADD_FAILURE() << screen << "\nat " << compactPoint(point)
                                  << " the picture shows " << truth << ", the touch goes to "
                                  << (touched ? inspect::className(*touched) : "nothing")
                                  << ", the timeline says " << said;
                }
            }
        }
        EXPECT_EQ(disagreements, 0) << screen;
        // A touch on a target that reaches it says nothing of what lies over it.
        phone.events.clear();
        for (const Target target : allTargets()) {
            const auto view = libraryView(target);
            const auto point = view ? inspect::touchPoint(*view) : std::nullopt;
            const auto hit = point ? platform::UIScreen::mainScreen().hitTest(*point) : nullptr;
            if (hit && inspect::isShowing(*view) &&
                (hit == view || hit->isDescendantOfView(view.get()))) {
                const auto seen = inspect::frontmostViewAt(*point);
                EXPECT_TRUE(seen == view || seen->isDescendantOfView(view.get()))
                    << screen << "\n"
                    << targetName(target) << " at " << compactPoint(*point) << " shows "
                    << phone.driver().nameOf(*seen);
            }
        }
    }

    // The white-balance button's lower half lies under the host's bar, which takes the touch
    // there; a touch on the button goes where it shows.
    Phone phone;
    phone.run("launch\nwait 1\ntap 47 396");
    EXPECT_TRUE(phone.heard("the touch at 47,396 lands on PLCameraButtonBar"));
    EXPECT_EQ(phone.ask("selected wb-lock"), "NO");
    EXPECT_EQ(inspect::className(*inspect::frontmostViewAt({47, 396})), "PLCameraButtonBar");
    phone.run("tap wb-lock");
    EXPECT_EQ(phone.ask("selected wb-lock"), "YES");
    EXPECT_TRUE(std::none_of(phone.events.begin(), phone.events.end(), [](const std::string& e) {
        return e.find("lies over it") != std::string::npos;
    }));
}

TEST(HostDriver, TheTimelineSaysWhatTheLibraryCouldNotReadAndWhatItPosts) {
    Phone phone;
    const std::string whole =
        "<plist><dict><key>rememberSettings</key><true/><key>timerTime</key><integer>9</integer>"
        "</dict></plist>";
    std::ofstream(phone.folder() / "whole.plist") << whole;
    std::ofstream(phone.folder() / "cut.plist") << whole.substr(0, 60);
    std::ofstream(phone.folder() / "corrupt.plist") << "bplist00\xff\xff";
    std::ofstream(phone.folder() / "large.plist")
        << "<plist><dict>" << std::string(std::size_t{1} << 20, ' ') << "</dict></plist>";
    const std::string unreadable = "preferences unreadable: defaults in force";
    const auto saidUnreadable = [&] {
        const bool said = phone.heard(unreadable);
        phone.events.clear();
        return said;
    };
    for (const char* file : {"cut.plist", "corrupt.plist", "large.plist"}) {
        phone.force(std::string("prefs-file ") + file);
        phone.run("launch\nwait 1");
        EXPECT_TRUE(saidUnreadable()) << file;
        EXPECT_EQ(phone.ask("state.rememberSettings"), "NO");
        // Each opening reads it again, and says so again.
        phone.force("close");
        phone.run("launch\nwait 1");
        EXPECT_TRUE(saidUnreadable()) << file;
        phone.force("close");
    }
    phone.run("prefs-file whole.plist\nlaunch\nwait 1");
    EXPECT_FALSE(saidUnreadable());
    EXPECT_EQ(phone.ask("state._timerTime"), "9");

    // The dial answers through its fade-out; the library's notifications are named.
    phone.run("tap settings-button\nwait 1\ntap bar.timer\nwait 1\ntap bar.timer\nwait 0.2");
    EXPECT_EQ(phone.ask("dial"), "fading");
    EXPECT_EQ(phone.ask("dial.value"), "9");
    EXPECT_EQ(phone.ask("dial.kind"), "TIMER");
    phone.run("wait 0.4");
    EXPECT_EQ(phone.ask("dial"), "absent");
    EXPECT_EQ(phone.ask("dial.value"), "absent");
    phone.run("tap bar.timer\nwait 1\nshutter\nwait 1");
    EXPECT_TRUE(
        phone.heard("Darwin notification posted: Snapforge_START_TIMED_PHOTO_Notification"));
    phone.run("wait 10\ntap settings-button\nwait 1\ntap pref-button\nwait 1\ntap panel.close");
    EXPECT_TRUE(phone.heard("Darwin notification posted: Snapforge_Settings_Form_Closed"));
    EXPECT_TRUE(phone.failures.empty()) << phone.failures.front();
}

TEST(HostDriver, CloseKeepsTheProcessAndALaterLaunchReopensTheCamera) {
    Phone phone;
    phone.run("launch\nwait 1\nshutter\nwait 1\nclose\ntap preview\nshutter");
    EXPECT_EQ(phone.failures,
              (std::vector<std::string>{"preview is not on screen", "the camera is not open"}));
    EXPECT_TRUE(phone.heard("camera closed"));
    EXPECT_TRUE(phone.heard("focus-reticle hidden"));
    EXPECT_EQ(phone.ask("photos"), "1");
    EXPECT_EQ(phone.ask("hooks"), "30");

    phone.failures.clear();
    phone.run("launch\nwait 1\nshutter\nwait 1");
    EXPECT_TRUE(phone.failures.empty());
    EXPECT_EQ(phone.ask("photos"), "2");
    EXPECT_EQ(phone.ask("visible focus-reticle"), "YES");
    EXPECT_EQ(phone.ask("hooks"), "30");
}

TEST(HostDriver, CapabilitiesShapeTheDeviceBeforeAndAfterLaunch) {
    Phone phone;
    phone.run("capability exposure-continuous off\nlaunch\nwait 1");
    EXPECT_EQ(phone.ask("visible focus-reticle"), "YES");
    EXPECT_EQ(phone.ask("visible exposure-reticle"), "NO");

    // Without configuration locks the white-balance lock cannot change the device.
    phone.run("capability lock-config off\ntap wb-lock");
    EXPECT_EQ(phone.ask("device.wb-mode"), "2");
    phone.run("capability lock-config on\ntap wb-lock\ntap wb-lock");
    EXPECT_EQ(phone.ask("device.wb-mode"), "0");
    EXPECT_TRUE(phone.heard("device: white-balance mode 0"));

    // The output follows the hardware too.
    EXPECT_EQ(phone.ask("frame-duration"), "1/30,1/24");
    phone.run("capability video-connection off");
    EXPECT_EQ(phone.ask("frame-duration"), "none");
    EXPECT_TRUE(phone.failures.empty());
}

TEST(HostDriver, WithTheLogOnTheLibrarysDiagnosticsJoinTheTimeline) {
    Phone quiet;
    quiet.run("launch\nwait 1");
    EXPECT_EQ(quiet.ask("state.LOGGER_ON"), "NO");
    EXPECT_TRUE(std::none_of(quiet.events.begin(), quiet.events.end(),
                             [](const std::string& e) { return e.starts_with("log: "); }));

    Phone logged(true);
    logged.run("device iPhone4,1 id 0123456789abcdef0123456789abcdef01234567\nlaunch\nwait 1");
    EXPECT_EQ(logged.ask("state.LOGGER_ON"), "YES");
    EXPECT_TRUE(logged.heard("log: ** SnapforgeInitialize ** DISABLE_SAVE = NO"));
}

TEST(HostDriver, SnapshotsAreWrittenIntoTheSnapshotFolder) {
    Phone phone;
    phone.run("snapshot before.svg\nlaunch\nwait 1\nsnapshot shots/after.svg");
    EXPECT_TRUE(phone.failures.empty());
    std::ifstream after(phone.folder() / "shots/shots/after.svg");
    const std::string picture((std::istreambuf_iterator<char>(after)), {});
    EXPECT_NE(picture.find("data-class=\"FocusView\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(phone.folder() / "shots/before.svg"));
    EXPECT_TRUE(
        phone.heard("snapshot written to " + (phone.folder() / "shots/before.svg").string()));

    // A FIFO or a folder in the picture's place fails the step instead of stalling the run.
    ASSERT_EQ(::mkfifo((phone.folder() / "shots/pipe.svg").c_str(), 0600), 0);
    std::filesystem::create_directories(phone.folder() / "shots/folder.svg");
    phone.run("snapshot pipe.svg\nsnapshot folder.svg");
    EXPECT_EQ(phone.failures.size(), 2u);
    EXPECT_NE(phone.failures.front().find("something other than a regular file is there"),
              std::string::npos);
}

}  // namespace
}  // namespace sim

namespace sim {
namespace {

// Any order of steps, also ones the scenario language would refuse, leaves the driver
// answering: a step can fail, never the run.
TEST(HostDriver, RandomStepsNeverEndTheRun) {
    const std::vector<std::string> steps{"launch",
                                         "close",
                                         "tap 200 300",
                                         "tap 47 375",
                                         "tap preview",
                                         "tap focus-reticle",
                                         "tap exposure-reticle",
                                         "tap wb-lock",
                                         "tap settings-button",
                                         "hold focus-reticle 0.7",
                                         "hold 160 240 0.6",
                                         "drag focus-reticle to 20 30",
                                         "drag exposure-reticle to 300 470 0.1",
                                         "drag 0 0 to 319 479",
                                         "shutter",
                                         "wait 0.3",
                                         "wait 2",
                                         "rotate 1",
                                         "rotate 2",
                                         "rotate 3",
                                         "rotate 4",
                                         "mode photo",
                                         "mode video",
                                         "panorama on",
                                         "panorama off",
                                         "background",
                                         "foreground",
                                         "capability lock-config off",
                                         "capability lock-config on",
                                         "capability exposure-continuous off",
                                         "capability exposure-continuous on",
                                         "capability video-connection off",
                                         "capability video-connection on",
                                         "prefs rememberSettings=YES advPhotoSelected=NO",
                                         "prefs-raw \"<plist>\"",
                                         "scroll bar.timer 1",
                                         "snapshot random.svg"};
    std::uint32_t seed = 20240611;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    Phone phone;
    for (int i = 0; i < 600; ++i) {
        const std::string& step = steps[next() % steps.size()];
        phone.force(step);
        if (i % 50 == 0) {
            for (const char* query : {"photos", "reticle.focus", "device.wb-mode", "frame wb-lock",
                                      "frame-duration", "pref.advPhotoSelected"}) {
                EXPECT_FALSE(phone.ask(query).empty());
            }
        }
    }
    EXPECT_EQ(phone.ask("hooks"), "30");
}

}  // namespace
}  // namespace sim
