#include "sim/Words.h"

#include "sim/ScenarioError.h"

namespace sim {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Reads a quoted part starting after its opening quote; returns the index after the closing one.
std::size_t readQuoted(std::string_view line, std::size_t i, int lineNumber, std::string& out) {
    while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
            return i;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i == line.size()) {
            break;
        }
        const char escaped = line[i++];
        switch (escaped) {
            case '"':
            case '\\':
                out += escaped;
                break;
            case 'n':
                out += '\n';
                break;
            default:
                throw ScenarioError(lineNumber, std::string("expected \\\", \\\\ or \\n after a "
                                                            "backslash in a string, got \\") +
                                                    escaped);
        }
    }
    throw ScenarioError(lineNumber, "expected a closing quote before the end of the line");
}

}  // namespace

std::vector<Word> splitWords(std::string_view line, int lineNumber) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (isSpace(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') {
            break;
        }
        Word word;
        while (i < line.size() && !isSpace(line[i]) && line[i] != '#') {
            if (line[i] == '"') {
                if (!word.quoted()) {
                    word.quotedFrom = word.text.size();
                }
                i = readQuoted(line, i + 1, lineNumber, word.text);
            } else {
                word.text += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace sim
