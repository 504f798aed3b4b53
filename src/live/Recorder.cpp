#include "live/Recorder.h"

#include <algorithm>
#include <cmath>

#include "sim/Command.h"
#include "sim/Gestures.h"
#include "sim/ScenarioError.h"
#include "sim/ScenarioParser.h"

namespace live {
namespace {

// The live clock moves in whole milliseconds; so do the recorded times.
double wholeMilliseconds(double seconds) {
    return std::round(seconds * 1000) / 1000;
}

float distance(platform::CGPoint a, platform::CGPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool readsBack(const std::string& line) {
    try {
        sim::parseScenario(line, ".");
        return true;
    } catch (const sim::ScenarioError&) {
        return false;
    }
}

}  // namespace

Recorder::Recorder(std::vector<std::string> opening, double time)
    : lines_(std::move(opening)), clock_(time) {}

void Recorder::waitUntil(double time) {
    const double gap = wholeMilliseconds(time - clock_);
    if (gap > 0) {
        add(sim::describe(sim::cmd::Wait{gap}));
    }
    clock_ = std::max(clock_, time);
}

void Recorder::command(const std::string& line, double start, double end) {
    waitUntil(start);
    add(line);
    clock_ = end;
}

void Recorder::query(const sim::Query& query, const std::string& answer, double time) {
    waitUntil(time);
    const std::string line = sim::describe(sim::cmd::Expect{query, answer});
    // An answer an expect line cannot hold (a number beyond what it compares) stays a note.
    add(readsBack(line) ? line
                        : "# " + sim::describe(query) + " answered " + sim::quoteWord(answer));
}

void Recorder::fingerDown(platform::CGPoint point, double time) {
    finger_ = Finger{point, time, 0};
}

void Recorder::fingerMove(platform::CGPoint point) {
    if (finger_) {
        finger_->farthest = std::max(finger_->farthest, distance(finger_->from, point));
    }
}

std::string Recorder::fingerUp(platform::CGPoint point, double time) {
    if (!finger_) {
        return {};
    }
    fingerMove(point);
    const Finger finger = *finger_;
    finger_.reset();
    const double held =
        wholeMilliseconds(std::min(time - finger.start, sim::cmd::kLongestTouchSeconds));
    std::string line;
    double lasts = held;
    if (finger.farthest > kStillDistance) {
        line = sim::describe(sim::cmd::Drag{finger.from, point, held});
    } else if (time - finger.start <= kTapSeconds) {
        line = sim::describe(sim::cmd::Tap{finger.from});
        lasts = sim::gestures::kTapSeconds;
    } else {
        line = sim::describe(sim::cmd::Hold{finger.from, held});
    }
    waitUntil(finger.start);
    add(line);
    clock_ = finger.start + lasts;
    return line;
}

std::string Recorder::text() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line + '\n';
    }
    return text;
}

}  // namespace live
