#include "sim/Expectation.h"

#include <cmath>
#include <vector>

#include "sim/Decimal.h"

namespace sim {
namespace {

std::vector<std::string_view> splitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto comma = text.find(',');
        parts.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(comma + 1);
    }
}

// Each number rounded to thousandths, or nothing when any part is not a number.
std::optional<std::vector<double>> roundedNumbers(std::string_view text) {
    std::vector<double> numbers;
    for (auto part : splitCommas(text)) {
        auto number = plainDecimal(part);
        if (!number) {
            return std::nullopt;
        }
        numbers.push_back(std::round(*number * 1000));
    }
    return numbers;
}

}  // namespace

bool answerMatches(std::string_view expected, std::string_view actual) {
    if (expected == actual) {
        return true;
    }
    const auto expectedNumbers = roundedNumbers(expected);
    return expectedNumbers && expectedNumbers == roundedNumbers(actual);
}

}  // namespace sim
