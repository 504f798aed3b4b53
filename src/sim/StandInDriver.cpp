#include "sim/StandInDriver.h"

namespace sim {

void StandInDriver::attach(Reporter& reporter) {
    if (!announced_) {
        announced_ = true;
        reporter.event("stand-in driver: no phone is simulated yet, steps only take their time");
    }
}

}  // namespace sim
