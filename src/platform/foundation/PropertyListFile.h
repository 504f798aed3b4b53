#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace platform {

class NSMutableDictionary;

// Limits on what a property-list file may be: larger files and deeper nesting are refused.
inline constexpr std::size_t kPropertyListMaxFileSize = std::size_t{1} << 20;
inline constexpr std::size_t kPropertyListMaxNesting = 64;

// The dictionary stored in a property-list file (XML or binary) at a phone path; empty when the
// file is missing, unreadable, larger than the limit, not a property list, has another root
// than a dictionary, or nests containers deeper than the limit.
std::shared_ptr<NSMutableDictionary> dictionaryWithContentsOfFile(std::string_view path);

// Writes the dictionary as an XML property list to a phone path. Atomically, a complete new file
// replaces the old one in a single step; whatever fails, the old file stays as it was and no
// partial file is left. False on any failure.
bool writeToFile(const NSMutableDictionary& dictionary, std::string_view path, bool atomically);

}  // namespace platform
