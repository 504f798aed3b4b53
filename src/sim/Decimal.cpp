#include "sim/Decimal.h"

#include <charconv>

namespace sim {

std::optional<double> plainDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    const bool wellFormed = !text.empty() && text != "." &&
                            text.find_first_not_of("0123456789.") == std::string_view::npos &&
                            text.find('.') == text.rfind('.');
    if (!wellFormed) {
        return std::nullopt;
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return negative ? -value : value;
}

}  // namespace sim
