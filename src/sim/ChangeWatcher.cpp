#include "sim/ChangeWatcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/AVCaptureOutput.h"
#include "platform/capture/AVCaptureSession.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DevicePath.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "sim/CompactNumber.h"
#include "sim/LibraryViews.h"
#include "sim/PreferencesFile.h"
#include "sim/ViewInspection.h"
#include "snapforge/camerabar/CameraBarEx.h"
#include "snapforge/camerabar/MessageLabel.h"
#include "snapforge/focus/ReticleView.h"
#include "snapforge/prefs/PreferenceButton.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/startup/State.h"
#include "snapforge/timed/SelectorDial.h"
#include "snapforge/timed/TimerLabel.h"

namespace sim {
namespace {

constexpr std::array kWatchedViews{Target::FocusReticle, Target::ExposureReticle, Target::WbLock,
                                   Target::SettingsButton, Target::StopButton};
// The bar's window stays put: its first mode button's icon shows the bar's turn.
constexpr std::array kTurningViews{Target::BarNormal, Target::BarAdvancedVideo, Target::Dial,
                                   Target::Countdown, Target::StopButton,       Target::Message};

// What a capture setting is called in the timeline; lock and unlock calls are left out.
std::optional<std::string> settingName(const std::string& what) {
    static const std::array<std::pair<std::string_view, std::string_view>, 8> names{{
        {"focusMode", "focus mode"},
        {"exposureMode", "exposure mode"},
        {"whiteBalanceMode", "white-balance mode"},
        {"focusPointOfInterest", "focus point"},
        {"exposurePointOfInterest", "exposure point"},
        {"sessionPreset", "preset"},
        {"videoMinFrameDuration", "min frame duration"},
        {"videoMaxFrameDuration", "max frame duration"},
    }};
    if (what == "lockForConfiguration" || what == "unlockForConfiguration") {
        return std::nullopt;
    }
    for (const auto& [key, name] : names) {
        if (key == what) {
            return std::string(name);
        }
    }
    return what;
}

// The whole file, or nothing when there is no readable file. Contents rather than times tell
// a change: two saves can fall within one tick of the file system's clock.
std::optional<std::string> fileBytes(const std::filesystem::path& path) {
    constexpr std::size_t kLimit = std::size_t{4} << 20;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0 || bytes.size() > kLimit) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return bytes;
}

// The library's windows that fade in and out, by their timeline names.
using FadingWindows = std::array<std::pair<std::string_view, std::shared_ptr<platform::UIWindow>>,
                                 ChangeWatcher::kFadingWindowCount>;

FadingWindows fadingWindows() {
    const snapforge::State& s = snapforge::state();
    return {{
        {"camera bar", s.cameraBar},
        {"dial", s.cameraBar ? s.cameraBar->selDial : nullptr},
        {"preference button", s.prefButton},
        {"settings panel", s.settingsPanel},
    }};
}

// Whether a weak reference is to the object held, told without taking hold of it.
template <class T, class U>
bool refersTo(const std::weak_ptr<T>& weak, const std::shared_ptr<U>& held) {
    return !weak.owner_before(held) && !held.owner_before(weak) && !weak.expired();
}

std::string describeWindow(const platform::UIWindow& window) {
    return inspect::className(window) + " (level " + compactNumber(window.windowLevel()) + ")";
}

}  // namespace

ChangeWatcher::ChangeWatcher(Report report, CaptureSource capture)
    : report_(std::move(report)),
      capture_(std::move(capture)),
      preferencesPath_(preferences::filePath()),
      darwinPostsSeen_(platform::CFNotificationCenterGetDarwinNotifyCenter()->posts().total()) {
    lookAtPreferences(false);
}

void ChangeWatcher::look(bool stepEnded) {
    const auto visible = platform::UIScreen::mainScreen().visibleWindows();
    lookAtWindows(visible);
    lookAtFades();
    lookAtLibraryViews(visible, stepEnded);
    lookAtCountdown();
    lookAtRotations(visible);
    lookAtPicture();
    lookAtCapture();
    lookAtDarwinPosts();
    lookAtPreferences(true, stepEnded);
    lookAtPreferenceLoad();
}

void ChangeWatcher::acceptPreferences() {
    lookAtPreferences(false);
}

