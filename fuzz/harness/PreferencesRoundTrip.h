#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fuzzing {

// Puts the bytes in the current process's preferences file, lets the library load them into its
// state and save, and reads the file back: what went wrong, or nothing when the file it left
// reads back as exactly the preferences it holds.
std::optional<std::string> preferencesRoundTrip(std::string_view bytes);

}  // namespace fuzzing
