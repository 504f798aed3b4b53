#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "host/PLCameraController.h"
#include "host/PLCameraView.h"
#include "platform/Process.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/runtime/Runtime.h"
#include "snapforge/startup/State.h"

namespace snapforge::testing {

// A stand-in for the host's controller: a capture device and a record of what it was told.
class FakeController : public host::PLCameraController {
public:
    explicit FakeController(const platform::CaptureCapabilities& capabilities)
        : device_(platform::AVCaptureDevice::create(capabilities)) {}

    int cameraMode() const override { return mode; }
    std::shared_ptr<platform::AVCaptureDevice> currentDevice() const override { return device_; }
    std::shared_ptr<platform::AVCaptureSession> currentSession() const override { return {}; }
    std::shared_ptr<platform::AVCaptureOutput> currentOutput() const override { return {}; }

    int mode = 0;
    std::vector<std::pair<bool, bool>> autofocusRequests;
    std::vector<std::tuple<bool, bool, bool>> lockRequests;

private:
    std::shared_ptr<platform::AVCaptureDevice> device_;
};

// A stand-in for the host's camera view that records whether it was asked to show its focus.
class FakeCameraView : public host::PLCameraView {
public:
    std::vector<bool> showFocusRequests;
};

// A fresh process with a fake controller and camera view recorded in the library state, as the
// host's creation hooks would record them.
class LibraryFixture : public ::testing::Test {
protected:
    explicit LibraryFixture(platform::CaptureCapabilities capabilities = {}) {
        auto& runtime = platform::Runtime::shared();
        platform::Class* controllerClass = runtime.registerClass("PLCameraController", "NSObject");
        platform::class_addMethod(
            controllerClass, host::sel::_autofocus,
            +[](platform::id self, platform::SEL, bool focus, bool expose) {
                static_cast<FakeController*>(self)->autofocusRequests.push_back({focus, expose});
            });
        platform::class_addMethod(
            controllerClass, host::sel::_lockFocus,
            +[](platform::id self, platform::SEL, bool focus, bool exposure, bool whiteBalance) {
                static_cast<FakeController*>(self)->lockRequests.push_back(
                    {focus, exposure, whiteBalance});
            });
        platform::Class* viewClass = runtime.registerClass("PLCameraView", "UIView");
        platform::class_addMethod(
            viewClass, host::sel::_setShouldShowFocus,
            +[](platform::id self, platform::SEL, bool show) {
                static_cast<FakeCameraView*>(self)->showFocusRequests.push_back(show);
            });
        controller = std::make_shared<FakeController>(capabilities);
        controller->setObjcClass(controllerClass);
        cameraView = std::make_shared<FakeCameraView>();
        cameraView->setObjcClass(viewClass);
        cameraView->setFrame(platform::CGRectMake(0, 0, 320, 480));
        s.cameraController = controller;
        s.cameraView = cameraView;
    }

    platform::AVCaptureDevice& device() { return *controller->currentDevice(); }

    platform::Process process;
    State& s = state();
    std::shared_ptr<FakeController> controller;
    std::shared_ptr<FakeCameraView> cameraView;
};

}  // namespace snapforge::testing
