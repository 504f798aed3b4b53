#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace sim {

enum class TimelineKind { Step, Event, Failure };

// Hears every line of a timeline, printed or not.
class TimelineListener {
public:
    virtual ~TimelineListener() = default;
    virtual void line(double time, TimelineKind kind, std::string_view text) = 0;
};

// Prints a run as it happens, one line per event, each starting with its virtual time in
// seconds. Quiet, it prints nothing: failures then appear only in the summary.
class Timeline {
public:
    Timeline(std::ostream& out, bool quiet) : out_(out), quiet_(quiet) {}

    void step(double time, std::string_view text);
    void event(double time, std::string_view text);
    void failure(double time, std::string_view text);

    // From now on the listener hears every line as well (null: nobody).
    void listen(TimelineListener* listener) { listener_ = listener; }

private:
    void line(double time, TimelineKind kind, std::string_view text);

    std::ostream& out_;
    bool quiet_;
    TimelineListener* listener_ = nullptr;
};

// "12.345": virtual seconds with 3 decimals.
std::string formatTime(double seconds);

}  // namespace sim
