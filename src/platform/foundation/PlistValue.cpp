#include "platform/foundation/PlistValue.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <ctime>

#include "platform/foundation/NSMutableDictionary.h"

namespace platform {
namespace {

// Seconds from 1970-01-01 to the plist reference date 2001-01-01.
constexpr double kReferenceDateOffset = 978307200.0;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// NSString's intValue: leading blanks, an optional sign, then decimal digits; 0 without digits,
// INT_MAX / INT_MIN when the number does not fit.
int stringIntValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) {
        return static_cast<int>(-magnitude);
    }
    return static_cast<int>(std::min(magnitude, static_cast<long long>(INT_MAX)));
}

// NSString's boolValue: after blanks, an optional sign and zeros, YES on "Y", "y", "T", "t" or a
// digit 1-9; whatever follows does not matter.
bool stringBoolValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    while (i < text.size() && text[i] == '0') {
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    const char c = text[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

int realIntValue(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::string indentation(int level) {
    return std::string(static_cast<std::size_t>(level) * 4, ' ');
}

bool needsQuotes(const std::string& text) {
    if (text.empty()) {
        return true;
    }
    for (char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) ||
                           c == '_' || c == '$' || c == '.' || c == '/' || c == ':' || c == '-';
        if (!plain) {
            return true;
        }
    }
    return false;
}

std::string quotedIfNeeded(const std::string& text) {
    if (!needsQuotes(text)) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

std::string describeReal(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string describeData(const PlistData& data) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "<";
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0 && i % 4 == 0) {
            text += ' ';
        }
        text += kHex[data[i] >> 4];
        text += kHex[data[i] & 0xf];
    }
    return text + ">";
}

std::string describeDate(PlistDate date) {
    const auto seconds =
        static_cast<std::time_t>(std::floor(date.secondsSinceReferenceDate + kReferenceDateOffset));
    std::tm utc{};
    char buffer[64] = "";
    if (gmtime_r(&seconds, &utc) != nullptr) {
        std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S +0000", &utc);
    }
    return buffer;
}

std::string describeArray(const PlistArray& array, int indent) {
    std::string text = "(";
    for (std::size_t i = 0; i < array.size(); ++i) {
        text += i == 0 ? "\n" : ",\n";
        text += indentation(indent + 1) + array[i].description(indent + 1);
    }
    return text + "\n" + indentation(indent) + ")";
}

}  // namespace

PlistValue::PlistValue(const NSMutableDictionary& value)
    : storage_(std::make_shared<NSMutableDictionary>(value)) {}

PlistValue::PlistValue(const PlistValue& other) : storage_(other.storage_) {
    // A copy gets its own dictionary, so that no two values ever share (or contain) one.
    if (auto* dictionary = std::get_if<std::shared_ptr<NSMutableDictionary>>(&storage_)) {
        *dictionary = std::make_shared<NSMutableDictionary>(**dictionary);
    }
}

PlistValue& PlistValue::operator=(const PlistValue& other) {
    if (this != &other) {
        PlistValue copy(other);
        *this = std::move(copy);
    }
    return *this;
}

PlistValue::~PlistValue() = default;

const NSMutableDictionary* PlistValue::dictionaryValue() const {
    auto* dictionary = std::get_if<std::shared_ptr<NSMutableDictionary>>(&storage_);
    return dictionary != nullptr ? dictionary->get() : nullptr;
}

std::optional<int> PlistValue::intValue() const {
    switch (type()) {
        case PlistType::Boolean:
            return *booleanValue() ? 1 : 0;
        case PlistType::Integer:
            // NSNumber's intValue keeps the low 32 bits of a wider integer.
            return static_cast<int>(*integerValue());
        case PlistType::Real:
            return realIntValue(*realValue());
        case PlistType::String:
            return stringIntValue(*stringValue());
        default:
            return std::nullopt;
    }
}

std::optional<bool> PlistValue::boolValue() const {
    switch (type()) {
        case PlistType::Boolean:
            return *booleanValue();
        case PlistType::Integer:
            return *integerValue() != 0;
        case PlistType::Real:
            return *realValue() != 0;
        case PlistType::String:
            return stringBoolValue(*stringValue());
        default:
            return std::nullopt;
    }
}

std::string PlistValue::description(int indent) const {
    switch (type()) {
        case PlistType::Boolean:
            return *booleanValue() ? "1" : "0";
        case PlistType::Integer:
            return std::to_string(*integerValue());
        case PlistType::Real:
            return describeReal(*realValue());
        case PlistType::String:
            return quotedIfNeeded(*stringValue());
        case PlistType::Data:
            return describeData(*dataValue());
        case PlistType::Date:
            return describeDate(*dateValue());
        case PlistType::Array:
            return describeArray(*arrayValue(), indent);
        case PlistType::Dictionary:
            return dictionaryValue()->description(indent);
    }
    return {};
}

bool PlistValue::operator==(const PlistValue& other) const {
    if (type() != other.type()) {
        return false;
    }
    if (type() == PlistType::Dictionary) {
        return *dictionaryValue() == *other.dictionaryValue();
    }
    return storage_ == other.storage_;
}

PlistValue numberWithBool(bool value) {
    return PlistValue(value);
}
PlistValue numberWithInt(int value) {
    return PlistValue(value);
}

}  // namespace platform
