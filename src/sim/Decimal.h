#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sim {

// A plain decimal such as "12", "-0.5" or "+.25". Scenarios and answers have no use for
// exponents, infinities or NaN, so those are not numbers here; nor is a decimal too large for a
// double, which would otherwise read as something it does not say.
std::optional<double> plainDecimal(std::string_view text);

// Written as a plain decimal, whether or not a double holds it.
bool decimalShaped(std::string_view text);
// "nan", "-inf", "Infinity"...: a number that is none.
bool namesNonFinite(std::string_view text);
// Whether a word is meant as a number, well formed or not: it begins like one, or names NaN or
// an infinity.
bool looksNumeric(std::string_view text);

// The numbers a scenario word may hold where a command takes one.
struct NumberRange {
    double min = 0;
    double max = 0;

    bool contains(double value) const { return value >= min && value <= max; }
    // "from 0 to 60"
    std::string describe() const;
};

}  // namespace sim
