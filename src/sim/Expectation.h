#pragma once

#include <string_view>

namespace sim {

// Whether a query's answer meets an `expect` line's value. Numbers, and each number of a
// comma-separated list such as "x,y" or "x,y,width,height", compare to 3 decimals; anything
// else compares exactly.
bool answerMatches(std::string_view expected, std::string_view actual);

}  // namespace sim
