#pragma once

#include <chrono>
#include <mutex>

namespace live {

// How many touches the phone takes from clients: a person's finger sends a few hundred a
// second at most, a script may send thousands, and every touch applied is time the phone's
// clock and frames wait for. Past the rate (with a short burst allowed) a touch is shed before
// it reaches the phone. Safe from any thread.
class TouchGate {
public:
    static constexpr double kTouchesPerSecond = 1000;
    static constexpr double kBurst = 200;

    // Whether one more touch may go to the phone now.
    bool admit();

private:
    using Clock = std::chrono::steady_clock;

    std::mutex mutex_;
    double allowance_ = kBurst;
    Clock::time_point last_ = Clock::now();
};

}  // namespace live
