#include "snapforge/LibraryFixture.h"
#include "snapforge/focus/AdvancedFocus.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/focus/FocusView.h"
#include "snapforge/startup/Hooks.h"

namespace snapforge {
namespace {

using testing::LibraryFixture;

// What the host's own controller methods were asked to do.
std::vector<std::string> hostCalls;

template <const platform::Selector<void()>& Sel>
void recordHostCall(platform::id, platform::SEL) {
    hostCalls.push_back(platform::sel_getName(Sel.sel));
}

class ControllerHooks : public LibraryFixture {
protected:
    ControllerHooks() {
        hostCalls.clear();
        platform::Class* cls = platform::objc_getClass("PLCameraController");
        platform::class_addMethod(cls, host::sel::_focusStarted,
                                  recordHostCall<host::sel::_focusStarted>);
        platform::class_addMethod(cls, host::sel::_focusCompleted,
                                  recordHostCall<host::sel::_focusCompleted>);
        platform::class_addMethod(cls, host::sel::_exposureStarted,
                                  recordHostCall<host::sel::_exposureStarted>);
        platform::class_addMethod(cls, host::sel::_exposureCompleted,
                                  recordHostCall<host::sel::_exposureCompleted>);
        platform::class_addMethod(cls, host::sel::_whiteBalanceStarted,
                                  recordHostCall<host::sel::_whiteBalanceStarted>);
        platform::class_addMethod(cls, host::sel::autofocus, recordHostCall<host::sel::autofocus>);
        platform::class_addMethod(
            cls, host::sel::isFocusAllowed, +[](platform::id, platform::SEL) { return true; });
        installHooks();
        s.focusView = FocusView::create(platform::CGRectMake(115, 195, 90, 90));
        s.exposureView = ExposureView::create(platform::CGRectMake(115, 195, 90, 90));
    }

    void adjustFocusAndExposure() {
        controller->_focusStarted();
        controller->_exposureStarted();
    }
};

TEST_F(ControllerHooks, PassEverythingThroughWhileAdvancedModeIsOff) {
    EXPECT_TRUE(controller->isFocusAllowed());
    controller->autofocus();
    adjustFocusAndExposure();
    controller->_whiteBalanceStarted();
    controller->_autofocus(false, false);
    EXPECT_EQ(hostCalls, (std::vector<std::string>{"autofocus", "_focusStarted", "_exposureStarted",
                                                   "_whiteBalanceStarted"}));
    // The host's own request is replaced by what the library allows.
    EXPECT_EQ(controller->autofocusRequests.back(), (std::pair<bool, bool>{true, true}));
    EXPECT_FALSE(s.focusView->isAnimating());
}

TEST_F(ControllerHooks, AdvancedModeHoldsTheHostBackAndAnimatesTheReticles) {
    toggleAdvancedFocus(true, nullptr, false);
    hostCalls.clear();
    EXPECT_FALSE(controller->isFocusAllowed());
    controller->autofocus();
    adjustFocusAndExposure();
    EXPECT_TRUE(hostCalls.empty());
    EXPECT_TRUE(s.focusView->isAnimating());
    EXPECT_TRUE(s.exposureView->isAnimating());

    controller->_focusCompleted();
    controller->_exposureCompleted();
    EXPECT_FALSE(s.focusView->isAnimating());
    EXPECT_FALSE(s.exposureView->isAnimating());
    EXPECT_EQ(hostCalls, (std::vector<std::string>{"_focusCompleted", "_exposureCompleted"}));

    controller->_autofocus(true, true);
    EXPECT_EQ(controller->autofocusRequests.back(), (std::pair<bool, bool>{false, false}));
}

TEST_F(ControllerHooks, TheWhiteBalanceLockAloneHoldsWhiteBalance) {
    s.canWhiteBalance = false;
    controller->_whiteBalanceStarted();
    EXPECT_TRUE(hostCalls.empty());
    toggleAdvancedFocus(false, nullptr, false);
    controller->_whiteBalanceStarted();
    EXPECT_EQ(hostCalls, std::vector<std::string>{"_whiteBalanceStarted"});
}

}  // namespace
}  // namespace snapforge
