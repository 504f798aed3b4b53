#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace platform {

// One configuration call on a capture object: what was set ("focusMode",
// "lockForConfiguration", ...), the value asked for as text, and whether it took effect.
struct CaptureChange {
    std::string what;
    std::string value;
    bool accepted = false;
    bool operator==(const CaptureChange&) const = default;
};

// Every configuration call of a capture object, in order. The platform refuses a bad call by
// raising; this model records the refusal instead, so tests and the simulator can see it.
class CaptureChangeLog {
public:
    using Observer = std::function<void(const CaptureChange&)>;

    void record(std::string what, std::string value, bool accepted);
    const std::vector<CaptureChange>& entries() const { return entries_; }
    void clear() { entries_.clear(); }
    // Hears every accepted change, after it took effect.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

private:
    std::vector<CaptureChange> entries_;
    Observer observer_;
};

// "{0.5, 0.25}", as points are written in the platform's descriptions.
std::string describePoint(CGPoint point);

}  // namespace platform
