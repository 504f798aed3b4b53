#pragma once

#include <memory>
#include <string>

#include "sim/ChangeWatcher.h"
#include "sim/Query.h"
#include "sim/Target.h"

namespace platform {
class UIView;
}

namespace sim {

// What a query needs to know of the simulated phone beyond the library's state.
class Phone {
public:
    virtual ~Phone() = default;
    // The view a target names at the moment, or null when there is none.
    virtual std::shared_ptr<platform::UIView> targetView(Target target) const = 0;
    virtual CaptureObjects captureObjects() const = 0;
    virtual int photoCount() const = 0;
    // The texts of the library's messages since the last launch, in order.
    virtual std::vector<std::string> messages() const { return {}; }
};

// A query's answer as an `expect` line writes it. Runs inside the phone's process, so that the
// library's state and the preferences file are those of the scenario.
std::string answerQuery(const Query& query, const Phone& phone);

}  // namespace sim
