#include "platform/foundation/PropertyListFile.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/Process.h"
#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistNesting.h"

namespace platform {
namespace {

// A property-list file never holds more values than this; shared references in a binary file
// would otherwise let a small file expand without bound.
constexpr std::size_t kMaxValues = std::size_t{1} << 18;

struct PlistDeleter {
    void operator()(void* node) const { plist_free(node); }
};
using PlistNode = std::unique_ptr<void, PlistDeleter>;

struct MallocDeleter {
    void operator()(void* memory) const { std::free(memory); }
};
using MallocString = std::unique_ptr<char, MallocDeleter>;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

// The whole file, or nothing when it cannot be read or exceeds the size limit.
std::optional<std::string> readFile(const std::filesystem::path& path) {
    // Non-blocking, so that a FIFO in the file's place cannot stall the open.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_size) > kPropertyListMaxFileSize) {
        return std::nullopt;
    }
    // Room for the size fstat gave and one byte more, which tells a file that grew since; a
    // grown file gets more room up to one byte over the limit. Preferences are read at every
    // start of the preview, so the room is not the limit's megabyte.
    std::string bytes(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > kPropertyListMaxFileSize) {
                break;
            }
            bytes.resize(std::min(2 * bytes.size(), kPropertyListMaxFileSize + 1));
        }
        const ssize_t count = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    if (filled > kPropertyListMaxFileSize) {
        return std::nullopt;
    }
    bytes.resize(filled);
    return bytes;
}

// Whether the parser may see these bytes: it recurses, and its getters abort on a NUL inside a
// string (which XML forbids anywhere).
bool safeToParse(const std::string& bytes) {
    if (plist_is_binary(bytes.data(), static_cast<std::uint32_t>(bytes.size()))) {
        return binaryParseable(bytes, kPropertyListMaxNesting, kMaxValues);
    }
    // The <plist> wrapper is one more element than the containers it holds.
    return bytes.find('\0') == std::string::npos &&
           xmlNestingWithin(bytes, kPropertyListMaxNesting + 1);
}

std::optional<PlistValue> valueFromNode(plist_t node, std::size_t depth);

std::shared_ptr<NSMutableDictionary> dictionaryFromNode(plist_t node, std::size_t depth) {
    if (depth > kPropertyListMaxNesting) {
        return nullptr;
    }
    auto dictionary = NSMutableDictionary::create();
    plist_dict_iter rawIterator = nullptr;
    plist_dict_new_iter(node, &rawIterator);
    const std::unique_ptr<void, MallocDeleter> iterator(rawIterator);
    for (;;) {
        char* rawKey = nullptr;
        plist_t child = nullptr;
        plist_dict_next_item(node, iterator.get(), &rawKey, &child);
        const MallocString key(rawKey);
        if (child == nullptr) {
            return dictionary;
        }
        auto value = valueFromNode(child, depth + 1);
        if (!value || !key) {
            return nullptr;
        }
        dictionary->setObject(std::move(*value), key.get());
    }
}

std::optional<PlistValue> arrayFromNode(plist_t node, std::size_t depth) {
    if (depth > kPropertyListMaxNesting) {
        return std::nullopt;
    }
    PlistArray array;
    const std::uint32_t size = plist_array_get_size(node);
    array.reserve(size);
    for (std::uint32_t i = 0; i < size; ++i) {
        auto value = valueFromNode(plist_array_get_item(node, i), depth + 1);
        if (!value) {
            return std::nullopt;
        }
        array.push_back(std::move(*value));
    }
    return PlistValue(std::move(array));
}

