#include "sim/HostDriver.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <system_error>

#include "host/CameraApp.h"
#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIScrollView.h"
#include "sim/CompactNumber.h"
#include "sim/Gestures.h"
#include "sim/HostArtwork.h"
#include "sim/LibraryViews.h"
#include "sim/Pictures.h"
#include "sim/PreferencesFile.h"
#include "sim/ScreenDump.h"
#include "sim/SvgSnapshot.h"
#include "sim/ViewInspection.h"
#include "snapforge/startup/Startup.h"

namespace sim {
namespace {

constexpr const char* kDefaultBundleId = "com.apple.camera";
// The shortest slice of virtual time between two looks at the phone, so that
// work that keeps falling due cannot make a long wait crawl.
constexpr double kMinimumSlice = 0.001;

std::shared_ptr<platform::UIView> findKindOf(const std::shared_ptr<platform::UIView>& root,
                                             std::string_view className) {
    if (!root) {
        return nullptr;
    }
    if (root->isKindOfClass(className)) {
        return root;
    }
    for (const auto& subview : root->subviews()) {
        if (auto found = findKindOf(subview, className)) {
            return found;
        }
    }
    return nullptr;
}

std::shared_ptr<platform::UIScrollView> findStrip(const std::shared_ptr<platform::UIView>& root) {
    if (auto strip = std::dynamic_pointer_cast<platform::UIScrollView>(root)) {
        return strip;
    }
    for (const auto& subview : root->subviews()) {
        if (auto strip = findStrip(subview)) {
            return strip;
        }
    }
    return nullptr;
}

}  // namespace

HostDriver::HostDriver(DriverSettings settings) : settings_(std::move(settings)) {}

HostDriver::~HostDriver() {
    watcher_.reset();
    app_.reset();
    if (logSubscription_ && process_) {
        platform::SystemLog::shared().unsubscribe(*logSubscription_);
    }
    process_.reset();
}

void HostDriver::attach(Reporter& reporter) {
    reporter_ = &reporter;
}

double HostDriver::now() const {
    return process_ ? platform::RunLoop::main().now() : clockBeforeLaunch_;
}

void HostDriver::report(const std::string& text) {
    if (reporter_ != nullptr) {
        reporter_->event(text);
    }
}

void HostDriver::fail(const std::string& reason) {
    if (reporter_ != nullptr) {
        reporter_->stepFailed(reason);
    }
}

template <class Step>
void HostDriver::guarded(Step&& step) {
    try {
        step();
    } catch (const std::exception& error) {
        fail(std::string("the simulation failed: ") + error.what());
    } catch (...) {
        fail("the simulation failed");
    }
}

template <class Fn>
auto HostDriver::insideDeviceRoot(Fn&& fn) {
    if (process_) {
        return fn();
    }
    platform::Process standIn(device_.profile(kDefaultBundleId, settings_.libraryLog),
                              settings_.deviceRoot);
    return fn();
}

// The phone before and around the camera.

void HostDriver::perform(const cmd::Device& step) {
    if (process_) {
        fail("the device is chosen before the first launch");
        return;
    }
    device_.device = step;
}

void HostDriver::perform(const cmd::Capability& step) {
    guarded([&] {
        if (!process_) {
            device_.capabilities.push_back(step);
            return;
        }
        // The app changes the profile and the live device and output alike.
        if (!app_->setCapability(capabilityText(step), step.on)) {
            fail("the camera does not know the capability " + capabilityText(step));
        }
        settle();
    });
}

void HostDriver::writePreferences(bool written) {
    if (!written) {
        fail("cannot write the preferences file " +
             insideDeviceRoot(preferences::filePath).string());
        return;
    }
    if (watcher_) {
        watcher_->acceptPreferences();
    }
}

void HostDriver::perform(const cmd::Prefs& step) {
    guarded([&] {
        writePreferences(insideDeviceRoot([&] { return preferences::write(step.entries); }));
    });
}

void HostDriver::perform(const cmd::PrefsRaw& step) {
    guarded([&] {
        writePreferences(insideDeviceRoot([&] { return preferences::writeBytes(step.bytes); }));
    });
}

void HostDriver::perform(const cmd::PrefsFile& step) {
    guarded([&] {
        writePreferences(insideDeviceRoot([&] { return preferences::writeBytes(step.bytes); }));
    });
}

void HostDriver::startProcess(const std::string& bundleId) {
    process_ = std::make_unique<platform::Process>(device_.profile(bundleId, settings_.libraryLog),
                                                   settings_.deviceRoot);
    platform::RunLoop::main().runUntil(clockBeforeLaunch_);
    if (settings_.libraryLog) {
        logSubscription_ = platform::SystemLog::shared().subscribe(
            [this](const platform::SystemLog::Entry& entry) { report("log: " + entry.line); });
    }
    // The phone's hooking service loads the library into the app before the app
    // starts.
    app_ = std::make_unique<host::CameraApp>([] { snapforge::SnapforgeInitialize(); });
    app_->events().subscribe([this](const host::HostEvent& event) {
        // Device settings come from the watcher, together with the session's and connection's.
        if (event.kind != host::HostEventKind::DeviceChanged) {
            report(event.text);
        }
    });
    watcher_ = std::make_unique<ChangeWatcher>([this](const std::string& text) { report(text); },
                                               [this] { return captureObjects(); });
}

void HostDriver::perform(const cmd::Launch& step) {
    guarded([&] {
        if (!process_) {
            startProcess(step.bundleId);
        } else if (process_->profile().bundleIdentifier != step.bundleId) {
            fail("this scenario's process is " + process_->profile().bundleIdentifier);
            return;
        }
        if (app_->isOpen()) {
            fail("the camera is already open");
            return;
        }
        watcher_->forgetMessages();
        std::string error;
        if (settings_.pictures && !installPictures(*settings_.pictures, error)) {
            fail(error);
        }
        app_->launch();
        settle();
    });
}

void HostDriver::perform(const cmd::Close& step) {
    (void)step;
    guarded([&] {
        if (!requireCamera()) {
            return;
        }
        app_->close();
        settle();
    });
}

void HostDriver::perform(const cmd::Background&) {
    guarded([&] {
        if (requireProcess()) {
            app_->enterBackground();
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Foreground&) {
    guarded([&] {
        if (requireProcess()) {
            app_->enterForeground();
            settle();
        }
    });
}

bool HostDriver::requireProcess() {
    if (!process_) {
        fail("the phone is not running yet (launch first)");
        return false;
    }
    return true;
}

bool HostDriver::requireCamera() {
    if (!requireProcess()) {
        return false;
    }
    if (!app_->isOpen()) {
        fail("the camera is not open");
        return false;
    }
    return true;
}

// Time and touches.

void HostDriver::advance(double seconds) {
    seconds = std::max(0.0, seconds);
    if (!process_) {
        clockBeforeLaunch_ += seconds;
        return;
    }
    // What the step did before time moves on (a touch landing) shows at its own moment.
    watcher_->look(false);
    auto& loop = platform::RunLoop::main();
    const double end = loop.now() + seconds;
    for (;;) {
        double until = end;
        if (const auto next = loop.nextDueTime(); next && *next < end) {
            until = std::min(end, std::max(*next, loop.now() + kMinimumSlice));
        }
        loop.runUntil(until);
        watcher_->look(false);
        if (until >= end) {
            return;
        }
    }
}

void HostDriver::settle() {
    if (!process_) {
        return;
    }
    platform::RunLoop::main().runPending();
    watcher_->look(true);
}

std::optional<platform::CGPoint> HostDriver::locate(const Location& location) {
    if (!requireProcess()) {
        return std::nullopt;
    }
    const auto* target = std::get_if<Target>(&location);
    const auto point = target ? locateTarget(*target) : std::get<platform::CGPoint>(location);
    if (!point) {
        return std::nullopt;
    }
    const auto screen = platform::UIScreen::mainScreen().bounds();
    if (!platform::CGRectContainsPoint(screen, *point)) {
        fail("the touch at " + compactPoint(*point) + " is off the " +
             compactNumber(screen.size.width) + "x" + compactNumber(screen.size.height) +
             " screen: nothing receives it");
        return std::nullopt;
    }
    if (!target) {
        report(landing(*point));
    }
    return point;
}

std::string HostDriver::landing(platform::CGPoint point) const {
    const std::string touch = "the touch at " + compactPoint(point);
    const auto hit = platform::UIScreen::mainScreen().hitTest(point);
    return hit ? touch + " lands on " + nameOf(*hit) : touch + " reaches no view";
}

std::optional<platform::CGPoint> HostDriver::locateTarget(Target target) {
    const auto view = targetView(target);
    const std::string name(targetName(target));
    if (!view || !inspect::isShowing(*view)) {
        fail(name + " is not on screen");
        return std::nullopt;
    }
    const auto point = inspect::touchPoint(*view);
    if (!point) {
        const auto cover = platform::UIScreen::mainScreen().hitTest(inspect::screenCentre(*view));
        fail(name + " is covered" + (cover ? " by " + nameOf(*cover) : "") +
             ": no touch reaches it");
        return std::nullopt;
    }
    // What the finger presses is whatever the user sees on top there.
    const auto seen = inspect::frontmostViewAt(*point);
    if (seen && seen != view && !seen->isDescendantOfView(view.get())) {
        report("the touch on " + name + " lands on " + nameOf(*seen) + ", which lies over it");
    }
    return point;
}

std::string HostDriver::nameOf(const platform::UIView& view) const {
    const auto targets = allTargets();
    for (const platform::UIView* v = &view; v != nullptr; v = v->superview()) {
        for (const Target target : targets) {
            if (targetView(target).get() == v) {
                return std::string(targetName(target));
            }
        }
        if (artwork::drawsHostView(inspect::className(*v))) {
            return inspect::className(*v);
        }
    }
    return inspect::className(view);
}

void HostDriver::perform(const cmd::Tap& step) {
    guarded([&] {
        if (const auto point = locate(step.at)) {
            gestures::tap(*point, [this](double s) { advance(s); });
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Hold& step) {
    guarded([&] {
        if (const auto point = locate(step.at)) {
            gestures::hold(*point, step.seconds, [this](double s) { advance(s); });
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Drag& step) {
    guarded([&] {
        if (const auto point = locate(step.from)) {
            gestures::drag(*point, step.to, step.seconds, [this](double s) { advance(s); });
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Scroll& step) {
    guarded([&] {
        const auto from = locate(step.target);
        if (!from) {
            return;
        }
        const auto strip = findStrip(targetView(step.target));
        if (!strip) {
            fail(std::string(targetName(step.target)) + " has no strip to scroll");
            return;
        }
        gestures::scroll(*strip, *from, step.pages, [this](double s) { advance(s); });
        settle();
    });
}

void HostDriver::perform(const cmd::Shutter&) {
    guarded([&] {
        if (!requireCamera()) {
            return;
        }
        if (const auto point = locate(Target::Shutter)) {
            gestures::tap(*point, [this](double s) { advance(s); });
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Wait& step) {
    guarded([&] {
        advance(step.seconds);
        settle();
    });
}

// The camera app's own controls.

void HostDriver::perform(const cmd::Rotate& step) {
    guarded([&] {
        if (requireProcess()) {
            app_->rotate(step.orientation);
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Mode& step) {
    guarded([&] {
        if (!requireCamera()) {
            return;
        }
        const bool photo = step.mode == CameraMode::Photo;
        const int mode = photo ? 0 : 1;
        if (const auto refusal = app_->modeSwitchRefusal(mode)) {
            fail(std::string("the camera cannot switch to ") + (photo ? "photo" : "video") +
                 " now: " + *refusal);
            return;
        }
        app_->setCameraMode(mode);
        settle();
    });
}

void HostDriver::perform(const cmd::Panorama& step) {
    guarded([&] {
        if (!requireCamera()) {
            return;
        }
        if (const auto refusal = app_->panoramaRefusal(step.on)) {
            fail(std::string("the camera cannot turn panorama ") + (step.on ? "on" : "off") +
                 " now: " + *refusal);
            return;
        }
        app_->setPanorama(step.on);
        settle();
    });
}

void HostDriver::perform(const cmd::Snapshot& step) {
    guarded([&] { writeSnapshot(step.file, screenPicture(embeddedPicture), "snapshot"); });
}

void HostDriver::perform(const cmd::Dump& step) {
    guarded([&] { writeSnapshot(step.file, screenDump(), "screen"); });
}

void HostDriver::writeSnapshot(const std::string& name, const std::string& contents,
                               const std::string& what) {
    const auto path = settings_.snapshotFolder / name;
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    // Opening a FIFO for writing would wait for a reader for ever.
    const auto existing = std::filesystem::status(path, ec);
    if (std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing)) {
        fail("cannot write " + path.string() + ": something other than a regular file is there");
        return;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
    if (!file.flush()) {
        fail("cannot write " + path.string());
        return;
    }
    report(what + " written to " + path.string());
}

std::string HostDriver::screenPicture(const PictureLink& link) {
    return insideDeviceRoot([&] { return svgSnapshot(now(), link); });
}

std::string HostDriver::screenDump() {
    return insideDeviceRoot([&] { return sim::screenDump(now(), *this); });
}

// Queries.

std::string HostDriver::query(const Query& query) {
    try {
        return insideDeviceRoot([&] { return answerQuery(query, *this); });
    } catch (const std::exception& error) {
        return std::string("error: ") + error.what();
    }
}

std::shared_ptr<platform::UIView> HostDriver::targetView(Target target) const {
    if (target == Target::Preview || target == Target::Shutter) {
        const auto cameraView = app_ ? app_->cameraView() : nullptr;
        return target == Target::Preview ? cameraView : findKindOf(cameraView, "PLCameraButton");
    }
    return libraryView(target);
}

CaptureObjects HostDriver::captureObjects() const {
    const auto controller = app_ ? app_->controller() : nullptr;
    if (!controller) {
        return {};
    }
    return {controller->currentDevice(), controller->currentSession(), controller->currentOutput()};
}

std::vector<std::string> HostDriver::messages() const {
    return watcher_ ? watcher_->messages() : std::vector<std::string>{};
}

int HostDriver::photoCount() const {
    return app_ ? app_->photoCount() : 0;
}

}  // namespace sim
