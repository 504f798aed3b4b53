#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace platform {
class AVCaptureDevice;
class AVCaptureOutput;
class AVCaptureSession;
class CaptureChangeLog;
class Object;
class UIView;
class UIWindow;
}  // namespace platform

namespace sim {

// The capture objects the camera works with at the moment (any may be missing).
struct CaptureObjects {
    std::shared_ptr<platform::AVCaptureDevice> device;
    std::shared_ptr<platform::AVCaptureSession> session;
    std::shared_ptr<platform::AVCaptureOutput> output;
};

// Finds what changed on the simulated phone since it last looked and says so in one short line
// per change: windows shown or hidden, the library's views shown, hidden, moved, locked or
// selected, the framing aid's picture, device settings taken, Darwin notifications posted, the
// preferences file written, and a preferences file the library found unreadable.
class ChangeWatcher {
public:
    using Report = std::function<void(const std::string&)>;
    using CaptureSource = std::function<CaptureObjects()>;

    // How many views have their showing, place, selection and lock watched, how many of the
    // library's windows fade, and how many objects turn with the interface.
    static constexpr std::size_t kWatchedViewCount = 5;
    static constexpr std::size_t kFadingWindowCount = 4;
    static constexpr std::size_t kTurningViewCount = 6;

    ChangeWatcher(Report report, CaptureSource capture);

    // Compares with the last look. Positions only count at the end of a step, so that a drag
    // reports where a view ended up rather than every point on the way.
    void look(bool stepEnded);

    // Takes the preferences file as it is now without reporting it (the scenario wrote it).
    void acceptPreferences();

    // The texts of the library's fading messages seen so far, in order.
    const std::vector<std::string>& messages() const { return messages_; }
    void forgetMessages() { messages_.clear(); }

private:
    struct ViewRecord {
        const void* identity = nullptr;
        bool showing = false;
        platform::CGPoint origin;
        bool selected = false;
        bool locked = false;
    };
    struct WindowRecord {
        std::weak_ptr<platform::UIWindow> window;
        std::string description;
    };
    struct LogRecord {
        std::weak_ptr<platform::Object> owner;
        std::size_t seen = 0;
    };
    using Windows = std::vector<std::shared_ptr<platform::UIWindow>>;
    void lookAtWindows(const Windows& visible);
    void noteNewWindow(const platform::UIWindow& window);
    void lookAtFades();
    void lookAtLibraryViews(const Windows& visible, bool stepEnded);
    void lookAtView(std::string_view name, const platform::UIView* view, ViewRecord& before,
                    const Windows& visible, bool stepEnded);
    void lookAtCountdown();
    void lookAtRotations(const Windows& visible);
    void lookAtCapture();
    void lookAtDarwinPosts();
    void lookAtPreferenceLoad();
    void lookAtPicture();
    void lookAtLog(const std::shared_ptr<platform::Object>& owner, platform::CaptureChangeLog& log,
                   const std::string& who);
    // Reporting, the file is looked at only when the platform has changed a file since the
    // last look, or when `anyway` (at the end of a step, for changes from outside).
    void lookAtPreferences(bool report, bool anyway = true);
    void reportPreferences(bool exists,
                           const std::optional<std::map<std::string, std::string>>& values);

    Report report_;
    CaptureSource capture_;
    std::vector<WindowRecord> windows_;
    std::vector<std::string> messages_;
    // Whether each of the library's fading windows was last seen faded in.
    std::array<bool, kFadingWindowCount> fadedIn_{};
    std::array<ViewRecord, kWatchedViewCount> views_{};
    // The countdown's last number, while a countdown is up.
    std::optional<std::string> countdown_;
    // How far each turning object was turned when last seen (0 while it is missing).
    std::array<double, kTurningViewCount> angles_{};
    std::vector<LogRecord> logs_;
    std::string picture_ = "none";
    // What the file system says of the file, to leave an unchanged file unread.
    struct FileStamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modified = 0;  // nanoseconds
        std::int64_t changed = 0;
        bool operator==(const FileStamp&) const = default;
    };
    std::filesystem::path preferencesPath_;
    std::optional<FileStamp> preferencesStamp_;
    std::optional<std::string> preferencesBytes_;
    std::uint64_t fileChangesSeen_ = 0;
    std::map<std::string, std::string> preferences_;
    // Whether the file as last read is one the library cannot read, and the camera view for
    // whose opening that was last said (said again for a new file or a new opening).
    bool preferencesUnreadable_ = false;
    std::weak_ptr<const void> unreadableSaidFor_;
    std::size_t darwinPostsSeen_ = 0;
};

}  // namespace sim
