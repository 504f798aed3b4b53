#include "live/PhoneThread.h"

#include <cmath>
#include <exception>
#include <functional>

#include "live/JsonText.h"
#include "live/Publisher.h"
#include "platform/ui/UIScreen.h"

namespace live {
namespace {

using Seconds = std::chrono::duration<double>;

// The shortest time between two frames sent: a screen at 60 Hz.
constexpr Seconds kFrameInterval{1.0 / 60};
// A clock further off what a reader works out from the last one than this is published again.
constexpr double kClockSlack = 0.05;

// Runs one piece of the phone's turn. The simulation does not throw, but if it did, the phone
// would go on and the failure be told.
template <class Work>
void guarded(Work&& work, const std::function<void(const std::string&)>& told) {
    std::string failure;
    try {
        work();
        return;
    } catch (const std::exception& error) {
        failure = std::string("the simulation failed: ") + error.what();
    } catch (...) {
        failure = "the simulation failed";
    }
    told(failure);
}

}  // namespace

PhoneThread::PhoneThread(SessionSettings settings, Publisher& publisher) : publisher_(publisher) {
    std::promise<void> standing;
    auto stood = standing.get_future();
    // The promise goes with the thread: the thread may still be inside it when this returns.
    thread_ = std::thread(
        [this, settings = std::move(settings), standing = std::move(standing)]() mutable {
            run(std::move(settings), standing);
        });
    try {
        stood.get();
    } catch (...) {
        thread_.join();
        throw;
    }
}

PhoneThread::~PhoneThread() {
    stop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void PhoneThread::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
}

ApiResponse PhoneThread::call(ApiRequest request) {
    std::future<ApiResponse> answer;
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) {
            return refusal(503, "the live camera is stopping");
        }
        jobs_.push_back({std::move(request), {}});
        answer = jobs_.back().answer.get_future();
    }
    wake_.notify_all();
    return answer.get();
}

void PhoneThread::run(SessionSettings settings, std::promise<void>& standing) {
    std::optional<LiveSession> session;
    try {
        session.emplace(std::move(settings));
    } catch (...) {
        standing.set_exception(std::current_exception());
        return;
    }
    standing.set_value();
    serve(*session);
    std::vector<Job> left;
    {
        const std::lock_guard lock(mutex_);
        left.swap(jobs_);
    }
    for (auto& job : left) {
        job.answer.set_value(refusal(503, "the live camera is stopping"));
    }
}

void PhoneThread::serve(LiveSession& session) {
    LiveApi api(session);
    lastTurn_ = WallClock::now();
    publish(session, true);
    for (;;) {
        auto jobs = waitForWork(session);
        {
            const std::lock_guard lock(mutex_);
            if (stopping_) {
                jobs_.insert(jobs_.end(), std::make_move_iterator(jobs.begin()),
                             std::make_move_iterator(jobs.end()));
                return;
            }
        }
        const auto onTimeline = [&](const std::string& failure) {
            publisher_.publishLines({jsonText(
                timelineEntryJson({session.now(), sim::TimelineKind::Failure, failure}))});
        };
        std::vector<ApiResponse> answers;
        guarded([&] { keepTime(session); }, onTimeline);
        for (const auto& job : jobs) {
            guarded([&] { answers.push_back(api.handle(job.request)); },
                    [&](const std::string& failure) { answers.push_back(refusal(500, failure)); });
        }
        guarded([&] { publish(session, !jobs.empty()); }, onTimeline);
        for (std::size_t i = 0; i < jobs.size(); ++i) {
            jobs[i].answer.set_value(std::move(answers[i]));
        }
    }
}

std::vector<PhoneThread::Job> PhoneThread::waitForWork(const LiveSession& session) {
    std::optional<WallClock::time_point> wake;
    if (frameOwed_) {
        wake = lastFrameSent_ + std::chrono::duration_cast<WallClock::duration>(kFrameInterval);
    }
    if (session.speed() > 0) {
        if (const auto next = session.nextChange()) {
            // The clock moves in whole milliseconds: wake once it has reached the change.
            const double ahead = std::max(std::ceil(*next * 1000) / 1000 - session.now(), 0.0);
            const auto wall = lastTurn_ + std::chrono::duration_cast<WallClock::duration>(std::max(
                                              Seconds(ahead / session.speed()), kFrameInterval));
            wake = wake ? std::min(*wake, wall) : wall;
        }
    }
    std::unique_lock lock(mutex_);
    const auto ready = [this] { return stopping_ || !jobs_.empty(); };
    if (wake) {
        wake_.wait_until(lock, *wake, ready);
    } else {
        wake_.wait(lock, ready);
    }
    return std::exchange(jobs_, {});
}

void PhoneThread::keepTime(LiveSession& session) {
    const auto now = WallClock::now();
    owedSeconds_ += Seconds(now - lastTurn_).count() * session.speed();
    lastTurn_ = now;
    const double whole = std::floor(owedSeconds_ * 1000) / 1000;
    if (whole > 0) {
        owedSeconds_ -= whole;
        session.passTime(whole);
    }
}

void PhoneThread::publish(LiveSession& session, bool jobsRan) {
    std::vector<std::string> lines;
    for (const auto& entry : session.takeTimeline()) {
        lines.push_back(jsonText(timelineEntryJson(entry)));
    }
    publisher_.publishLines(lines);

    const auto now = WallClock::now();
    const double expected = clockTime_ + Seconds(now - clockWall_).count() * clockSpeed_;
    if (session.speed() != clockSpeed_ ||
        (jobsRan && std::abs(session.now() - expected) > kClockSlack)) {
        clockTime_ = session.now();
        clockSpeed_ = session.speed();
        clockWall_ = now;
        publisher_.publishClock(jsonText({{"time", clockTime_}, {"speed", clockSpeed_}}));
    }

    std::string frame = session.screen();
    frameOwed_ = false;
    if (frame == lastFrame_) {
        return;
    }
    if (now - lastFrameSent_ < kFrameInterval) {
        frameOwed_ = true;
        return;
    }
    lastFrame_ = std::move(frame);
    lastFrameSent_ = now;
    publisher_.publishFrame(jsonText({{"time", session.now()}, {"svg", lastFrame_}}));
}

}  // namespace live
