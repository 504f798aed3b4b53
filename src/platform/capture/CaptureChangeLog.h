#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/BoundedHistory.h"
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

// The configuration calls of a capture object, in order. The platform refuses a bad call by
// raising; this model records the refusal instead, so tests and the simulator can see it. Only
// the latest calls are kept (at least kKeptChanges); they are numbered from the first, so a
// reader that remembers how many it has seen finds the newer ones.
class CaptureChangeLog {
public:
    using Observer = std::function<void(const CaptureChange&)>;
    static constexpr std::size_t kKeptChanges = 256;

    void record(std::string what, std::string value, bool accepted);
    const std::vector<CaptureChange>& entries() const { return entries_.items(); }
    // How many calls were recorded since the log began or was cleared.
    std::size_t recordedCount() const { return entries_.total(); }
    // The kept calls after the first `count` recorded.
    std::span<const CaptureChange> changesAfter(std::size_t count) const {
        return entries_.after(count);
    }
    void clear() { entries_.clear(); }
    // Hears every accepted change, after it took effect.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

private:
    BoundedHistory<CaptureChange> entries_{kKeptChanges};
    Observer observer_;
};

// "{0.5, 0.25}", as points are written in the platform's descriptions.
std::string describePoint(CGPoint point);

}  // namespace platform
