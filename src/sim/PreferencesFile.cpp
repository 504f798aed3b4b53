#include "sim/PreferencesFile.h"

#include <fstream>
#include <system_error>

#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PlistValue.h"
#include "platform/foundation/PropertyListFile.h"
#include "sim/CompactNumber.h"
#include "sim/Overloaded.h"
#include "snapforge/prefs/Preferences.h"

namespace sim::preferences {
namespace {

std::string phonePath() {
    return std::string(snapforge::kPreferencesFolder) + "/" +
           std::string(snapforge::kPreferencesFileName);
}

bool makeFolder() {
    return platform::NSFileManager::defaultManager().createDirectoryAtPath(
        snapforge::kPreferencesFolder, true);
}

platform::PlistValue plistValue(const PrefValue& value) {
    return std::visit(Overloaded{
                          [](bool flag) { return platform::PlistValue(flag); },
                          [](std::int64_t number) { return platform::PlistValue(number); },
                          [](const std::string& text) { return platform::PlistValue(text); },
                      },
                      value);
}

std::string answerText(const platform::PlistValue& value) {
    if (const bool* flag = value.booleanValue()) {
        return *flag ? "YES" : "NO";
    }
    if (const std::int64_t* number = value.integerValue()) {
        return std::to_string(*number);
    }
    if (const double* real = value.realValue()) {
        return compactNumber(*real);
    }
    if (const std::string* text = value.stringValue()) {
        return *text;
    }
    return value.description();
}

}  // namespace

std::filesystem::path filePath() {
    return platform::devicePath(phonePath());
}

bool write(const std::vector<PrefEntry>& entries) {
    platform::NSMutableDictionary dictionary;
    for (const auto& entry : entries) {
        dictionary.setObject(plistValue(entry.value), entry.key);
    }
    return makeFolder() && platform::writeToFile(dictionary, phonePath(), true);
}

bool writeBytes(std::string_view bytes) {
    if (!makeFolder()) {
        return false;
    }
    std::error_code ec;
    std::filesystem::remove_all(filePath(), ec);
    std::ofstream file(filePath(), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const bool written = static_cast<bool>(file.flush());
    platform::noteDeviceFileChange();
    return written;
}

std::optional<std::map<std::string, std::string>> values() {
    const auto dictionary = platform::dictionaryWithContentsOfFile(phonePath());
    if (!dictionary) {
        return std::nullopt;
    }
    std::map<std::string, std::string> result;
    for (const auto& [key, value] : dictionary->entries()) {
        result.emplace(key, answerText(value));
    }
    return result;
}

std::string answer(std::string_view key) {
    const auto all = values();
    if (!all) {
        return "missing";
    }
    const auto found = all->find(std::string(key));
    return found == all->end() ? "missing" : found->second;
}

}  // namespace sim::preferences
