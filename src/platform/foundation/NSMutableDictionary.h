#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/PlistValue.h"

namespace platform {

// A mutable dictionary with string keys and property-list values.
class NSMutableDictionary {
public:
    using Entries = std::map<std::string, PlistValue, std::less<>>;

    static std::shared_ptr<NSMutableDictionary> create() {
        return std::make_shared<NSMutableDictionary>();
    }
    static std::shared_ptr<NSMutableDictionary> dictionaryWithDictionary(
        const NSMutableDictionary& other) {
        return std::make_shared<NSMutableDictionary>(other);
    }

    // The value stored under key, or null. The pointer stays valid until that key is set or
    // removed again.
    const PlistValue* objectForKey(std::string_view key) const;
    // Stores value under key, replacing what was there.
    void setObject(PlistValue value, std::string key);
    void removeObjectForKey(std::string_view key);

    std::size_t count() const { return entries_.size(); }
    // The keys in ascending order.
    std::vector<std::string> allKeys() const;
    const Entries& entries() const { return entries_; }

    // Foundation's description: one "key = value;" line per entry, keys ascending.
    std::string description(int indent = 0) const;

    bool operator==(const NSMutableDictionary&) const = default;

private:
    Entries entries_;
};

}  // namespace platform
