#pragma once

#include <optional>
#include <string_view>

namespace sim {

// A plain decimal such as "12", "-0.5" or "+.25". Scenarios and answers have no use for
// exponents, infinities or NaN, so those are not numbers here.
std::optional<double> plainDecimal(std::string_view text);

}  // namespace sim
