#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/foundation/DevicePath.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyListFile.h"
#include "snapforge/CameraStory.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/prefs/Tools.h"

namespace snapforge::testing {
namespace {

using platform::AtomicWriteFault;
using platform::AtomicWriteStep;

struct NamedFault {
    const char* name;
    AtomicWriteFault fault;
};

// Every way a save can fail on the phone: a failing step, a full device, a read-only folder.
const std::vector<NamedFault> kFaults = {
    {"read-only folder", {AtomicWriteStep::CreateTemporary, EROFS, 0}},
    {"no space for a new file", {AtomicWriteStep::CreateTemporary, ENOSPC, 0}},
    {"full device", {AtomicWriteStep::Write, ENOSPC, 0}},
    {"short write", {AtomicWriteStep::Write, EIO, 100}},
    {"flush", {AtomicWriteStep::Flush, EIO, 0}},
    {"close", {AtomicWriteStep::Close, EIO, 0}},
    {"replace", {AtomicWriteStep::Replace, EXDEV, 0}},
};

std::filesystem::path preferencesFile() {
    return platform::devicePath(std::string(kPreferencesFolder) + "/" +
                                std::string(kPreferencesFileName));
}

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::size_t entriesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

class SaveFaults : public CameraStory {
protected:
    SaveFaults() {
        launch();
        s.rememberSettings = true;
        s._timerTime = 7;
        savePrefs();
        oldBytes = bytesOf(preferencesFile());
    }

    void expectOldFileOnly(const char* fault) {
        EXPECT_EQ(bytesOf(preferencesFile()), oldBytes) << fault;
        EXPECT_EQ(entriesIn(preferencesFile().parent_path()), 1u) << fault << ": a file was left";
    }

    void expectCameraStillWorks(const char* fault) {
        const int photos = app.photoCount();
        ASSERT_TRUE(app.pressShutter()) << fault;
        run(3);
        EXPECT_EQ(app.photoCount(), photos + 1) << fault;
    }

    std::string oldBytes;
};

TEST_F(SaveFaults, EveryFailedSaveKeepsTheOldFileWholeAndTheNextSaveWritesTheNewOne) {
    ASSERT_FALSE(oldBytes.empty());
    int timerTime = 7;
    for (const auto& [name, fault] : kFaults) {
        s._timerTime = ++timerTime;
        platform::injectAtomicWriteFault(fault);
        savePrefs();
        expectOldFileOnly(name);
        // The choice made stays in force although it could not be written.
        EXPECT_EQ(s._timerTime, timerTime) << name;
        expectCameraStillWorks(name);

        platform::injectAtomicWriteFault(std::nullopt);
        savePrefs();
        const auto saved = loadPrefs();
        ASSERT_TRUE(saved) << name;
        EXPECT_EQ(Tools::intForKey("timerTime", 0, saved.get()), timerTime) << name;
        EXPECT_EQ(entriesIn(preferencesFile().parent_path()), 1u) << name;
        oldBytes = bytesOf(preferencesFile());
    }
}

TEST_F(SaveFaults, AFirstSaveThatFailsLeavesNoFileAndTheCameraReopensWithDefaults) {
    app.close();
    std::filesystem::remove(preferencesFile());
    for (const auto& [name, fault] : kFaults) {
        platform::injectAtomicWriteFault(fault);
        savePrefs();
        EXPECT_FALSE(std::filesystem::exists(preferencesFile())) << name;
        EXPECT_EQ(entriesIn(preferencesFile().parent_path()), 0u) << name;
    }
    launch();
    EXPECT_FALSE(s.rememberSettings);
    EXPECT_TRUE(s._advPhotoSelected);
    expectCameraStillWorks("after the failed saves");
}

}  // namespace
}  // namespace snapforge::testing
