#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "platform/Geometry.h"
#include "platform/runtime/Object.h"

namespace platform {

class NSMutableDictionary;
class PlistValue;

// One argument of a format: what an NSString format would be handed.
class FormatArg {
public:
    FormatArg(std::nullptr_t) {}
    FormatArg(bool value) : value_(value) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) FormatArg(T value) : value_(static_cast<long long>(value)) {}
    template <std::floating_point T>
    FormatArg(T value) : value_(static_cast<double>(value)) {}
    FormatArg(const char* text);
    FormatArg(std::string text) : value_(std::move(text)) {}
    FormatArg(std::string_view text) : value_(std::string(text)) {}
    FormatArg(CGPoint point) : value_(point) {}
    FormatArg(const NSMutableDictionary* dictionary);
    FormatArg(const NSMutableDictionary& dictionary) : FormatArg(&dictionary) {}
    FormatArg(const std::shared_ptr<NSMutableDictionary>& dictionary)
        : FormatArg(dictionary.get()) {}
    FormatArg(const PlistValue* value);
    FormatArg(const PlistValue& value) : FormatArg(&value) {}
    // Any other object prints as "<ClassName: 0x...>".
    FormatArg(const Object* object);
    template <class T>
    requires std::derived_from<T, Object> FormatArg(const std::shared_ptr<T>& object)
        : FormatArg(static_cast<const Object*>(object.get())) {}

    // The text of %@.
    std::string object() const;
    // The text of %d and %f; empty for an argument that is not a number.
    std::string integer() const;
    std::string real() const;

private:
    // monostate is nil; a string is text or an object's description.
    std::variant<std::monostate, bool, long long, double, std::string, CGPoint> value_;
};

// Formats as NSString formats do for %@ (strings; booleans as YES/NO; points as
// NSStringFromCGPoint; dictionaries and objects by their description; nil as "(null)"), %d,
// %f (six decimals) and %%. A missing argument prints nothing; any other directive is copied as
// it stands and takes no argument.
std::string formatArguments(std::string_view format, std::span<const FormatArg> args);

template <class... Args>
std::string format(std::string_view fmt, const Args&... args) {
    const std::array<FormatArg, sizeof...(Args)> list{FormatArg(args)...};
    return formatArguments(fmt, list);
}

// "{x, y}" with the shortest digits that give each coordinate back.
std::string NSStringFromCGPoint(CGPoint point);

}  // namespace platform
