#pragma once

#include <string>
#include <string_view>

namespace sim {

// The text with every byte outside printable ASCII written as an escape (`\n`, `\t`, `\r`,
// `\xNN`), so that a NUL, a byte-order mark or a terminal control sequence shows as what it is
// and never passes for ordinary text.
std::string visibleText(std::string_view text);

// A word for an error message: quoted, escaped, and cut short when it is long
// ("\"1000000000...\" (310 bytes)").
std::string quotedForMessage(std::string_view text);

}  // namespace sim
