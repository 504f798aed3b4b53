#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "live/Inspector.h"
#include "live/Recorder.h"
#include "platform/Geometry.h"
#include "sim/Driver.h"
#include "sim/ScenarioParser.h"
#include "sim/Timeline.h"

namespace sim {
class HostDriver;
}

namespace live {

enum class TouchPhase { Down, Move, Up };

struct TimelineEntry {
    double time = 0;
    sim::TimelineKind kind = sim::TimelineKind::Step;
    std::string text;
};

// What a request to the session came to.
struct Outcome {
    // 200, 400 for a request that cannot be carried out as asked, 409 for one that does not fit
    // the moment (a second finger, a line while a finger is down).
    int status = 200;
    std::string error;
    // A query's answer, a gesture's line.
    std::string answer;
    // The step ran but failed, as a scenario run says so ("line 3: tap bar: bar is not on
    // screen").
    std::string failure;
    // What the timeline heard meanwhile.
    std::vector<TimelineEntry> timeline;
};

struct SessionSettings {
    // How phones are driven; each phone gets a fresh device root of its own.
    sim::DriverSettings driver;
    // What the first phone plays before it is handed over; without it the camera is launched.
    std::optional<sim::Scenario> opening;
    // Where the opening scenario's timeline and summary are printed.
    std::ostream* openingOut = nullptr;
    bool quiet = false;
    // The address a frame gives for a picture, by its name.
    std::function<std::string(const std::string& name)> pictureAddress;
};

// A picture a frame refers to, ready to be served.
struct PictureFile {
    std::string bytes;
    std::string mediaType;
};

// One simulated phone a person plays with, driven through the same driver, parser, runner,
// queries and renderer as a scenario, and the recording of what they did. Single-threaded:
// everything runs on the thread that made it (the phone's own), which also keeps its clock
// through `passTime`.
class LiveSession : private sim::Reporter, private sim::TimelineListener {
public:
    explicit LiveSession(SessionSettings settings);
    ~LiveSession() override;
    LiveSession(const LiveSession&) = delete;
    LiveSession& operator=(const LiveSession&) = delete;

    double now() const;
    // How many virtual seconds pass per wall-clock second: 0 (paused), 1, 10 or 60.
    double speed() const { return speed_; }
    void setSpeed(double speed) { speed_ = speed; }
    bool fingerIsDown() const { return finger_.has_value(); }

    Outcome touch(TouchPhase phase, platform::CGPoint point);
    // A scenario line, or a query on its own, run now.
    Outcome consoleLine(std::string_view text);
    // Moves the clock to the next piece of work that falls due and runs it.
    Outcome runToNext();
    // A new phone and a new recording; `device` as a device line writes it after "device".
    Outcome reset(const std::optional<std::string>& device);

    // Lets wall-clock time pass on the virtual clock.
    void passTime(double seconds);
    // When the phone next needs its clock to move: now while something animates, else when the
    // next piece of work falls due; nothing when all is still.
    std::optional<double> nextChange() const;

    // The screen now, its pictures by address; the preview's scene stands still.
    std::string screen();
    std::vector<InspectedView> inspect(platform::CGPoint point);
    // The library's state, the camera's settings and the preferences file, by section.
    std::map<std::string, std::map<std::string, std::string>> state();
    std::string scenario() const { return recorder_->text(); }
    std::optional<PictureFile> picture(const std::string& name) const;

    // The timeline's lines since the last call.
    std::vector<TimelineEntry> takeTimeline();

    // The phone itself and the folder its files live in, for checks made between requests.
    sim::HostDriver& driver();
    const std::filesystem::path& deviceRoot() const;

private:
    struct Phone;
    struct Finger {
        double start = 0;
        platform::CGPoint last;
    };
    struct Picture {
        std::filesystem::path path;
        bool png = true;
    };

    void event(const std::string& text) override;
    void stepFailed(const std::string& reason) override;
    void line(double time, sim::TimelineKind kind, std::string_view text) override;

    // Replaces the phone with a new one that has played `opening`.
    void startPhone(const sim::Scenario& opening, std::ostream* out);
    // Runs one command as a scenario's step; the failure, if it failed.
    std::optional<std::string> run(const sim::Command& command);
    Outcome answerQuery(const sim::Query& query);
    Outcome runCommand(const sim::Command& command);
    platform::CGPoint onScreen(platform::CGPoint point) const;
    std::string pictureLink(const std::filesystem::path& path, bool png);
    Outcome finish(Outcome outcome, std::size_t timelineFrom) const;

    SessionSettings settings_;
    double speed_ = 1;
    std::ostream nowhere_{nullptr};
    sim::Timeline timeline_{nowhere_, true};
    // What the timeline heard since it was last taken, the oldest dropped past a bound.
    std::vector<TimelineEntry> heard_;
    std::string lastFailure_;
    std::unique_ptr<Phone> phone_;
    std::unique_ptr<Recorder> recorder_;
    sim::ParseState parseState_;
    std::optional<Finger> finger_;
    std::map<std::string, Picture> pictures_;
    std::map<std::filesystem::path, std::string> pictureNames_;
};

}  // namespace live
