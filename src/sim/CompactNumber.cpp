#include "sim/CompactNumber.h"

#include <cmath>
#include <cstdio>

namespace sim {

std::string compactNumber(double value) {
    return compactNumber(value, 4);
}

std::string compactNumber(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    while (result.find('.') != std::string::npos && result.back() == '0') {
        result.pop_back();
    }
    if (result.back() == '.') {
        result.pop_back();
    }
    return result == "-0" ? "0" : result;
}

std::string compactPoint(platform::CGPoint point) {
    return compactNumber(point.x) + "," + compactNumber(point.y);
}

std::string compactRect(const platform::CGRect& rect) {
    return compactPoint(rect.origin) + "," + compactNumber(rect.size.width) + "," +
           compactNumber(rect.size.height);
}

}  // namespace sim
