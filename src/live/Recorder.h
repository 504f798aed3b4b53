#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "sim/Query.h"

namespace live {

// Keeps what a person does with the live camera as scenario lines, so that the session can be
// replayed as a test: touches at the level of the gesture they make, the virtual time between
// actions as `wait`, each query asked as an `expect` of the answer seen.
//
// The recording follows the clock a replay would keep: every action starts at the virtual time
// it started live, and a gesture lasts as long in the replay as its line says.
class Recorder {
public:
    // A finger lifted within this many seconds without moving made a tap; held longer, a hold.
    static constexpr double kTapSeconds = 0.3;
    // How far a finger may stray, in screen points, and still not have moved.
    static constexpr float kStillDistance = 10;

    // Starts a recording with the lines that brought the phone to where it stands (the device,
    // the launch or a whole scenario), the replay's clock standing at `time` after them.
    Recorder(std::vector<std::string> opening, double time);

    // A command that ran from `start` until the clock stood at `end`.
    void command(const std::string& line, double start, double end);
    // A query asked at `time` and its answer.
    void query(const sim::Query& query, const std::string& answer, double time);

    void fingerDown(platform::CGPoint point, double time);
    void fingerMove(platform::CGPoint point);
    // The gesture the finger made, as the line it adds.
    std::string fingerUp(platform::CGPoint point, double time);

    // The scenario so far, one line each.
    std::string text() const;
    // How many lines the scenario has so far.
    int lineCount() const { return static_cast<int>(lines_.size()); }

private:
    struct Finger {
        platform::CGPoint from;
        double start = 0;
        float farthest = 0;
    };

    // A `wait` for the virtual time since the last action.
    void waitUntil(double time);
    void add(std::string line) { lines_.push_back(std::move(line)); }

    std::vector<std::string> lines_;
    // Where a replay's clock stands after the lines so far.
    double clock_;
    std::optional<Finger> finger_;
};

}  // namespace live
