#include "sim/Decimal.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "sim/CompactNumber.h"

namespace sim {
namespace {

std::string_view withoutSign(std::string_view text) {
    if (text.starts_with('-') || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    return text;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowercase) {
    return std::equal(
        text.begin(), text.end(), lowercase.begin(), lowercase.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

bool decimalShaped(std::string_view text) {
    text = withoutSign(text);
    return !text.empty() && text != "." &&
           text.find_first_not_of("0123456789.") == std::string_view::npos &&
           text.find('.') == text.rfind('.');
}

bool namesNonFinite(std::string_view text) {
    text = withoutSign(text);
    constexpr std::array<std::string_view, 3> kNames{"nan", "inf", "infinity"};
    return std::any_of(kNames.begin(), kNames.end(),
                       [text](std::string_view name) { return equalsIgnoringCase(text, name); });
}

bool looksNumeric(std::string_view text) {
    const auto digits = withoutSign(text);
    const bool beginsLikeNumber =
        !digits.empty() &&
        (std::isdigit(static_cast<unsigned char>(digits.front())) != 0 || digits.front() == '.');
    return beginsLikeNumber || namesNonFinite(text);
}

std::optional<double> plainDecimal(std::string_view text) {
    if (!decimalShaped(text)) {
        return std::nullopt;
    }
    const bool negative = text.starts_with('-');
    text = withoutSign(text);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string NumberRange::describe() const {
    return "from " + compactNumber(min) + " to " + compactNumber(max);
}

}  // namespace sim
