#pragma once

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "host/CameraApp.h"
#include "host/DeviceModels.h"
#include "platform/Process.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/UIScreen.h"

namespace host::testing {

// Every traced message, as "Class selector", in order.
inline std::vector<std::string>& trace() {
    static std::vector<std::string> messages;
    return messages;
}

inline int traced(const std::string& entry) {
    int count = 0;
    for (const auto& message : trace()) {
        count += message == entry ? 1 : 0;
    }
    return count;
}

// Position of the first traced entry, or -1.
inline int tracePosition(const std::string& entry) {
    for (std::size_t i = 0; i < trace().size(); ++i) {
        if (trace()[i] == entry) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// A hook, installed as the library installs its own, that notes each message and then runs
// what was there before. One selector hooked on two classes needs two tags.
template <const auto& S, int Tag = 0>
struct Tracer {
    using Implementation = typename std::remove_cvref_t<decltype(S)>::Implementation;
    static inline Implementation original = nullptr;
    static inline std::string className;

    static void install(const char* cls) {
        className = cls;
        platform::MSHookMessageEx(platform::objc_getClass(cls), S,
                                  replacementFor(static_cast<Implementation>(nullptr)), &original);
    }

    template <class R, class... Args>
    static constexpr auto replacementFor(R (*)(platform::id, platform::SEL, Args...)) {
        return +[](platform::id self, platform::SEL cmd, Args... args) -> R {
            trace().push_back(className + " " + platform::sel_getName(cmd));
            return original(self, cmd, args...);
        };
    }
};

// A fresh process with the camera app of a device model; the app's extension point installs
// whatever hooks the test asks for.
class CameraAppTest : public ::testing::Test {
protected:
    explicit CameraAppTest(const char* machine = "iPhone4,1", const DeviceOverrides& overrides = {})
        : process_(deviceProfile(machine, overrides)), app_([this] { installHooks(); }) {
        trace().clear();
    }

    virtual void installHooks() {}

    void run(double seconds) { platform::RunLoop::main().runFor(seconds); }
    platform::UIScreen& screen() { return platform::UIScreen::mainScreen(); }
    void tap(platform::CGPoint point) {
        screen().touchDown(point);
        run(0.05);
        screen().touchUp(point);
    }
    std::vector<std::string> eventTexts() { return app_.events().texts(); }

    platform::Process process_;
    CameraApp app_;
};

}  // namespace host::testing
