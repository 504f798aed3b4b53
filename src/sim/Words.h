#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// One word of a scenario line, its quotes removed and escapes resolved.
struct Word {
    std::string text;
    // Where in `text` the first quoted part begins (`KEY="a b"` -> 4); npos for a bare word.
    std::size_t quotedFrom = std::string::npos;

    bool quoted() const { return quotedFrom != std::string::npos; }
};

// The words of one line up to its comment. A double-quoted part, spaces and all, belongs to the
// word it touches; inside it `\"`, `\\` and `\n` are the only escapes. Throws ScenarioError.
std::vector<Word> splitWords(std::string_view line, int lineNumber);

}  // namespace sim
