// The live camera's speed, each figure beside a baseline measured in the same run: building and
// sending one frame against a report's picture of the same screen; a touch posted until the
// frame it causes reaches a client's event stream, against the touch's own answer; a day of time
// lapse through `wait 86400` in the console against an hour; and the share of a core the server
// takes over 10 s while nothing moves (its CPU time against the wall time of the window).
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "live/JsonText.h"
#include "live/LiveService.h"
#include "live/LiveSession.h"
#include "live/Publisher.h"
#include "sim/SvgSnapshot.h"
#include "sim/TemporaryFolder.h"

namespace {

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr const char* kToken = "benchbenchbenchbenchbenchbench00";
constexpr auto kIdleWindow = std::chrono::seconds(10);

live::SessionSettings settingsIn(const std::filesystem::path& folder) {
    live::SessionSettings settings;
    settings.driver.snapshotFolder = folder;
    settings.pictureAddress = [](const std::string& name) { return "/api/picture/" + name; };
    return settings;
}

// A folder of its own for the phone's snapshots, removed at the end.
struct Folder {
    Folder() : path(sim::makeTemporaryFolder().value_or("/tmp")) { root.removeAtExit(path); }
    std::filesystem::path path;
    sim::TemporaryRoot root;
};

// The live camera served on a free port, with a client of its API and one of its event stream
// that notes when each frame event arrives.
class LiveRig {
public:
    LiveRig()
        : service_(0, settingsIn(folder_.path), kToken),
          server_([this] { service_.run(); }),
          api_("127.0.0.1", service_.port()),
          events_("127.0.0.1", service_.port()) {
        reader_ = std::thread([this] {
            events_.Get("/api/events?token=" + std::string(kToken),
                        [this](const char* data, std::size_t length) {
                            noteEvents(std::string_view(data, length));
                            return true;
                        });
        });
        waitForFrames(1);
        post("/api/clock", R"({"speed":0})");
    }
    ~LiveRig() {
        events_.stop();
        reader_.join();
        service_.stop();
        server_.join();
    }

    httplib::Result post(const std::string& path, const std::string& body) {
        return api_.Post(path, {{"X-Snapforge-Token", kToken}}, body, "application/json");
    }

    int frames() {
        const std::lock_guard lock(mutex_);
        return frames_;
    }
    // When the frame numbered `count` arrived, waiting for it up to a second.
    std::optional<Clock::time_point> waitForFrames(int count) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, std::chrono::seconds(1), [&] { return frames_ >= count; })) {
            return std::nullopt;
        }
        return lastFrame_;
    }

private:
    void noteEvents(std::string_view text) {
        const auto now = Clock::now();
        const std::lock_guard lock(mutex_);
        for (auto at = text.find("event: frame"); at != std::string_view::npos;
             at = text.find("event: frame", at + 1)) {
            ++frames_;
            lastFrame_ = now;
        }
        arrived_.notify_all();
    }

    Folder folder_;
    live::LiveService service_;
    std::thread server_;
    httplib::Client api_;
    httplib::Client events_;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    int frames_ = 0;
    Clock::time_point lastFrame_;
};

