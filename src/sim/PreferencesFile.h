#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Command.h"

// The library's preferences file as a scenario sees it. Every function works under the current
// process's device root.
namespace sim::preferences {

// Where the file lies on this machine.
std::filesystem::path filePath();

// Writes the entries as the file's whole property list. False when it cannot be written.
bool write(const std::vector<PrefEntry>& entries);
// Writes the file's bytes verbatim.
bool writeBytes(std::string_view bytes);

// Every key's value as an answer prints it (YES/NO, integers, text), or nothing when the file
// is missing or not a readable property list.
std::optional<std::map<std::string, std::string>> values();

// One key's value; "missing" when the file or the key is.
std::string answer(std::string_view key);

}  // namespace sim::preferences
