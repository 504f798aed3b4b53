#include "sim/Timeline.h"

#include <cstdio>

#include "sim/VisibleText.h"

namespace sim {

std::string formatTime(double seconds) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.3f", seconds);
    return buffer;
}

void Timeline::step(double time, std::string_view text) {
    line(time, "", text);
}

void Timeline::event(double time, std::string_view text) {
    line(time, "  ", text);
}

void Timeline::failure(double time, std::string_view text) {
    line(time, "FAILED ", text);
}

void Timeline::line(double time, std::string_view indent, std::string_view text) {
    if (quiet_) {
        return;
    }
    const std::string stamp = formatTime(time);
    out_ << std::string(stamp.size() < 9 ? 9 - stamp.size() : 0, ' ') << stamp << "  " << indent
         << visibleText(text) << '\n';
}

}  // namespace sim
