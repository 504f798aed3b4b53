#pragma once

#include <functional>
#include <string>
#include <vector>

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

// The camera app's timeline: listeners hear each event as it happens; the history keeps them all.
class HostEventFeed {
public:
    using Listener = std::function<void(const HostEvent&)>;

    // A token for unsubscribe.
    int subscribe(Listener listener);
    void unsubscribe(int token);

    void publish(HostEventKind kind, std::string text);

    const std::vector<HostEvent>& history() const { return history_; }
    // How many events of a kind have happened.
    int count(HostEventKind kind) const;
    // The texts of every event so far, in order.
    std::vector<std::string> texts() const;

private:
    struct Subscription {
        int token;
        Listener listener;
    };

    std::vector<Subscription> subscriptions_;
    std::vector<HostEvent> history_;
    int nextToken_ = 1;
};

}  // namespace host
