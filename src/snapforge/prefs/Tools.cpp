#include "snapforge/prefs/Tools.h"

#include <optional>
#include <string>

#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistValue.h"

namespace snapforge {
namespace {

// The value under key as its reader answers it; the default when there is none or the value
// cannot answer.
template <class T>
T readValue(std::string_view key, T defaultValue, const platform::NSMutableDictionary* dictionary,
            std::optional<T> (platform::PlistValue::*reader)() const) {
    const platform::PlistValue* value =
        dictionary ? dictionary->objectForKey(std::string(key)) : nullptr;
    if (value == nullptr) {
        return defaultValue;
    }
    return (value->*reader)().value_or(defaultValue);
}

}  // namespace

int Tools::intForKey(std::string_view key, int defaultValue,
                     const platform::NSMutableDictionary* dictionary) {
    return readValue(key, defaultValue, dictionary, &platform::PlistValue::intValue);
}

bool Tools::boolForKey(std::string_view key, bool defaultValue,
                       const platform::NSMutableDictionary* dictionary) {
    return readValue(key, defaultValue, dictionary, &platform::PlistValue::boolValue);
}

}  // namespace snapforge
