#include "platform/foundation/NSMutableDictionary.h"

namespace platform {

const PlistValue* NSMutableDictionary::objectForKey(std::string_view key) const {
    auto found = entries_.find(key);
    return found == entries_.end() ? nullptr : &found->second;
}

void NSMutableDictionary::setObject(PlistValue value, std::string key) {
    entries_.insert_or_assign(std::move(key), std::move(value));
}

void NSMutableDictionary::removeObjectForKey(std::string_view key) {
    auto found = entries_.find(key);
    if (found != entries_.end()) {
        entries_.erase(found);
    }
}

std::vector<std::string> NSMutableDictionary::allKeys() const {
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const auto& [key, value] : entries_) {
        keys.push_back(key);
    }
    return keys;
}

std::string NSMutableDictionary::description(int indent) const {
    const std::string inner(static_cast<std::size_t>(indent + 1) * 4, ' ');
    std::string text = "{\n";
    for (const auto& [key, value] : entries_) {
        // A key is written as a string value is: quoted when it is not a plain word.
        text += inner + PlistValue(key).description() + " = ";
        const bool container =
            value.type() == PlistType::Array || value.type() == PlistType::Dictionary;
        // Foundation starts a nested container on the key's line, indented once more.
        if (container) {
            text += inner;
        }
        text += value.description(indent + 1) + ";\n";
    }
    return text + std::string(static_cast<std::size_t>(indent) * 4, ' ') + "}";
}

}  // namespace platform