std::optional<PlistValue> valueFromNode(plist_t node, std::size_t depth) {
    switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            std::uint8_t value = 0;
            plist_get_bool_val(node, &value);
            return PlistValue(value != 0);
        }
        case PLIST_UINT: {
            // Integers are kept as 64 bits; negative ones come back from their two's complement.
            std::uint64_t value = 0;
            plist_get_uint_val(node, &value);
            return PlistValue(static_cast<std::int64_t>(value));
        }
        case PLIST_REAL: {
            double value = 0;
            plist_get_real_val(node, &value);
            return PlistValue(value);
        }
        case PLIST_STRING: {
            char* raw = nullptr;
            plist_get_string_val(node, &raw);
            const MallocString text(raw);
            return PlistValue(std::string(text ? text.get() : ""));
        }
        case PLIST_DATA: {
            char* raw = nullptr;
            std::uint64_t length = 0;
            plist_get_data_val(node, &raw, &length);
            const MallocString bytes(raw);
            const auto* begin = reinterpret_cast<const std::uint8_t*>(bytes.get());
            return PlistValue(bytes ? PlistData(begin, begin + length) : PlistData{});
        }
        case PLIST_DATE: {
            std::int32_t seconds = 0;
            std::int32_t microseconds = 0;
            plist_get_date_val(node, &seconds, &microseconds);
            return PlistValue(PlistDate{seconds + microseconds / 1e6});
        }
        case PLIST_ARRAY:
            return arrayFromNode(node, depth);
        case PLIST_DICT: {
            auto dictionary = dictionaryFromNode(node, depth);
            return dictionary ? std::optional<PlistValue>(*dictionary) : std::nullopt;
        }
        case PLIST_UID: {
            // The parser turns a dictionary holding only "CF$UID" into a UID; Foundation reads it
            // as that dictionary.
            std::uint64_t value = 0;
            plist_get_uid_val(node, &value);
            NSMutableDictionary uid;
            uid.setObject(PlistValue(static_cast<std::int64_t>(value)), "CF$UID");
            return PlistValue(uid);
        }
        default:
            return std::nullopt;
    }
}

PlistNode nodeFromValue(const PlistValue& value, std::size_t depth);

PlistNode nodeFromDictionary(const NSMutableDictionary& dictionary, std::size_t depth) {
    if (depth > kPropertyListMaxNesting) {
        return nullptr;
    }
    PlistNode node(plist_new_dict());
    for (const auto& [key, value] : dictionary.entries()) {
        PlistNode child = nodeFromValue(value, depth + 1);
        if (!child) {
            return nullptr;
        }
        plist_dict_set_item(node.get(), key.c_str(), child.release());
    }
    return node;
}

PlistNode nodeFromArray(const PlistArray& array, std::size_t depth) {
    if (depth > kPropertyListMaxNesting) {
        return nullptr;
    }
    PlistNode node(plist_new_array());
    for (const auto& value : array) {
        PlistNode child = nodeFromValue(value, depth + 1);
        if (!child) {
            return nullptr;
        }
        plist_array_append_item(node.get(), child.release());
    }
    return node;
}

PlistNode nodeFromDate(PlistDate date) {
    const double whole = std::floor(date.secondsSinceReferenceDate);
    const double clamped = std::clamp(whole, -2147483648.0, 2147483647.0);
    const auto microseconds =
        std::min(999999.0, std::round((date.secondsSinceReferenceDate - whole) * 1e6));
    return PlistNode(
        plist_new_date(static_cast<std::int32_t>(clamped),
                       whole == clamped ? static_cast<std::int32_t>(microseconds) : 0));
}

PlistNode nodeFromValue(const PlistValue& value, std::size_t depth) {
    switch (value.type()) {
        case PlistType::Boolean:
            return PlistNode(plist_new_bool(*value.booleanValue() ? 1 : 0));
        case PlistType::Integer:
            return PlistNode(plist_new_uint(static_cast<std::uint64_t>(*value.integerValue())));
        case PlistType::Real:
            return PlistNode(plist_new_real(*value.realValue()));
        case PlistType::String:
            return PlistNode(plist_new_string(value.stringValue()->c_str()));
        case PlistType::Data: {
            const PlistData& data = *value.dataValue();
            return PlistNode(
                plist_new_data(reinterpret_cast<const char*>(data.data()), data.size()));
        }
        case PlistType::Date:
            return nodeFromDate(*value.dateValue());
        case PlistType::Array:
            return nodeFromArray(*value.arrayValue(), depth);
        case PlistType::Dictionary:
            return nodeFromDictionary(*value.dictionaryValue(), depth);
    }
    return nullptr;
}

