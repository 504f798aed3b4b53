#pragma once

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "live/LiveApi.h"
#include "live/LiveSession.h"

namespace live {

class Publisher;

// The one thread that owns the phone. It makes the session, keeps its virtual clock in step
// with the wall clock (times the session's speed), applies requests in the order they arrive
// and publishes what changed: new timeline lines, the clock when it jumps or changes pace, and
// a frame when the screen differs from the last one sent (at most 60 a second). While nothing
// moves it sleeps until the next piece of work falls due or a request comes.
class PhoneThread {
public:
    // Starts the thread and waits until its session stands (its opening scenario played);
    // throws what stopped it from standing.
    PhoneThread(SessionSettings settings, Publisher& publisher);
    ~PhoneThread();
    PhoneThread(const PhoneThread&) = delete;
    PhoneThread& operator=(const PhoneThread&) = delete;

    // From any thread: queues the request for the phone and waits for its answer.
    ApiResponse call(ApiRequest request);

    // Answers what is queued with a refusal and ends the thread.
    void stop();

private:
    using WallClock = std::chrono::steady_clock;
    struct Job {
        ApiRequest request;
        std::promise<ApiResponse> answer;
    };

    void run(SessionSettings settings, std::promise<void>& standing);
    void serve(LiveSession& session);
    // Waits for a request, the next change of the phone or a frame that is owed.
    std::vector<Job> waitForWork(const LiveSession& session);
    // Moves the virtual clock by the wall time since the last turn.
    void keepTime(LiveSession& session);
    void publish(LiveSession& session, bool jobsRan);

    Publisher& publisher_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Job> jobs_;
    bool stopping_ = false;

    // Owned by the phone's thread alone.
    WallClock::time_point lastTurn_;
    double owedSeconds_ = 0;
    std::string lastFrame_;
    WallClock::time_point lastFrameSent_;
    bool frameOwed_ = false;
    double clockTime_ = 0;
    double clockSpeed_ = -1;
    WallClock::time_point clockWall_;

    std::thread thread_;
};

}  // namespace live
