#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Command.h"
#include "sim/Words.h"

namespace sim {

// The words of one scenario line, consumed front to back. Every reading method either returns
// what it read or throws ScenarioError saying what it expected and what it got instead.
class LineReader {
public:
    LineReader(std::vector<Word> words, int line) : words_(std::move(words)), line_(line) {}

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

    double number(std::string_view what);
    double seconds();
    int pages();
    Target target();
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

std::string quotedForMessage(std::string_view text);

}  // namespace sim
