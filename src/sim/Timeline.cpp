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
    line(time, TimelineKind::Step, text);
}

void Timeline::event(double time, std::string_view text) {
    line(time, TimelineKind::Event, text);
}

void Timeline::failure(double time, std::string_view text) {
    line(time, TimelineKind::Failure, text);
}

void Timeline::line(double time, TimelineKind kind, std::string_view text) {
    if (listener_ != nullptr) {
        listener_->line(time, kind, text);
    }
    if (quiet_) {
        return;
    }
    const std::string_view indent = kind == TimelineKind::Event     ? "  "
                                    : kind == TimelineKind::Failure ? "FAILED "
                                                                    : "";
    const std::string stamp = formatTime(time);
    out_ << std::string(stamp.size() < 9 ? 9 - stamp.size() : 0, ' ') << stamp << "  " << indent
         << visibleText(text) << '\n';
}

}  // namespace sim
