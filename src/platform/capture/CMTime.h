#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace platform {

// A rational time, value / timescale seconds; valid exactly when the timescale is positive.
struct CMTime {
    int64_t value = 0;
    int32_t timescale = 0;
    bool operator==(const CMTime&) const = default;
};

inline constexpr CMTime kCMTimeInvalid{};

inline constexpr CMTime CMTimeMake(int64_t value, int32_t timescale) {
    return {value, timescale};
}

inline constexpr bool CMTIME_IS_VALID(const CMTime& time) {
    return time.timescale > 0;
}

// NaN for an invalid time, as on the platform: a caller that turns a duration into a rate must
// test the result before dividing by it.
inline double CMTimeGetSeconds(const CMTime& time) {
    if (!CMTIME_IS_VALID(time)) {
        return std::nan("");
    }
    return static_cast<double>(time.value) / time.timescale;
}

// "1/30" for a valid time, "invalid" otherwise.
inline std::string CMTimeDescription(const CMTime& time) {
    if (!CMTIME_IS_VALID(time)) {
        return "invalid";
    }
    return std::to_string(time.value) + "/" + std::to_string(time.timescale);
}

}  // namespace platform
