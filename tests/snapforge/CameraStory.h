#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/CameraApp.h"
#include "host/DeviceModels.h"
#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIScreen.h"
#include "sim/ViewInspection.h"
#include "snapforge/camerabar/MessageLabel.h"
#include "snapforge/camerabar/SettingsButtonEx.h"
#include "snapforge/startup/Startup.h"
#include "snapforge/startup/State.h"

namespace snapforge::testing {

// A camera process with the library loaded, driven as a user would: touches on the screen and
// time on the run loop.
class CameraStory : public ::testing::Test {
protected:
    explicit CameraStory(platform::DeviceProfile profile = host::deviceProfile("iPhone4,1"))
        : process(std::move(profile)), app([] { SnapforgeInitialize(); }) {}

    void launch() {
        app.launch();
        run(1);
    }

    void run(double seconds) { platform::RunLoop::main().runFor(seconds); }

    void tap(platform::CGPoint point) {
        screen().touchDown(point);
        run(0.05);
        screen().touchUp(point);
        run(0.05);
    }

    void hold(platform::CGPoint point, double seconds) {
        screen().touchDown(point);
        run(seconds);
        screen().touchUp(point);
        run(0.05);
    }

    void drag(platform::CGPoint from, platform::CGPoint to, double seconds = 0.3) {
        screen().touchDown(from);
        const int steps = static_cast<int>(seconds * 60);
        for (int i = 1; i <= steps; ++i) {
            run(1.0 / 60);
            const float t = static_cast<float>(i) / static_cast<float>(steps);
            screen().touchMove({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
        }
        screen().touchUp(to);
        run(0.05);
    }

    // A tap where the control itself takes it (where another view lies over part of it).
    template <class View>
    void touch(const std::shared_ptr<View>& view) {
        ASSERT_TRUE(view);
        const auto point = sim::inspect::touchPoint(*view);
        ASSERT_TRUE(point);
        tap(*point);
    }
    // The settings button opens the camera bar (or closes it).
    void toggleBar() {
        touch(s.settingsButton);
        run(1);
    }

    static platform::UIScreen& screen() { return platform::UIScreen::mainScreen(); }

    // The texts of the message windows on screen now.
    static std::vector<std::string> messagesOnScreen() {
        std::vector<std::string> texts;
        for (const auto& window : screen().visibleWindows()) {
            if (const auto* message = dynamic_cast<const MessageLabel*>(window.get())) {
                texts.push_back(message->text());
            }
        }
        return texts;
    }

    platform::AVCaptureDevice& device() { return *app.controller()->currentDevice(); }

    // The centre of a view on the screen.
    static platform::CGPoint centreOf(const platform::UIView& view) {
        const auto bounds = view.bounds();
        return view.convertPointToScreen(
            {bounds.origin.x + bounds.size.width / 2, bounds.origin.y + bounds.size.height / 2});
    }

    platform::Process process;
    host::CameraApp app;
    State& s = state();
};

}  // namespace snapforge::testing
