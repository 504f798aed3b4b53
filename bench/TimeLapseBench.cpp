// A day-long time lapse, one photo every 6 s, through the simulator (--quiet) against an hour
// of the same: wall time, and the peak memory of each run, which must not grow with the length
// of the run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

extern char** environ;

namespace {

// The dial's 5 s between photos plus the host's second of taking one.
constexpr int kSecondsBetweenPhotos = 6;

struct SimulatorRun {
    double seconds = 0;
    long peakKilobytes = 0;
    bool passed = false;
};

// The bar's time lapse at the dial's first value, started by the shutter and left running for
// `hours`, a minute a step, as someone would watch it.
std::filesystem::path writeScenario(int hours) {
    const int minutes = hours * 60;
    const auto path =
        std::filesystem::temp_directory_path() / ("snapforge-bench-" + std::to_string(::getpid()) +
                                                  "-" + std::to_string(hours) + "h.scenario");
    std::ofstream out(path);
    out << "launch\ntap settings-button\nwait 1\ntap bar.time-lapse\nwait 1\n"
           "expect dial.value 5\nshutter\n";
    for (int i = 0; i < minutes; ++i) {
        out << "wait 60\n";
    }
    out << "expect photos " << minutes * 60 / kSecondsBetweenPhotos << "\n";
    return path;
}

std::optional<SimulatorRun> runSimulator(const std::filesystem::path& scenario) {
    std::string program = SNAPFORGE_SIM_PATH;
    std::string quiet = "--quiet";
    std::string file = scenario.string();
    char* argv[] = {program.data(), quiet.data(), file.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return std::nullopt;
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child) {
        return std::nullopt;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return SimulatorRun{elapsed.count(), usage.ru_maxrss,
                        WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

void timeLapse(benchmark::State& state, int hours) {
    const auto scenario = writeScenario(hours);
    long peak = 0;
    for (auto _ : state) {
        const auto run = runSimulator(scenario);
        if (!run || !run->passed) {
            state.SkipWithError("the simulator did not take every photo");
            break;
        }
        state.SetIterationTime(run->seconds);
        peak = std::max(peak, run->peakKilobytes);
    }
    state.counters["peak kB"] = static_cast<double>(peak);
    state.SetLabel(hours == 24 ? "< 1 s; peak within 1 MB of 1 h" : "1 hour");
    std::filesystem::remove(scenario);
}

}  // namespace

BENCHMARK_CAPTURE(timeLapse, day, 24)
    ->Name("time lapse 24 h")
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(timeLapse, hour, 1)
    ->Name("time lapse 24 h.baseline")
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
