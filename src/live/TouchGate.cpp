#include "live/TouchGate.h"

#include <algorithm>

namespace live {

bool TouchGate::admit() {
    const std::lock_guard lock(mutex_);
    const auto now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    allowance_ = std::min(kBurst, allowance_ + elapsed * kTouchesPerSecond);
    if (allowance_ < 1) {
        return false;
    }
    allowance_ -= 1;
    return true;
}

}  // namespace live
