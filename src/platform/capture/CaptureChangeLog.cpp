#include "platform/capture/CaptureChangeLog.h"

#include <cstdio>

namespace platform {

void CaptureChangeLog::record(std::string what, std::string value, bool accepted) {
    entries_.push({std::move(what), std::move(value), accepted});
    if (accepted && observer_) {
        // A copy of both: the observer may replace itself or record further changes.
        auto observer = observer_;
        auto change = entries_.back();
        observer(change);
    }
}

std::string describePoint(CGPoint point) {
    char text[64];
    std::snprintf(text, sizeof text, "{%g, %g}", static_cast<double>(point.x),
                  static_cast<double>(point.y));
    return text;
}

}  // namespace platform
