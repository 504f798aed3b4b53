#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/runtime/Object.h"

namespace platform {

using NSTimeInterval = double;

class RunLoop;

// A run-loop timer. The run loop keeps a scheduled timer (and so what its block captures) until
// it is invalidated or, for a one-shot timer, has fired.
class NSTimer : public Object {
public:
    using Block = std::function<void(NSTimer&)>;

    // Schedules a timer on the main run loop, first due `interval` seconds from now.
    static std::shared_ptr<NSTimer> scheduledTimer(NSTimeInterval interval, bool repeats,
                                                   Block block);

    void invalidate();
    bool isValid() const { return valid_; }
    NSTimeInterval timeInterval() const { return interval_; }
    bool repeats() const { return repeats_; }
    NSTimeInterval fireDate() const { return fireDate_; }
    // Fires now, outside the schedule; a one-shot timer is then invalidated.
    void fire();

    NSTimer(NSTimeInterval interval, bool repeats, Block block, NSTimeInterval fireDate)
        : interval_(interval), repeats_(repeats), block_(std::move(block)), fireDate_(fireDate) {}

private:
    friend class RunLoop;
    NSTimeInterval interval_;
    bool repeats_;
    Block block_;
    NSTimeInterval fireDate_;
    bool valid_ = true;
};

// The main run loop on a virtual clock. Work falls due at a virtual time and runs, in order of
// due time and then of scheduling, only while the clock is advanced with runFor / runUntil /
// runPending. Nothing sleeps.
class RunLoop {
public:
    static RunLoop& main();

    NSTimeInterval now() const { return now_; }

    // Runs fn once, `delay` seconds from now (0: at the current time, after what is already due).
    void schedule(NSTimeInterval delay, std::function<void()> fn);
    void addTimer(const std::shared_ptr<NSTimer>& timer);

    // The main dispatch queue and perform-on-main-thread. Safe to call from any thread: work from
    // another thread is handed over and runs at the next turn of the loop.
    void dispatchAsyncMain(std::function<void()> fn);
    // On the main thread with waiting, fn runs at once; otherwise it is queued (and, from another
    // thread with waiting, the caller blocks until the main thread has run it).
    void performOnMainThread(std::function<void()> fn, bool waitUntilDone);
    bool isMainThread() const { return std::this_thread::get_id() == mainThread_; }

    // Advances the clock, firing everything that falls due on the way, in order.
    void runUntil(NSTimeInterval time);
    void runFor(NSTimeInterval seconds) { runUntil(now_ + seconds); }
    // Runs what is due now (including what that work schedules for now).
    void runPending() { runUntil(now_); }

    // Number of pending one-shot items and valid timers.
    std::size_t pendingCount() const;
    // The valid timers scheduled on the loop, for inspection.
    std::vector<std::shared_ptr<NSTimer>> scheduledTimers() const;
    // When the earliest pending work falls due (possibly a timer invalidated since), or
    // nothing when none is pending. Lets a driver advance the clock from one piece of work to
    // the next and look at the world in between.
    std::optional<NSTimeInterval> nextDueTime() const;

    RunLoop();

private:
    struct Item {
        NSTimeInterval due;
        std::uint64_t sequence;
        std::function<void()> fn;
        std::shared_ptr<NSTimer> timer;
    };

    void push(NSTimeInterval due, std::function<void()> fn, std::shared_ptr<NSTimer> timer);
    std::optional<Item> popDue(NSTimeInterval limit);
    void takeForeignWork();

    NSTimeInterval now_ = 0;
    std::uint64_t nextSequence_ = 0;
    std::vector<Item> items_;  // a min-heap by (due, sequence)
    std::thread::id mainThread_;
    std::mutex foreignMutex_;
    std::vector<std::function<void()>> foreignWork_;
};

}  // namespace platform
