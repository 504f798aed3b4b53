#include "platform/foundation/PlistNesting.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
namespace {

constexpr auto npos = std::string_view::npos;

bool mentionsContainer(std::string_view body) {
    return body.find("<dict") != npos || body.find("<array") != npos ||
           body.find("</dict") != npos || body.find("</array") != npos;
}

// The position after a section that runs from `start` to the first `terminator`, or npos when
// it is unterminated or mentions a container tag.
std::size_t skipSection(std::string_view text, std::size_t start, std::string_view opener,
                        std::string_view terminator) {
    const std::size_t bodyStart = start + opener.size();
    const std::size_t end = text.find(terminator, bodyStart);
    if (end == npos || mentionsContainer(text.substr(bodyStart, end - bodyStart))) {
        return npos;
    }
    return end + terminator.size();
}

std::size_t skipDocumentType(std::string_view text, std::size_t start) {
    const std::size_t end = text.find('>', start + 2);
    if (end == npos || text.substr(start + 2, end - start - 2).find_first_of("[<") != npos) {
        return npos;
    }
    return end + 1;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isNameStart(char c) {
    return isLetter(c) || c == '_' || c == ':';
}
bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

struct Tag {
    std::string_view name;
    bool closing = false;
    bool selfClosing = false;
    std::size_t end = 0;  // the position after '>'
};

// Reads the start or end tag at `start` ('<'). Quoted attribute values may hold '>', never '<'.
std::optional<Tag> readTag(std::string_view text, std::size_t start) {
    Tag tag;
    std::size_t i = start + 1;
    if (i < text.size() && text[i] == '/') {
        tag.closing = true;
        ++i;
    }
    const std::size_t nameStart = i;
    if (i == text.size() || !isNameStart(text[i])) {
        return std::nullopt;
    }
    while (i < text.size() && isNameChar(text[i])) {
        ++i;
    }
    tag.name = text.substr(nameStart, i - nameStart);
    char quote = 0;
    char previous = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            return std::nullopt;
        }
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            tag.selfClosing = !tag.closing && previous == '/';
            tag.end = i + 1;
            return tag;
        } else if (tag.closing && !isSpace(c)) {
            return std::nullopt;
        }
        previous = c;
    }
    return std::nullopt;
}

std::uint64_t readBigEndian(const unsigned char* bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// The layout of a binary property list, from its 32-byte trailer.
struct BinaryLayout {
    const unsigned char* data = nullptr;
    std::size_t offsetSize = 0;
    std::size_t refSize = 0;
    std::uint64_t objectCount = 0;
    std::uint64_t topObject = 0;
    std::uint64_t tableOffset = 0;  // objects lie between the header and the offset table

    std::optional<std::uint64_t> objectOffset(std::uint64_t index) const {
        const std::uint64_t offset =
            readBigEndian(data + tableOffset + index * offsetSize, offsetSize);
        if (offset < 8 || offset >= tableOffset) {
            return std::nullopt;
        }
        return offset;
    }
};

std::optional<BinaryLayout> readLayout(std::string_view bytes) {
    constexpr std::size_t kHeader = 8;
    constexpr std::size_t kTrailer = 32;
    if (bytes.size() < kHeader + kTrailer) {
        return std::nullopt;
    }
    BinaryLayout layout;
    layout.data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t trailer = bytes.size() - kTrailer;
    const unsigned char* fields = layout.data + trailer;
    layout.offsetSize = fields[6];
    layout.refSize = fields[7];
    layout.objectCount = readBigEndian(fields + 8, 8);
    layout.topObject = readBigEndian(fields + 16, 8);
    layout.tableOffset = readBigEndian(fields + 24, 8);
    const bool sizesValid = layout.offsetSize >= 1 && layout.offsetSize <= 8 &&
                            layout.refSize >= 1 && layout.refSize <= 8;
    // The table's room is measured in offsets, so only once their size is known to be sound.
    if (!sizesValid) {
        return std::nullopt;
    }
    const bool tableValid =
        layout.tableOffset >= kHeader && layout.tableOffset <= trailer && layout.objectCount >= 1 &&
        layout.objectCount <= (trailer - layout.tableOffset) / layout.offsetSize;
    if (!tableValid || layout.topObject >= layout.objectCount) {
        return std::nullopt;
    }
    return layout;
}

// Where the payload of the object at `offset` starts and the count its marker gives (entries of
// a container, characters of a string).
struct Counted {
    std::uint64_t start = 0;
    std::uint64_t count = 0;
};

std::optional<Counted> readCount(const BinaryLayout& layout, std::uint64_t offset) {
    Counted counted{offset + 1, layout.data[offset] & 0xfu};
    if (counted.count == 0xf) {
        // The count follows as an integer object of 1, 2, 4 or 8 bytes.
        if (counted.start >= layout.tableOffset) {
            return std::nullopt;
        }
        const unsigned intMarker = layout.data[counted.start];
        const std::size_t size = std::size_t{1} << (intMarker & 0xfu);
        if ((intMarker >> 4) != 1 || size > 8 || counted.start + 1 + size > layout.tableOffset) {
            return std::nullopt;
        }
        counted.count = readBigEndian(layout.data + counted.start + 1, size);
        counted.start += 1 + size;
    }
    return counted;
}

// Where the object references of the container at `offset` start, and how many there are.
std::optional<Counted> containerReferences(const BinaryLayout& layout, std::uint64_t offset) {
    const unsigned kind = layout.data[offset] >> 4;
    auto refs = readCount(layout, offset);
    if (!refs) {
        return std::nullopt;
    }
    const std::uint64_t room = (layout.tableOffset - refs->start) / layout.refSize;
    // A dictionary lists its key references, then its value references.
    if (refs->count > room || (kind == 0xd && refs->count > room / 2)) {
        return std::nullopt;
    }
    refs->count *= kind == 0xd ? 2 : 1;
    return refs;
}

// Whether the object at `offset`, if it is a string (ASCII or UTF-16), lies within the object
// area and holds no NUL character: the parser's string getters abort on one.
bool stringSound(const BinaryLayout& layout, std::uint64_t offset) {
    const unsigned kind = layout.data[offset] >> 4;
    if (kind != 0x5 && kind != 0x6) {
        return true;
    }
    const auto characters = readCount(layout, offset);
    const std::uint64_t unit = kind == 0x6 ? 2 : 1;
    if (!characters || characters->count > (layout.tableOffset - characters->start) / unit) {
        return false;
    }
    const unsigned char* text = layout.data + characters->start;
    for (std::uint64_t i = 0; i < characters->count; ++i) {
        if (text[i * unit] == 0 && text[i * unit + unit - 1] == 0) {
            return false;
        }
    }
    return true;
}

bool isContainer(unsigned marker) {
    const unsigned kind = marker >> 4;
    return kind == 0xa || kind == 0xc || kind == 0xd;  // array, set, dictionary
}

}  // namespace

