// A preference save (an atomic property-list write) against the file system's own cost of an
// atomic replace of the same bytes, and what flushing it to disk would add; a load against
// reading those bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/Process.h"
#include "platform/foundation/DevicePath.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/State.h"

namespace {

std::string preferencesPath() {
    return std::string(snapforge::kPreferencesFolder) + "/" +
           std::string(snapforge::kPreferencesFileName);
}

// A process whose library saves every choice, with the preferences file written once.
struct SavingProcess {
    SavingProcess() {
        snapforge::State& s = snapforge::state();
        s.DISABLE_SAVE = false;
        s.rememberSettings = true;
        snapforge::savePrefs();
        file = platform::devicePath(preferencesPath());
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    platform::Process process;
    std::filesystem::path file;
    std::string bytes;
};

// What an atomic write cannot do without: a temporary file written and renamed over the old one;
// durably, with the file and the folder flushed to disk as well.
bool replace(const std::filesystem::path& target, const std::string& bytes, bool durably) {
    std::string temporary = target.string() + ".XXXXXX";
    const int file = ::mkstemp(temporary.data());
    if (file < 0) {
        return false;
    }
    const bool written =
        ::write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        (!durably || ::fsync(file) == 0);
    ::close(file);
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    const int folder = durably ? ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY) : -1;
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void savePreferences(benchmark::State& state) {
    SavingProcess saving;
    for (auto _ : state) {
        snapforge::savePrefs();
    }
    state.SetLabel("median < 1 ms");
}

void replaceSameBytes(benchmark::State& state, bool durably) {
    SavingProcess saving;
    for (auto _ : state) {
        if (!replace(saving.file, saving.bytes, durably)) {
            state.SkipWithError("could not replace the file");
        }
    }
    state.SetLabel(durably ? "with fsync, which saves skip" : "replace of the bytes");
}

void loadPreferences(benchmark::State& state) {
    SavingProcess saving;
    for (auto _ : state) {
        auto prefs = snapforge::loadPrefs();
        if (!prefs) {
            state.SkipWithError("the saved file did not load");
        }
        benchmark::DoNotOptimize(prefs);
    }
    state.SetLabel("< 0.5 ms");
}

void readSameBytes(benchmark::State& state) {
    SavingProcess saving;
    for (auto _ : state) {
        std::ifstream in(saving.file, std::ios::binary);
        std::string bytes(std::istreambuf_iterator<char>(in), {});
        benchmark::DoNotOptimize(bytes);
    }
    state.SetLabel("reading the bytes");
}

}  // namespace

BENCHMARK(savePreferences)->Name("save prefs")->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(replaceSameBytes, plain, false)
    ->Name("save prefs.baseline")
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
// What forcing every save to disk would cost on top.
BENCHMARK_CAPTURE(replaceSameBytes, durable, true)
    ->Name("durable replace")
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(replaceSameBytes, plain, false)
    ->Name("durable replace.baseline")
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(loadPreferences)->Name("load prefs")->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(readSameBytes)->Name("load prefs.baseline")->Repetitions(5)->ReportAggregatesOnly(true);