std::optional<std::string> xmlText(const NSMutableDictionary& dictionary) {
    PlistNode root = nodeFromDictionary(dictionary, 1);
    if (!root) {
        return std::nullopt;
    }
    char* raw = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(root.get(), &raw, &length);
    if (raw == nullptr) {
        return std::nullopt;
    }
    std::string text(raw, length);
    plist_to_xml_free(raw);
    return text;
}

// The fault injected into this process's atomic writes, if any.
struct InjectedFault {
    std::optional<AtomicWriteFault> fault;
};

const AtomicWriteFault* injectedFault(AtomicWriteStep step) {
    const auto& injected = Process::current().attachment<InjectedFault>().fault;
    return injected && injected->step == step ? &*injected : nullptr;
}

// True when the step is to fail, with errno set as it would be by the failing call.
bool failsAt(AtomicWriteStep step) {
    const AtomicWriteFault* fault = injectedFault(step);
    if (fault != nullptr) {
        errno = fault->error;
    }
    return fault != nullptr;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

bool writeTemporary(int fd, std::string_view bytes) {
    if (const AtomicWriteFault* fault = injectedFault(AtomicWriteStep::Write)) {
        writeAll(fd, bytes.substr(0, fault->bytesWritten));
        errno = fault->error;
        return false;
    }
    return writeAll(fd, bytes);
}

// A temporary file beside the target takes the whole text and is then renamed over the target,
// which is therefore either wholly old or wholly new.
bool writeAtomically(const std::filesystem::path& target, std::string_view text) {
    const std::filesystem::path folder = target.parent_path();
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    if (failsAt(AtomicWriteStep::CreateTemporary)) {
        return false;
    }
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.valid()) {
        return false;
    }
    // No fsync of the file or its folder: the rename alone leaves the old file or the whole new
    // one after any crash of the process, which is what a save promises. Forcing the bytes to
    // disk as well, against a power loss, took 1-11 ms a save here, over the 1 ms a save has.
    const bool replaced = writeTemporary(file.get(), text) && ::fchmod(file.get(), 0644) == 0 &&
                          !failsAt(AtomicWriteStep::Flush) && !failsAt(AtomicWriteStep::Close) &&
                          file.close() && !failsAt(AtomicWriteStep::Replace) &&
                          ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!replaced) {
        ::unlink(temporary.c_str());
    }
    return replaced;
}

bool writeInPlace(const std::filesystem::path& target, std::string_view text) {
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    return file.valid() && writeAll(file.get(), text) && file.close();
}

}  // namespace

std::shared_ptr<NSMutableDictionary> dictionaryWithContentsOfFile(std::string_view path) {
    const auto bytes = readFile(devicePath(path));
    if (!bytes || !safeToParse(*bytes)) {
        return nullptr;
    }
    plist_t raw = nullptr;
    plist_from_memory(bytes->data(), static_cast<std::uint32_t>(bytes->size()), &raw);
    const PlistNode root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
        return nullptr;
    }
    return dictionaryFromNode(root.get(), 1);
}

void injectAtomicWriteFault(std::optional<AtomicWriteFault> fault) {
    Process::current().attachment<InjectedFault>().fault = fault;
}

bool writeToFile(const NSMutableDictionary& dictionary, std::string_view path, bool atomically) {
    const std::filesystem::path target = devicePath(path);
    const auto text = xmlText(dictionary);
    if (!text || !target.has_filename()) {
        return false;
    }
    const bool written = atomically ? writeAtomically(target, *text) : writeInPlace(target, *text);
    noteDeviceFileChange();
    return written;
}

}  // namespace platform
