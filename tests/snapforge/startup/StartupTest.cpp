#include <gtest/gtest.h>

#include "host/PLCameraView.h"
#include "platform/Process.h"
#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Runtime.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/startup/Startup.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

struct Launch {
    std::string bundle = "com.apple.camera";
    std::string version = "6.1.3";
    std::string machine = "iPhone4,1";
    std::optional<std::string> identifier = "0123456789abcdef";
};

// Starts a process with the host's classes registered and runs the library's start-up in it.
class StartedProcess {
public:
    explicit StartedProcess(const Launch& launch) : process_(profileFor(launch)) {
        for (const char* name :
             {"PLCameraView", "PLPreviewOverlayView", "PLSwipeBlockingScrollView",
              "PLCameraButtonBar", "PLCameraController"}) {
            platform::Runtime::shared().registerClass(name, "NSObject");
        }
        SnapforgeInitialize();
    }

private:
    static platform::DeviceProfile profileFor(const Launch& launch) {
        platform::DeviceProfile profile;
        profile.bundleIdentifier = launch.bundle;
        profile.systemVersion = launch.version;
        profile.machine = launch.machine;
        profile.uniqueIdentifier = launch.identifier;
        return profile;
    }

    platform::Process process_;
};

TEST(Startup, ActsOnlyInTheCameraAndTheHomeScreen) {
    for (const char* bundle : {"com.apple.camera", "com.apple.springboard"}) {
        StartedProcess process(Launch{.bundle = bundle});
        EXPECT_EQ(installedHookCount(), 30) << bundle;
        EXPECT_FALSE(state().DISABLE_SAVE);
    }
    for (const char* bundle : {"com.apple.Camera", "com.example.other", ""}) {
        StartedProcess process(Launch{.bundle = bundle, .version = "7.0"});
        EXPECT_EQ(installedHookCount(), 0) << bundle;
        EXPECT_TRUE(state().DISABLE_SAVE);
        EXPECT_FALSE(state().IS_IOS6);
    }
}

TEST(Startup, ReadsTheMajorVersionWhole) {
    const std::pair<const char*, bool> versions[] = {
        {"6.0", true}, {"5.1.1", false}, {"10.0", true}, {"4.3", false}, {"", false}, {"x", false}};
    for (const auto& [version, ios6] : versions) {
        StartedProcess process(Launch{.version = version});
        EXPECT_EQ(state().IS_IOS6, ios6) << version;
    }
}

TEST(Startup, SavingNeedsAModelOfRankFiveUnlessLoggingIsOn) {
    const std::pair<const char*, bool> models[] = {{"iPod4,1", true},   {"iPhone9,9", true},
                                                   {"iPhone3,3", true}, {"iPhone4,1", false},
                                                   {"iPad3,1", false},  {"iPad4,2", false}};
    for (const auto& [machine, disabled] : models) {
        StartedProcess process(Launch{.machine = machine});
        EXPECT_EQ(state().DISABLE_SAVE, disabled) << machine;
        EXPECT_FALSE(state().LOGGER_ON);
    }
    const std::string debugDevice = "ff" + std::string(kDebugLockConstant) + "00";
    StartedProcess process(Launch{.machine = "iPod4,1", .identifier = debugDevice});
    EXPECT_TRUE(state().LOGGER_ON);
    EXPECT_FALSE(state().DISABLE_SAVE);
    EXPECT_TRUE(
        platform::SystemLog::shared().contains("** SnapforgeInitialize ** DISABLE_SAVE = NO"));
    EXPECT_TRUE(
        platform::SystemLog::shared().contains("** SnapforgeInitialize ** platformID = 4.400000"));
}

TEST(Startup, LoggingNeedsTheDebugLockInTheIdentifier) {
    {
        StartedProcess process(Launch{.identifier = std::nullopt});
        EXPECT_FALSE(state().LOGGER_ON);
    }
    {
        StartedProcess process(Launch{.identifier = std::string(kDebugLockConstant).substr(1)});
        EXPECT_FALSE(state().LOGGER_ON);
    }
    EXPECT_EQ(kDebugLockConstant.size(), 28u);
    EXPECT_EQ(kDebugLockConstant.find_first_not_of("0123456789abcdef"), std::string_view::npos);
}

TEST(State, AFreshProcessStartsFromTheInitialValues) {
    platform::Process process;
    const State& s = state();
    for (const auto& [name, value] :
         std::vector<std::pair<const char*, const char*>>{{"_tmpAdvPhotoSelected", "YES"},
                                                          {"_tmpAdvVideoSelected", "NO"},
                                                          {"overlayIndex", "3"},
                                                          {"guideIndex", "3"},
                                                          {"resolutionIndex", "1"},
                                                          {"_timerTime", "5"},
                                                          {"_timeLapseTime", "5"},
                                                          {"_frameRateTime", "30"},
                                                          {"DISABLE_SAVE", "YES"},
                                                          {"startLocation", "0,0"}}) {
        EXPECT_EQ(s.describe(name), value) << name;
    }
    EXPECT_EQ(s.describe("noSuchVariable"), std::nullopt);
}

TEST(State, ClearVariablesUnlocksTheReticlesAndForgetsTheView) {
    platform::Process process;
    State& s = state();
    clearVariables();
    EXPECT_FALSE(s.touchDirectObject);

    auto view = std::make_shared<host::PLCameraView>();
    s.cameraView = view;
    s.touchDirectObject = true;
    s.focusView = FocusView::create(platform::CGRectMake(0, 0, 90, 90));
    s.exposureView = ExposureView::create(platform::CGRectMake(0, 0, 90, 90));
    s.focusView->setLockedState(true);
    s.exposureView->setLockedState(true);
    s.UseAdvancedCamera = true;
    clearVariables();
    EXPECT_TRUE(s.cameraView.expired());
    EXPECT_FALSE(s.touchDirectObject);
    EXPECT_FALSE(s.focusView->isLocked());
    EXPECT_FALSE(s.exposureView->isLocked());
    EXPECT_TRUE(s.UseAdvancedCamera);
}

}  // namespace
}  // namespace snapforge
