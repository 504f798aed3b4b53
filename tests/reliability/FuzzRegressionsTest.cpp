#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/harness/CheckedRun.h"
#include "fuzz/harness/PreferencesRoundTrip.h"
#include "platform/Process.h"

namespace fuzzing {
namespace {

// What the fuzzers once found, kept in fuzz/regressions: preferences files (.plist) and
// sequences of events (.scenario) that broke a promise before their fix.
std::vector<std::filesystem::path> regressions(std::string_view extension) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(SNAPFORGE_SOURCE_DIR "/fuzz/regressions")) {
        if (entry.path().extension() == extension) {
            files.push_back(entry.path());
        }
    }
    return files;
}

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(FuzzRegressions, FoundPreferencesFilesLoadAndSaveWhole) {
    const auto files = regressions(".plist");
    EXPECT_FALSE(files.empty());
    for (const auto& file : files) {
        const platform::Process process;
        const auto broken = preferencesRoundTrip(bytesOf(file));
        EXPECT_FALSE(broken) << file.filename() << ": " << broken.value_or("");
    }
}

TEST(FuzzRegressions, FoundScenariosKeepEveryPromise) {
    for (const auto& file : regressions(".scenario")) {
        const auto broken = runScenarioChecked(bytesOf(file));
        EXPECT_FALSE(broken) << file.filename() << ": "
                             << (broken
                                     ? broken->violation.invariant + ": " + broken->violation.detail
                                     : "");
    }
}

}  // namespace
}  // namespace fuzzing