void ChangeWatcher::lookAtWindows(const Windows& visible) {
    const auto isVisible = [&visible](const std::shared_ptr<platform::UIWindow>& window) {
        return window && std::find(visible.begin(), visible.end(), window) != visible.end();
    };
    std::erase_if(windows_, [&](const WindowRecord& record) {
        if (isVisible(record.window.lock())) {
            return false;
        }
        report_("window hidden: " + record.description);
        return true;
    });
    for (const auto& window : visible) {
        const bool known = std::any_of(windows_.begin(), windows_.end(),
                                       [&](const auto& r) { return refersTo(r.window, window); });
        if (!known) {
            windows_.push_back({window, describeWindow(*window)});
            report_("window shown: " + windows_.back().description);
            noteNewWindow(*window);
        }
    }
}

void ChangeWatcher::noteNewWindow(const platform::UIWindow& window) {
    if (const auto* message = dynamic_cast<const snapforge::MessageLabel*>(&window)) {
        messages_.push_back(message->text());
        report_("message: \"" + messages_.back() + "\"");
    }
}

// Alphas are model values: a fade shows as its end value the moment it starts.
void ChangeWatcher::lookAtFades() {
    const FadingWindows windows = fadingWindows();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const auto& [name, window] = windows[i];
        const bool fadedIn = window && !window->isHidden() && window->alpha() >= 0.5f;
        if (fadedIn != fadedIn_[i] && window && !window->isHidden()) {
            report_(std::string(name) + (fadedIn ? " fading in" : " fading out"));
        }
        fadedIn_[i] = fadedIn;
    }
}

void ChangeWatcher::lookAtLibraryViews(const Windows& visible, bool stepEnded) {
    static_assert(kWatchedViews.size() == kWatchedViewCount);
    for (std::size_t i = 0; i < kWatchedViews.size(); ++i) {
        const auto view = libraryView(kWatchedViews[i], visible);
        lookAtView(targetName(kWatchedViews[i]), view.get(), views_[i], visible, stepEnded);
    }
}

void ChangeWatcher::lookAtView(std::string_view name, const platform::UIView* view,
                               ViewRecord& before, const Windows& visible, bool stepEnded) {
    ViewRecord now;
    if (view != nullptr) {
        now.identity = view;
        now.showing = inspect::isShowing(*view, visible);
        now.origin = inspect::standingOrigin(*view);
        if (const auto* control = dynamic_cast<const platform::UIControl*>(view)) {
            now.selected = control->isSelected();
        }
        if (const auto* reticle = dynamic_cast<const snapforge::ReticleView*>(view)) {
            now.locked = reticle->isLocked();
        }
    }
    const auto say = [&](const std::string& what) { report_(std::string(name) + what); };
    // `origin` is where the view was last reported to be.
    platform::CGPoint reported = before.origin;
    if (now.showing != before.showing) {
        say(now.showing ? " shown at " + compactPoint(now.origin) : " hidden");
        reported = now.origin;
    } else if (now.showing && stepEnded && now.origin != before.origin) {
        say(" moved to " + compactPoint(now.origin));
        reported = now.origin;
    }
    if (view != nullptr && now.identity == before.identity) {
        if (now.selected != before.selected) {
            say(now.selected ? " selected" : " deselected");
        }
        if (now.locked != before.locked) {
            say(now.locked ? " locked" : " unlocked");
        }
    }
    before = now;
    before.origin = reported;
}

// Each number as it flashes, and the end of the count.
void ChangeWatcher::lookAtCountdown() {
    const auto& bar = snapforge::state().cameraBar;
    std::optional<std::string> now;
    if (bar && bar->timerLabel) {
        now = bar->timerLabel->text();
    }
    if (now && !now->empty() && now != countdown_) {
        report_("countdown " + *now);
    } else if (!now && countdown_) {
        report_("countdown ended");
    }
    if (!now || !now->empty()) {
        countdown_ = now;
    }
}

void ChangeWatcher::lookAtRotations(const Windows& visible) {
    static_assert(kTurningViews.size() == kTurningViewCount);
    for (std::size_t i = 0; i < kTurningViews.size(); ++i) {
        const Target target = kTurningViews[i];
        const auto view = libraryView(target, visible);
        const double angle = view ? rotationOf(*view) : 0;
        if (view && angle != angles_[i]) {
            report_(std::string(targetName(target)) + " turned to " + compactNumber(angle));
        }
        angles_[i] = angle;
    }
}

void ChangeWatcher::lookAtCapture() {
    const CaptureObjects objects = capture_ ? capture_() : CaptureObjects{};
    std::erase_if(logs_, [](const LogRecord& record) { return record.owner.expired(); });
    if (objects.device) {
        lookAtLog(objects.device, objects.device->changeLog(), "device");
    }
    if (objects.session) {
        lookAtLog(objects.session, objects.session->changeLog(), "session");
    }
    if (objects.output) {
        for (const auto& connection : objects.output->connections()) {
            lookAtLog(connection, connection->changeLog(), "connection");
        }
    }
}

