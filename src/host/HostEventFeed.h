#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/BoundedHistory.h"

namespace host {

enum class HostEventKind {
    CameraLaunched,
    CameraClosed,
    PreviewStarted,
    PreviewStopped,
    IrisOpened,
    IrisClosed,
    PhotoTaken,
    RecordingStarted,
    RecordingStopped,
    ModeSwitched,
    ModeSwitchRefused,
    ShutterIgnored,
    ShutterPressedInCode,
    PanoramaEntered,
    PanoramaExited,
    PanoramaRefused,
    Rotated,
    TapToFocus,
    FocusLocked,
    FocusStarted,
    FocusCompleted,
    ExposureStarted,
    ExposureCompleted,
    WhiteBalanceStarted,
    DeviceChanged,
    AppEnteredBackground,
    AppEnteredForeground,
};

// Something the camera app did, as one line of text, at a virtual time.
struct HostEvent {
    HostEventKind kind;
    std::string text;
    double time = 0;
};

// The camera app's timeline: listeners hear each event as it happens; the history keeps the
// latest (at least kKeptEvents), so a day-long run does not fill memory, and counts them all.
class HostEventFeed {
public:
    using Listener = std::function<void(const HostEvent&)>;
    static constexpr std::size_t kKeptEvents = 1000;

    // A token for unsubscribe.
    int subscribe(Listener listener);
    void unsubscribe(int token);

    void publish(HostEventKind kind, std::string text);

    const std::vector<HostEvent>& history() const { return history_.items(); }
    // How many events of a kind have happened.
    int count(HostEventKind kind) const;
    // The texts of the kept events, in order.
    std::vector<std::string> texts() const;

private:
    struct Subscription {
        int token;
        Listener listener;
    };

    std::vector<Subscription> subscriptions_;
    platform::BoundedHistory<HostEvent> history_{kKeptEvents};
    std::map<HostEventKind, int> counts_;
    int nextToken_ = 1;
};

}  // namespace host
