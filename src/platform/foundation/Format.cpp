#include "platform/foundation/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/foundation/NSMutableDictionary.h"
#include "platform/runtime/Runtime.h"

namespace platform {
namespace {

template <class Number>
std::string shortest(Number value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string printfReal(double value) {
    const int length = std::snprintf(nullptr, 0, "%f", value);
    std::string text(static_cast<std::size_t>(std::max(length, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, "%f", value);
    return text;
}

std::string truncatedReal(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    constexpr double kLimit = static_cast<double>(std::numeric_limits<long long>::max());
    return std::to_string(static_cast<long long>(std::clamp(value, -kLimit, kLimit)));
}

std::string objectDescription(const Object& object) {
    const Class* cls = object.objcClass();
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(&object));
    return "<" + (cls != nullptr ? cls->name() : std::string("NSObject")) + ": " + address + ">";
}

}  // namespace

FormatArg::FormatArg(const char* text) {
    if (text != nullptr) {
        value_ = std::string(text);
    }
}

FormatArg::FormatArg(const NSMutableDictionary* dictionary) {
    if (dictionary != nullptr) {
        value_ = dictionary->description();
    }
}

FormatArg::FormatArg(const PlistValue* value) {
    if (value == nullptr) {
        return;
    }
    // Strings print bare under %@; other values as their description.
    const std::string* text = value->stringValue();
    value_ = text != nullptr ? *text : value->description();
}

FormatArg::FormatArg(const Object* object) {
    if (object != nullptr) {
        value_ = objectDescription(*object);
    }
}

std::string FormatArg::object() const {
    struct Visitor {
        std::string operator()(std::monostate) const { return "(null)"; }
        std::string operator()(bool value) const { return value ? "YES" : "NO"; }
        std::string operator()(long long value) const { return std::to_string(value); }
        std::string operator()(double value) const { return shortest(value); }
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(CGPoint point) const { return NSStringFromCGPoint(point); }
    };
    return std::visit(Visitor{}, value_);
}

std::string FormatArg::integer() const {
    if (auto* flag = std::get_if<bool>(&value_)) {
        return *flag ? "1" : "0";
    }
    if (auto* number = std::get_if<long long>(&value_)) {
        return std::to_string(*number);
    }
    if (auto* real = std::get_if<double>(&value_)) {
        return truncatedReal(*real);
    }
    return {};
}

std::string FormatArg::real() const {
    if (auto* flag = std::get_if<bool>(&value_)) {
        return printfReal(*flag ? 1 : 0);
    }
    if (auto* number = std::get_if<long long>(&value_)) {
        return printfReal(static_cast<double>(*number));
    }
    if (auto* real = std::get_if<double>(&value_)) {
        return printfReal(*real);
    }
    return {};
}

std::string formatArguments(std::string_view format, std::span<const FormatArg> args) {
    std::string text;
    std::size_t next = 0;
    auto take = [&]() -> const FormatArg* { return next < args.size() ? &args[next++] : nullptr; };
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            text += c;
            continue;
        }
        const char directive = format[++i];
        const FormatArg* arg = nullptr;
        switch (directive) {
            case '%':
                text += '%';
                break;
            case '@':
                if ((arg = take()) != nullptr) {
                    text += arg->object();
                }
                break;
            case 'd':
                if ((arg = take()) != nullptr) {
                    text += arg->integer();
                }
                break;
            case 'f':
                if ((arg = take()) != nullptr) {
                    text += arg->real();
                }
                break;
            default:
                text += '%';
                text += directive;
        }
    }
    return text;
}

std::string NSStringFromCGPoint(CGPoint point) {
    return "{" + shortest(point.x) + ", " + shortest(point.y) + "}";
}

}  // namespace platform
