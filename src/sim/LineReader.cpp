#include "sim/LineReader.h"

#include <charconv>
#include <cstdint>

#include "sim/ScenarioError.h"
#include "sim/VisibleText.h"

namespace sim {

template <class Integer>
std::optional<Integer> integerFrom(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) {
            return std::nullopt;
        }
    }
    Integer value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

template std::optional<int> integerFrom<int>(std::string_view);
template std::optional<std::int64_t> integerFrom<std::int64_t>(std::string_view);

void LineReader::fail(const std::string& message) const {
    throw ScenarioError(line_, message);
}

void LineReader::expected(std::string_view what, std::string_view names) const {
    const std::string got = atEnd() ? "end of line" : quotedForMessage(peek().text);
    fail("expected " + std::string(what) + ", got " + got +
         (names.empty() ? "" : " (one of: " + std::string(names) + ")"));
}

const Word& LineReader::word(std::string_view what) {
    if (atEnd()) {
        expected(what);
    }
    return take();
}

void LineReader::finish() {
    if (!atEnd()) {
        expected("end of line");
    }
}

double LineReader::number(std::string_view what, const NumberRange& range) {
    const auto value = atEnd() ? std::nullopt : plainDecimal(peek().text);
    if (!value || !range.contains(*value)) {
        expected(std::string(what) + " " + range.describe());
    }
    take();
    return *value;
}

double LineReader::seconds(double maxSeconds) {
    return number("a duration in seconds", {0, maxSeconds});
}

int LineReader::pages() {
    const auto value = atEnd() ? std::nullopt : integerFrom<int>(peek().text);
    if (!value || !kPageRange.contains(*value)) {
        expected("a number of pages (a whole number) " + kPageRange.describe());
    }
    take();
    return *value;
}

Target LineReader::target() {
    if (atEnd() || !targetNamed(peek().text)) {
        expected("a target", targetNameList());
    }
    return *targetNamed(take().text);
}

platform::CGPoint LineReader::point() {
    const double x = number("an X coordinate", kCoordinateRange);
    const double y = number("a Y coordinate", kCoordinateRange);
    return {static_cast<platform::CGFloat>(x), static_cast<platform::CGFloat>(y)};
}

Location LineReader::location() {
    if (!atEnd() && looksNumeric(peek().text)) {
        return point();
    }
    if (atEnd() || !targetNamed(peek().text)) {
        expected("a target or X Y", targetNameList());
    }
    return target();
}

std::size_t LineReader::choice(std::initializer_list<std::string_view> choices) {
    std::size_t index = 0;
    for (auto choice : choices) {
        if (!atEnd() && peek().text == choice) {
            take();
            return index;
        }
        ++index;
    }
    std::string what;
    index = 0;
    for (auto choice : choices) {
        what += index == 0 ? "" : index + 1 == choices.size() ? " or " : ", ";
        what += choice;
        ++index;
    }
    expected(what);
}

}  // namespace sim
