#include "snapforge/prefs/Tools.h"

#include <string>

#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistValue.h"
#include "platform/foundation/PropertyListFile.h"

namespace snapforge {

int Tools::intForKey(std::string_view key, int defaultValue,
                     const platform::NSMutableDictionary* dictionary) {
    const platform::PlistValue* value =
        dictionary ? dictionary->objectForKey(std::string(key)) : nullptr;
    if (value == nullptr) {
        return defaultValue;
    }
    return value->intValue().value_or(defaultValue);
}

bool Tools::boolForKey(std::string_view key, bool defaultValue,
                       const platform::NSMutableDictionary* dictionary) {
    const platform::PlistValue* value =
        dictionary ? dictionary->objectForKey(std::string(key)) : nullptr;
    if (value == nullptr) {
        return defaultValue;
    }
    return value->boolValue().value_or(defaultValue);
}

}  // namespace snapforge
