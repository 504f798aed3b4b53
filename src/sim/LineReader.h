#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Command.h"
#include "sim/Decimal.h"
#include "sim/VisibleText.h"
#include "sim/Words.h"

namespace sim {

// The words of one scenario line, consumed front to back. Every reading method either returns
// what it read or throws ScenarioError saying what it expected and what it got instead.
class LineReader {
public:
    LineReader(std::vector<Word> words, int line) : words_(std::move(words)), line_(line) {}

    int line() const { return line_; }
    bool atEnd() const { return next_ == words_.size(); }
    // The next word; only when not atEnd().
    const Word& peek() const { return words_[next_]; }
    // Consumes the word peek() showed.
    const Word& take() { return words_[next_++]; }

    [[noreturn]] void fail(const std::string& message) const;
    // "expected WHAT, got WORD", with the names it could have been when there is a list.
    [[noreturn]] void expected(std::string_view what, std::string_view names = {}) const;

    const Word& word(std::string_view what);
    void finish();

    // A plain decimal within `range`; `what` names it in the error ("an X coordinate").
    double number(std::string_view what, const NumberRange& range);
    // A duration of a command that takes at most `maxSeconds`.
    double seconds(double maxSeconds);
    int pages();
    Target target();
    // X Y in screen points.
    platform::CGPoint point();
    Location location();
    // One of `choices`; returns its index.
    std::size_t choice(std::initializer_list<std::string_view> choices);

private:
    std::vector<Word> words_;
    std::size_t next_ = 0;
    int line_;
};

// An integer with an optional sign and nothing else around it.
template <class Integer>
std::optional<Integer> integerFrom(std::string_view text);

// Where a touch may begin or end, in screen points: far beyond any screen, and still a point
// the 32-bit geometry holds exactly to the thousandth.
inline constexpr NumberRange kCoordinateRange{-10000, 10000};
// How many pages a scroll may move a strip at once.
inline constexpr NumberRange kPageRange{-100, 100};

}  // namespace sim
