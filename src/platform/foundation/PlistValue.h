#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace platform {

class NSMutableDictionary;
class PlistValue;

using PlistData = std::vector<std::uint8_t>;
using PlistArray = std::vector<PlistValue>;

// A point in time as property lists keep it: seconds since 2001-01-01 00:00:00 UTC.
struct PlistDate {
    double secondsSinceReferenceDate = 0;
    bool operator==(const PlistDate&) const = default;
};

enum class PlistType { Boolean, Integer, Real, String, Data, Date, Array, Dictionary };

// One property-list value. It keeps the type it was made or read with, so that a caller can ask
// it the questions Foundation objects answer (intValue, boolValue) and get Foundation's answers.
// Values are copied whole: a dictionary inside a value belongs to that value alone.
class PlistValue {
public:
    PlistValue(bool value) : storage_(value) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) PlistValue(T value)
        : storage_(static_cast<std::int64_t>(value)) {}
    template <std::floating_point T>
    PlistValue(T value) : storage_(static_cast<double>(value)) {}
    PlistValue(const char* value) : storage_(std::string(value)) {}
    PlistValue(std::string value) : storage_(std::move(value)) {}
    PlistValue(PlistData value) : storage_(std::move(value)) {}
    PlistValue(PlistDate value) : storage_(value) {}
    PlistValue(PlistArray value) : storage_(std::move(value)) {}
    PlistValue(const NSMutableDictionary& value);

    PlistValue(const PlistValue& other);
    PlistValue& operator=(const PlistValue& other);
    PlistValue(PlistValue&&) noexcept = default;
    PlistValue& operator=(PlistValue&&) noexcept = default;
    ~PlistValue();

    PlistType type() const { return static_cast<PlistType>(storage_.index()); }

    // Foundation's answers: numbers (boolean, integer, real) and strings answer both; data,
    // dates, arrays and dictionaries answer neither.
    std::optional<int> intValue() const;
    std::optional<bool> boolValue() const;

    // The stored value when it has that type, else null.
    const bool* booleanValue() const { return std::get_if<bool>(&storage_); }
    const std::int64_t* integerValue() const { return std::get_if<std::int64_t>(&storage_); }
    const double* realValue() const { return std::get_if<double>(&storage_); }
    const std::string* stringValue() const { return std::get_if<std::string>(&storage_); }
    const PlistData* dataValue() const { return std::get_if<PlistData>(&storage_); }
    const PlistDate* dateValue() const { return std::get_if<PlistDate>(&storage_); }
    const PlistArray* arrayValue() const { return std::get_if<PlistArray>(&storage_); }
    const NSMutableDictionary* dictionaryValue() const;

    // Foundation's description text; `indent` is the nesting level inside a container.
    std::string description(int indent = 0) const;

    bool operator==(const PlistValue& other) const;

private:
    // The alternatives are in PlistType's order.
    using Storage = std::variant<bool, std::int64_t, double, std::string, PlistData, PlistDate,
                                 PlistArray, std::shared_ptr<NSMutableDictionary>>;
    Storage storage_;
};

PlistValue numberWithBool(bool value);
PlistValue numberWithInt(int value);

}  // namespace platform