void ChangeWatcher::lookAtPicture() {
    const std::string picture = framingPicture();
    if (picture == picture_) {
        return;
    }
    if (picture == "none") {
        report_("picture removed");
    } else if (picture == "empty") {
        report_("picture view shown without a picture");
    } else {
        report_("picture: " + picture);
    }
    picture_ = picture;
}

void ChangeWatcher::lookAtDarwinPosts() {
    const auto& posts = platform::CFNotificationCenterGetDarwinNotifyCenter()->posts();
    for (const auto& name : posts.after(darwinPostsSeen_)) {
        report_("Darwin notification posted: " + name);
    }
    darwinPostsSeen_ = posts.total();
}

// The library reads the file as the camera opens; a file it cannot read leaves it with no
// preferences, so with the defaults.
void ChangeWatcher::lookAtPreferenceLoad() {
    const snapforge::State& s = snapforge::state();
    const auto cameraView = s.cameraView.lock();
    const bool readNothing = cameraView && s._didSetPrefs && !s.prefsDictionary;
    if (readNothing && preferencesUnreadable_ && !refersTo(unreadableSaidFor_, cameraView)) {
        report_("preferences unreadable: defaults in force");
        unreadableSaidFor_ = cameraView;
    }
}

void ChangeWatcher::lookAtLog(const std::shared_ptr<platform::Object>& owner,
                              platform::CaptureChangeLog& log, const std::string& who) {
    auto record = std::find_if(logs_.begin(), logs_.end(),
                               [&](const LogRecord& r) { return refersTo(r.owner, owner); });
    if (record == logs_.end()) {
        // Settings made before the camera came into view are the host's own set-up.
        logs_.push_back({owner, log.recordedCount()});
        return;
    }
    if (record->seen > log.recordedCount()) {
        record->seen = 0;
    }
    for (const auto& change : log.changesAfter(record->seen)) {
        const auto name = settingName(change.what);
        if (change.accepted && name) {
            report_(who + ": " + *name + " " + change.value);
        }
    }
    record->seen = log.recordedCount();
}

void ChangeWatcher::lookAtPreferences(bool report, bool anyway) {
    // Between steps the watcher looks after every turn of the run loop; the file system is
    // asked only when the platform has written something since.
    const std::uint64_t fileChanges = platform::deviceFileChanges();
    if (report && !anyway && fileChanges == fileChangesSeen_) {
        return;
    }
    fileChangesSeen_ = fileChanges;
    // Every save replaces the file with a new one, so an unchanged stamp is an unchanged file.
    struct stat status {};
    std::optional<FileStamp> stamp;
    if (::stat(preferencesPath_.c_str(), &status) == 0) {
        stamp = FileStamp{status.st_dev, status.st_ino, status.st_size,
                          status.st_mtim.tv_sec * 1'000'000'000 + status.st_mtim.tv_nsec,
                          status.st_ctim.tv_sec * 1'000'000'000 + status.st_ctim.tv_nsec};
    }
    if (report && stamp == preferencesStamp_) {
        return;
    }
    preferencesStamp_ = stamp;
    auto bytes = fileBytes(preferencesPath_);
    if (bytes == preferencesBytes_) {
        return;
    }
    const bool exists = bytes.has_value();
    preferencesBytes_ = std::move(bytes);
    const auto values = preferences::values();
    preferencesUnreadable_ = exists && !values;
    unreadableSaidFor_.reset();
    if (report) {
        reportPreferences(exists, values);
    }
    preferences_ = values.value_or(std::map<std::string, std::string>{});
}

void ChangeWatcher::reportPreferences(
    bool exists, const std::optional<std::map<std::string, std::string>>& values) {
    if (!exists) {
        report_("preferences removed");
        return;
    }
    if (!values) {
        report_("preferences written (not a readable property list)");
        return;
    }
    std::string changes;
    const auto add = [&changes](const std::string& change) {
        changes += (changes.empty() ? "" : ", ") + change;
    };
    for (const auto& [key, value] : *values) {
        const auto old = preferences_.find(key);
        if (old == preferences_.end() || old->second != value) {
            add(key + "=" + value);
        }
    }
    for (const auto& [key, value] : preferences_) {
        if (!values->contains(key)) {
            add(key + " removed");
        }
    }
    report_("preferences written" + (changes.empty() ? " (unchanged)" : ": " + changes));
}

}  // namespace sim
