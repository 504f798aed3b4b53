#include "platform/foundation/RunLoop.h"

#include <algorithm>
#include <condition_variable>
#include <future>

#include "platform/Process.h"

namespace platform {
namespace {

// std heap functions build a max-heap; "greater" puts the earliest item on top.
bool later(const auto& a, const auto& b) {
    return a.due != b.due ? a.due > b.due : a.sequence > b.sequence;
}

}  // namespace

std::shared_ptr<NSTimer> NSTimer::scheduledTimer(NSTimeInterval interval, bool repeats,
                                                 Block block) {
    RunLoop& loop = RunLoop::main();
    // As on the platform, a non-positive interval means the shortest one.
    interval = interval > 0 ? interval : 0.0001;
    auto timer =
        std::make_shared<NSTimer>(interval, repeats, std::move(block), loop.now() + interval);
    loop.addTimer(timer);
    return timer;
}

void NSTimer::invalidate() {
    valid_ = false;
    // The block goes now, and with it what it holds, as on the platform.
    block_ = nullptr;
}

void NSTimer::fire() {
    if (!valid_) {
        return;
    }
    auto keepAlive = std::static_pointer_cast<NSTimer>(shared_from_this());
    Block block = block_;
    if (block) {
        block(*this);
    }
    if (!repeats_) {
        invalidate();
    }
}

RunLoop::RunLoop() : mainThread_(std::this_thread::get_id()) {}

RunLoop& RunLoop::main() {
    return Process::current().attachment<RunLoop>();
}

void RunLoop::push(NSTimeInterval due, std::function<void()> fn, std::shared_ptr<NSTimer> timer) {
    items_.push_back({due, nextSequence_++, std::move(fn), std::move(timer)});
    std::push_heap(items_.begin(), items_.end(), later<Item, Item>);
}

void RunLoop::schedule(NSTimeInterval delay, std::function<void()> fn) {
    push(now_ + std::max(0.0, delay), std::move(fn), nullptr);
}

void RunLoop::addTimer(const std::shared_ptr<NSTimer>& timer) {
    push(timer->fireDate_, nullptr, timer);
}

void RunLoop::dispatchAsyncMain(std::function<void()> fn) {
    if (isMainThread()) {
        schedule(0, std::move(fn));
        return;
    }
    std::lock_guard lock(foreignMutex_);
    foreignWork_.push_back(std::move(fn));
}

void RunLoop::performOnMainThread(std::function<void()> fn, bool waitUntilDone) {
    if (isMainThread()) {
        if (waitUntilDone) {
            fn();
        } else {
            schedule(0, std::move(fn));
        }
        return;
    }
    if (!waitUntilDone) {
        dispatchAsyncMain(std::move(fn));
        return;
    }
    std::promise<void> done;
    auto finished = done.get_future();
    dispatchAsyncMain([&fn, &done] {
        fn();
        done.set_value();
    });
    finished.wait();
}

void RunLoop::takeForeignWork() {
    std::vector<std::function<void()>> work;
    {
        std::lock_guard lock(foreignMutex_);
        work.swap(foreignWork_);
    }
    for (auto& fn : work) {
        schedule(0, std::move(fn));
    }
}

std::optional<RunLoop::Item> RunLoop::popDue(NSTimeInterval limit) {
    if (items_.empty() || items_.front().due > limit) {
        return std::nullopt;
    }
    std::pop_heap(items_.begin(), items_.end(), later<Item, Item>);
    Item due = std::move(items_.back());
    items_.pop_back();
    return due;
}

void RunLoop::runUntil(NSTimeInterval time) {
    takeForeignWork();
    // Each piece of work is freed at the end of its turn, away from the queue: freeing it may
    // free an object whose teardown schedules more work.
    while (auto due = popDue(time)) {
        Item& item = *due;
        now_ = std::max(now_, item.due);
        if (item.timer) {
            auto timer = std::move(item.timer);
            if (!timer->valid_) {
                continue;
            }
            if (timer->repeats_) {
                // The next firing keeps to the schedule, whatever the block does meanwhile.
                timer->fireDate_ = item.due + timer->interval_;
                addTimer(timer);
            }
            timer->fire();
        } else if (item.fn) {
            item.fn();
        }
        takeForeignWork();
    }
    now_ = std::max(now_, time);
}

std::size_t RunLoop::pendingCount() const {
    return static_cast<std::size_t>(std::count_if(items_.begin(), items_.end(), [](const Item& i) {
        return i.timer ? i.timer->isValid() : static_cast<bool>(i.fn);
    }));
}

std::vector<std::shared_ptr<NSTimer>> RunLoop::scheduledTimers() const {
    std::vector<std::shared_ptr<NSTimer>> timers;
    for (const Item& item : items_) {
        if (item.timer && item.timer->isValid()) {
            timers.push_back(item.timer);
        }
    }
    return timers;
}

std::optional<NSTimeInterval> RunLoop::nextDueTime() const {
    if (items_.empty()) {
        return std::nullopt;
    }
    return items_.front().due;
}

}  // namespace platform
