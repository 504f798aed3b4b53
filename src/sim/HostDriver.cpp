#include "sim/HostDriver.h"

#include "host/CameraApp.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "sim/HostDriverSteps.h"
#include "sim/LibraryViews.h"
#include "sim/Pictures.h"
#include "sim/PreferencesFile.h"
#include "snapforge/startup/Startup.h"

namespace sim {
namespace {

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

std::optional<std::string> HostDriver::processBundleId() const {
    if (!process_) {
        return std::nullopt;
    }
    return process_->profile().bundleIdentifier;
}

bool HostDriver::isCameraOpen() const {
    return app_ && app_->isOpen();
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
