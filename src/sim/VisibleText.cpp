#include "sim/VisibleText.h"

#include <cstdio>

namespace sim {
namespace {

// Longer words show their beginning and their length.
constexpr std::size_t kLongestQuoted = 48;

}  // namespace

std::string visibleText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            shown += c;
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            shown += escape;
        }
    }
    return shown;
}

std::string quotedForMessage(std::string_view text) {
    if (text.size() <= kLongestQuoted) {
        return "\"" + visibleText(text) + "\"";
    }
    return "\"" + visibleText(text.substr(0, kLongestQuoted)) + "...\" (" +
           std::to_string(text.size()) + " bytes)";
}

}  // namespace sim
