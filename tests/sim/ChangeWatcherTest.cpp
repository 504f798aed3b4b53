#include "sim/ChangeWatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/AVCaptureOutput.h"
#include "platform/capture/AVCaptureSession.h"
#include "platform/ui/UIWindow.h"
#include "sim/PreferencesFile.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/focus/WhiteBalanceButton.h"
#include "snapforge/startup/State.h"

namespace sim {
namespace {

using namespace platform;

struct Watched {
    std::vector<std::string> lines;
    CaptureObjects capture;
    ChangeWatcher watcher{[this](const std::string& line) { lines.push_back(line); },
                          [this] { return capture; }};

    std::vector<std::string> take() { return std::exchange(lines, {}); }
};

using Lines = std::vector<std::string>;

TEST(ChangeWatcher, ReportsWindowsAndTheLibrarysViewsOncePerChange) {
    Process process;
    Watched w;
    auto window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    window->makeKeyAndVisible();
    auto& s = snapforge::state();
    s.focusView = snapforge::FocusView::create(CGRectMake(115, 195, 90, 90));
    window->addSubview(s.focusView);
    w.watcher.look(true);
    EXPECT_EQ(w.take(),
              (Lines{"window shown: UIWindow (level 0)", "focus-reticle shown at 115,195"}));
    w.watcher.look(true);
    EXPECT_EQ(w.take(), Lines{});

    // A drag is reported where it ends, not at every point on the way.
    s.focusView->setFrame(CGRectMake(120, 200, 90, 90));
    w.watcher.look(false);
    s.focusView->setFrame(CGRectMake(130, 210, 90, 90));
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{});
    w.watcher.look(true);
    EXPECT_EQ(w.take(), Lines{"focus-reticle moved to 130,210"});

    s.focusView->setLockedState(true);
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{"focus-reticle locked"});

    s.wbLockButton = snapforge::WhiteBalanceButton::create(CGRectMake(10, 370, 74, 31));
    window->addSubview(s.wbLockButton);
    w.watcher.look(false);
    s.wbLockButton->setSelected(true);
    w.watcher.look(false);
    EXPECT_EQ(w.take(), (Lines{"wb-lock shown at 10,370", "wb-lock selected"}));

    // A transparent or detached view is no longer on screen; a hidden window takes its views.
    s.focusView->setAlpha(0);
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{"focus-reticle hidden"});
    window->setHidden(true);
    w.watcher.look(false);
    EXPECT_EQ(w.take(), (Lines{"window hidden: UIWindow (level 0)", "wb-lock hidden"}));
    s.wbLockButton.reset();
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{});
}

TEST(ChangeWatcher, ReportsAcceptedDeviceSettingsButNotTheHostsSetUp) {
    Process process;
    Watched w;
    w.capture.device = AVCaptureDevice::create(CaptureCapabilities{});
    w.capture.session = AVCaptureSession::create(w.capture.device);
    w.capture.output = AVCaptureOutput::create(CaptureCapabilities{});
    auto& device = *w.capture.device;
    device.lockForConfiguration();
    device.setFocusMode(1);  // before the first look: the host's own set-up
    device.unlockForConfiguration();
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{});

    device.lockForConfiguration();
    device.setFocusPointOfInterest({0.5f, 0.25f});
    device.setFocusMode(2);
    device.setWhiteBalanceMode(7);  // refused: not reported
    device.unlockForConfiguration();
    w.capture.session->setSessionPreset(AVCaptureSessionPreset1280x720);
    w.watcher.look(false);
    EXPECT_EQ(w.take(), (Lines{"device: focus point {0.5, 0.25}", "device: focus mode 2",
                               "session: preset AVCaptureSessionPreset1280x720"}));
}

TEST(ChangeWatcher, ReportsPreferencesWrittenExceptByTheScenario) {
    Process process;
    Watched w;
    ASSERT_TRUE(preferences::write({{"rememberSettings", false}}));
    w.watcher.acceptPreferences();
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{});

    ASSERT_TRUE(preferences::write(
        {{"rememberSettings", false}, {"advPhotoSelected", true}, {"timerTime", std::int64_t{5}}}));
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{"preferences written: advPhotoSelected=YES, timerTime=5"});

    ASSERT_TRUE(preferences::write({{"rememberSettings", false}, {"timerTime", std::int64_t{5}}}));
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{"preferences written: advPhotoSelected removed"});
    ASSERT_TRUE(preferences::writeBytes("not a property list"));
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{"preferences written (not a readable property list)"});
    // A change behind the platform's back shows at the end of the step.
    std::filesystem::remove(preferences::filePath());
    w.watcher.look(false);
    EXPECT_EQ(w.take(), Lines{});
    w.watcher.look(true);
    EXPECT_EQ(w.take(), Lines{"preferences removed"});
}

}  // namespace
}  // namespace sim
