#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Checks on the raw bytes of a property-list file, made before a parser sees them: a parser that
// recurses (and a tree that is freed recursively) must never meet a file nested deeper than
// `limit`. Both answer false for anything they cannot vouch for, so a false answer may also
// mean "malformed".

// XML: every element counts (the <plist> wrapper too). Comments, processing instructions and
// CDATA sections may not mention a container tag, and a document type declaration may appear
// only before the root element and without an internal subset, so that no reading of those
// sections can hide an opening or expose a closing tag.
bool xmlNestingWithin(std::string_view text, std::size_t limit);

// Binary: follows the object references from the top object without recursion, counting
// containers on each path; also refuses references out of range, files that expand to more
// than `maxObjects` values (shared references can make a small file expand enormously) and
// strings holding a NUL character, on which the parser's getters abort.
bool binaryParseable(std::string_view bytes, std::size_t limit, std::size_t maxObjects);

}  // namespace platform
