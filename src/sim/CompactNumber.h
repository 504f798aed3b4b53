#pragma once

#include <string>

#include "platform/Geometry.h"

namespace sim {

// A number as answers print it: at most four decimals, which hides the noise of 32-bit
// geometry, and no trailing zeros ("115", "0.5", "0.5417"); never "-0".
std::string compactNumber(double value);
// The same with at most `decimals` decimals.
std::string compactNumber(double value, int decimals);
// "160,260"
std::string compactPoint(platform::CGPoint point);
// "10,370,74,31"
std::string compactRect(const platform::CGRect& rect);

}  // namespace sim