bool xmlNestingWithin(std::string_view text, std::size_t limit) {
    std::vector<std::string_view> open;
    bool beforeRoot = true;
    std::size_t pos = 0;
    while ((pos = text.find('<', pos)) != npos) {
        const std::string_view rest = text.substr(pos);
        if (rest.starts_with("<?")) {
            pos = skipSection(text, pos, "<?", "?>");
        } else if (rest.starts_with("<!--")) {
            pos = skipSection(text, pos, "<!--", "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            pos = skipSection(text, pos, "<![CDATA[", "]]>");
        } else if (rest.starts_with("<!")) {
            pos = beforeRoot ? skipDocumentType(text, pos) : npos;
        } else {
            const auto tag = readTag(text, pos);
            if (!tag) {
                return false;
            }
            if (tag->closing) {
                if (open.empty() || open.back() != tag->name) {
                    return false;
                }
                open.pop_back();
            } else {
                beforeRoot = false;
                if (!tag->selfClosing) {
                    open.push_back(tag->name);
                }
                if (open.size() > limit) {
                    return false;
                }
            }
            pos = tag->end;
        }
        if (pos == npos) {
            return false;
        }
    }
    return true;
}

bool binaryParseable(std::string_view bytes, std::size_t limit, std::size_t maxObjects) {
    const auto layout = readLayout(bytes);
    if (!layout) {
        return false;
    }
    struct Pending {
        std::uint64_t index;
        std::size_t depth;  // containers on the path down to this object, itself included
    };
    std::vector<Pending> pending{{layout->topObject, 1}};
    std::size_t visited = 0;
    while (!pending.empty()) {
        const Pending object = pending.back();
        pending.pop_back();
        const auto offset = layout->objectOffset(object.index);
        if (!offset || ++visited > maxObjects) {
            return false;
        }
        if (!isContainer(layout->data[*offset])) {
            if (!stringSound(*layout, *offset)) {
                return false;
            }
            continue;
        }
        const auto refs = containerReferences(*layout, *offset);
        if (!refs || object.depth > limit || pending.size() + refs->count > maxObjects) {
            return false;
        }
        for (std::uint64_t i = 0; i < refs->count; ++i) {
            const std::uint64_t index =
                readBigEndian(layout->data + refs->start + i * layout->refSize, layout->refSize);
            if (index >= layout->objectCount) {
                return false;
            }
            pending.push_back({index, object.depth + 1});
        }
    }
    return true;
}

}  // namespace platform
