#pragma once

#include <cstddef>
#include <memory>
#include <optional>
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
// partial file is left, and a crash of the process leaves the old file or the whole new one.
// Nothing is forced to disk, so a power loss may not. False on any failure.
bool writeToFile(const NSMutableDictionary& dictionary, std::string_view path, bool atomically);

// The steps of an atomic write, in the order it takes them. The flush forces nothing to disk
// (a rename over the old file is what keeps it whole) but is still where a file system may say
// the bytes did not make it.
enum class AtomicWriteStep { CreateTemporary, Write, Flush, Close, Replace };

// A failure the file system is made to give, so that tests can show what an atomic write leaves
// behind when a step fails. A failing write first lets `bytesWritten` bytes reach the file (a
// short write); the other steps fail before they do anything.
struct AtomicWriteFault {
    AtomicWriteStep step = AtomicWriteStep::CreateTemporary;
    int error = 0;  // the errno the step fails with
    std::size_t bytesWritten = 0;
};

// Every atomic write of the current process meets this fault until it is replaced or cleared.
void injectAtomicWriteFault(std::optional<AtomicWriteFault> fault);

}  // namespace platform
