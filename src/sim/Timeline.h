#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace sim {

// Prints a run as it happens, one line per event, each starting with its virtual time in
// seconds. Quiet, it prints nothing: failures then appear only in the summary.
class Timeline {
public:
    Timeline(std::ostream& out, bool quiet) : out_(out), quiet_(quiet) {}

    void step(double time, std::string_view text);
    void event(double time, std::string_view text);
    void failure(double time, std::string_view text);

private:
    void line(double time, std::string_view indent, std::string_view text);

    std::ostream& out_;
    bool quiet_;
};

// "12.345": virtual seconds with 3 decimals.
std::string formatTime(double seconds);

}  // namespace sim