std::string touchAt(const char* phase, int x, int y) {
    return std::string(R"({"phase":")") + phase + R"(","x":)" + std::to_string(x) + R"(,"y":)" +
           std::to_string(y) + "}";
}

// A tap that moves the reticles (they come to the finger as it lands), alternating between two
// places; with `toFrame`, the time from posting the touch until the frame it causes arrives,
// else until the touch's answer.
void touchToFrame(benchmark::State& state, bool toFrame) {
    LiveRig rig;
    bool there = false;
    for (auto _ : state) {
        const int x = there ? 200 : 100;
        there = !there;
        const int before = rig.frames();
        const auto start = Clock::now();
        const auto touched = rig.post("/api/touch", touchAt("down", x, 300));
        const auto answered = Clock::now();
        const auto frame = rig.waitForFrames(before + 1);
        if (!touched || touched->status != 200 || !frame) {
            state.SkipWithError("the touch brought no frame");
            break;
        }
        state.SetIterationTime(Seconds((toFrame ? *frame : answered) - start).count());
        state.PauseTiming();
        rig.post("/api/touch", touchAt("up", x, 300));
        // Frames go out at most 60 a second: let the last one's sixtieth pass.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        state.ResumeTiming();
    }
    state.SetLabel(toFrame ? "<= 16 ms median" : "the touch's answer");
}

// One frame: the screen drawn, compared with the last one sent, put into its event and handed
// to the publisher, and the event's text a reader sends; the reticles move between frames.
void liveFrame(benchmark::State& state) {
    Folder folder;
    live::LiveSession session(settingsIn(folder.path));
    live::Publisher publisher;
    live::Publisher::Cursor reader;
    std::string last;
    bool there = false;
    for (auto _ : state) {
        state.PauseTiming();
        session.touch(live::TouchPhase::Down, {there ? 200.0f : 100.0f, 300});
        session.touch(live::TouchPhase::Up, {there ? 200.0f : 100.0f, 300});
        there = !there;
        state.ResumeTiming();
        std::string frame = session.screen();
        if (frame != last) {
            last = std::move(frame);
            publisher.publishFrame(live::jsonText({{"time", session.now()}, {"svg", last}}));
        }
        benchmark::DoNotOptimize(publisher.next(reader, std::chrono::milliseconds(0)));
    }
    state.SetLabel("<= 1 ms");
}

// The same screen as a report's step draws it, pictures inside.
void reportFrame(benchmark::State& state) {
    Folder folder;
    live::LiveSession session(settingsIn(folder.path));
    for (auto _ : state) {
        benchmark::DoNotOptimize(sim::svgSnapshot(session.now()));
    }
    state.SetLabel("a report's picture of the screen");
}

// A time lapse started from the console, then `wait SECONDS` typed into it.
void consoleWait(benchmark::State& state, int seconds) {
    LiveRig rig;
    for (const char* line :
         {"tap settings-button", "wait 1", "tap bar.time-lapse", "wait 1", "shutter"}) {
        rig.post("/api/line", std::string(R"({"line":")") + line + "\"}");
    }
    const std::string wait = R"({"line":"wait )" + std::to_string(seconds) + "\"}";
    for (auto _ : state) {
        const auto start = Clock::now();
        const auto answer = rig.post("/api/line", wait);
        state.SetIterationTime(Seconds(Clock::now() - start).count());
        if (!answer || answer->status != 200) {
            state.SkipWithError("the wait was refused");
            break;
        }
    }
    state.SetLabel(seconds == 86400 ? "< 1 s" : "an hour");
}

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// 10 s of a launched camera at 1x with a reader on the event stream and nobody touching it.
struct IdleWindow {
    double processor = 0;
    double wall = 0;
};

const IdleWindow& idleWindow() {
    static const IdleWindow window = [] {
        LiveRig rig;
        rig.post("/api/clock", R"({"speed":1})");
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const double before = processorSeconds();
        const auto start = Clock::now();
        std::this_thread::sleep_for(kIdleWindow);
        return IdleWindow{processorSeconds() - before, Seconds(Clock::now() - start).count()};
    }();
    return window;
}

void idle(benchmark::State& state, bool processor) {
    for (auto _ : state) {
        const auto& window = idleWindow();
        state.SetIterationTime(processor ? window.processor : window.wall);
    }
    state.SetLabel(processor ? "< 0.02x: 2% of a core" : "the window's wall time");
}

}  // namespace

BENCHMARK(liveFrame)->Name("live frame")->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(reportFrame)->Name("live frame.baseline")->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(touchToFrame, frame, true)
    ->Name("live touch to frame")
    ->UseManualTime()
    ->Iterations(60)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(touchToFrame, answer, false)
    ->Name("live touch to frame.baseline")
    ->UseManualTime()
    ->Iterations(60)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(consoleWait, day, 86400)
    ->Name("live wait 86400")
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(consoleWait, hour, 3600)
    ->Name("live wait 86400.baseline")
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(idle, processor, true)->Name("live idle 10 s")->UseManualTime()->Iterations(1);
BENCHMARK_CAPTURE(idle, wall, false)
    ->Name("live idle 10 s.baseline")
    ->UseManualTime()
    ->Iterations(1);
