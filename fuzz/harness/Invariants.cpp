#include "fuzz/harness/Invariants.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <variant>

#include "host/PLCameraController.h"
#include "host/Selectors.h"
#include "platform/Process.h"
#include "platform/capture/AVCaptureConnection.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/AVCaptureOutput.h"
#include "platform/foundation/PropertyListFile.h"
#include "platform/foundation/RunLoop.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "sim/ViewInspection.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/State.h"

namespace fuzzing {
namespace {

using platform::UIView;
using platform::UIWindow;

constexpr platform::UIWindowLevel kLibraryLevel = 1999;
constexpr platform::UIWindowLevel kStopButtonLevel = 2000;

// Counts the host's shutter presses in the current process, whoever asks for them: the
// button, the user's finger or a countdown reaching zero.
struct ShutterPresses {
    bool counting = false;
    int count = 0;
};

bool (*hostShutterClicked)(platform::id, platform::SEL, platform::id) = nullptr;

bool countedShutterClick(platform::id self, platform::SEL cmd, platform::id sender) {
    ++platform::Process::current().attachment<ShutterPresses>().count;
    return hostShutterClicked(self, cmd, sender);
}

// The number of presses so far, counting from the first call in a process that runs the camera.
int shutterPresses() {
    auto& presses = platform::Process::current().attachment<ShutterPresses>();
    if (!presses.counting) {
        if (platform::Class* view = platform::Runtime::shared().getClass("PLCameraView")) {
            platform::MSHookMessageEx(view, host::sel::cameraShutterClicked, &countedShutterClick,
                                      &hostShutterClicked);
            presses.counting = true;
        }
    }
    return presses.count;
}

bool holdsCameraView(const UIView& view) {
    if (view.isKindOfClass("PLCameraView")) {
        return true;
    }
    for (const auto& subview : view.subviews()) {
        if (holdsCameraView(*subview)) {
            return true;
        }
    }
    return false;
}

std::string windowName(const UIWindow& window) {
    return sim::inspect::className(window) + " at level " +
           std::to_string(static_cast<int>(window.windowLevel()));
}

std::optional<Violation> checkWindows(bool cameraOpen) {
    int stopButtons = 0;
    int countdownLabels = 0;
    for (const auto& window : platform::UIScreen::mainScreen().visibleWindows()) {
        if (!sim::inspect::isShowing(*window) || holdsCameraView(*window)) {
            continue;
        }
        if (!cameraOpen) {
            return Violation{"no library window showing while the camera is closed",
                             windowName(*window) + " is showing"};
        }
        const bool stopButton = window->isKindOfClass("StopButton");
        stopButtons += stopButton ? 1 : 0;
        countdownLabels += window->isKindOfClass("TimerLabel") ? 1 : 0;
        if (window->windowLevel() != (stopButton ? kStopButtonLevel : kLibraryLevel)) {
            return Violation{"library windows at level 1999, the stop button at 2000",
                             windowName(*window)};
        }
    }
    if (stopButtons > 1 || countdownLabels > 1) {
        return Violation{"at most one countdown label and one stop button",
                         std::to_string(countdownLabels) + " countdown labels, " +
                             std::to_string(stopButtons) + " stop buttons showing"};
    }
    return std::nullopt;
}

std::optional<Violation> checkCountdownTimers() {
    int countdowns = 0;
    for (const auto& timer : platform::RunLoop::main().scheduledTimers()) {
        countdowns += timer->repeats() && timer->timeInterval() == 1.0 ? 1 : 0;
    }
    if (countdowns > 1) {
        return Violation{"at most one countdown timer",
                         std::to_string(countdowns) + " repeating one-second timers"};
    }
    return std::nullopt;
}

bool insideUnitSquare(platform::CGPoint point) {
    return point.x >= 0 && point.x <= 1 && point.y >= 0 && point.y <= 1;
}

bool oneOverZero(const platform::CMTime& time) {
    return time.value != 0 && time.timescale == 0;
}

std::optional<Violation> checkDevice() {
    const auto controller = snapforge::state().cameraController.lock();
    if (!controller) {
        return std::nullopt;
    }
    if (const auto device = controller->currentDevice()) {
        for (const auto& [name, point] :
             {std::pair{"focus", device->focusPointOfInterest()},
              std::pair{"exposure", device->exposurePointOfInterest()}}) {
            if (!insideUnitSquare(point)) {
                return Violation{"points of interest inside 0..1",
                                 std::string(name) + " point " + platform::describePoint(point)};
            }
        }
    }
    if (const auto output = controller->currentOutput()) {
        for (const auto& connection : output->connections()) {
            if (oneOverZero(connection->videoMinFrameDuration()) ||
                oneOverZero(connection->videoMaxFrameDuration())) {
                return Violation{"frame durations never 1/0", "a connection's frame duration"};
            }
        }
    }
    return std::nullopt;
}

std::optional<Violation> checkClosedCamera(bool cameraOpen) {
    if (!cameraOpen && snapforge::state().capturingPhoto) {
        return Violation{"no photo in progress survives the camera's teardown",
                         "capturingPhoto is YES with the camera closed"};
    }
    return std::nullopt;
}

std::optional<Violation> checkMessages() {
    const auto& unrecognized = platform::Runtime::shared().unrecognizedSelectors();
    if (!unrecognized.empty()) {
        return Violation{"no unrecognised selector", unrecognized.front()};
    }
    return std::nullopt;
}

std::optional<Violation> checkPhotos(int photos) {
    const int presses = shutterPresses();
    if (photos > presses) {
        return Violation{"no photo without a shutter press",
                         std::to_string(photos) + " photos after " + std::to_string(presses) +
                             " shutter presses"};
    }
    return std::nullopt;
}

bool rewritesPreferences(const sim::CommandBody& step) {
    return std::holds_alternative<sim::cmd::Prefs>(step) ||
           std::holds_alternative<sim::cmd::PrefsRaw>(step) ||
           std::holds_alternative<sim::cmd::PrefsFile>(step);
}

std::optional<std::string> fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

InvariantChecker::InvariantChecker(std::filesystem::path deviceRoot)
    : preferencesFile_(std::move(deviceRoot) /
                       std::filesystem::path(snapforge::kPreferencesFolder).relative_path() /
                       snapforge::kPreferencesFileName) {}

std::optional<Violation> InvariantChecker::checkPreferencesFile(bool rewrotePreferences) {
    auto bytes = fileBytes(preferencesFile_);
    const bool changed = bytes != preferencesBytes_;
    preferencesBytes_ = std::move(bytes);
    // Only the library writes the file inside a process; the scenario may write anything.
    if (!changed || !preferencesBytes_ || rewrotePreferences || !platform::Process::exists()) {
        return std::nullopt;
    }
    const std::string phonePath = std::string(snapforge::kPreferencesFolder) + "/" +
                                  std::string(snapforge::kPreferencesFileName);
    if (!platform::dictionaryWithContentsOfFile(phonePath)) {
        return Violation{
            "the preferences file absent or a whole property list",
            std::to_string(preferencesBytes_->size()) + " bytes that do not read back"};
    }
    return std::nullopt;
}

std::optional<Violation> InvariantChecker::afterStep(const sim::CommandBody& step, bool stepFailed,
                                                     int photos) {
    if (!stepFailed && std::holds_alternative<sim::cmd::Launch>(step)) {
        cameraOpen_ = true;
    }
    if (!stepFailed && std::holds_alternative<sim::cmd::Close>(step)) {
        cameraOpen_ = false;
    }
    return check(cameraOpen_, rewritesPreferences(step), photos);
}

std::optional<Violation> InvariantChecker::check(bool cameraOpen, bool rewrotePreferences,
                                                 int photos) {
    auto preferences = checkPreferencesFile(rewrotePreferences);
    if (preferences || !platform::Process::exists()) {
        return preferences;
    }
    for (auto violation :
         {checkWindows(cameraOpen), checkClosedCamera(cameraOpen), checkCountdownTimers(),
          checkDevice(), checkMessages(), checkPhotos(photos)}) {
        if (violation) {
            return violation;
        }
    }
    return std::nullopt;
}

}  // namespace fuzzing
