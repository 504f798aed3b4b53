#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace live {

// Hands what the phone shows from its thread to the event-stream readers on theirs: the latest
// frame, the latest clock and the recent timeline lines, each as JSON. A reader gets only what
// changed since it last read, so that nothing is sent while nothing moves.
class Publisher {
public:
    // How many timeline lines wait for a slow reader; older ones it misses.
    static constexpr std::size_t kKeptLines = 2000;

    // Where a reader stands in what has been published.
    struct Cursor {
        std::uint64_t frame = 0;
        std::uint64_t clock = 0;
        std::uint64_t lines = 0;
    };

    void publishFrame(std::string json);
    void publishClock(std::string json);
    void publishLines(const std::vector<std::string>& jsons);

    // The events after `cursor`, as an event stream writes them, once there are some or after
    // `patience` (then empty); nothing once the publisher is closed. Moves the cursor on.
    std::optional<std::string> next(Cursor& cursor, std::chrono::milliseconds patience);

    // Ends every reader's wait: the server is stopping.
    void close();

private:
    bool hasNews(const Cursor& cursor) const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string frame_;
    std::uint64_t frameVersion_ = 0;
    std::string clock_;
    std::uint64_t clockVersion_ = 0;
    std::deque<std::string> lines_;
    // The number of the line after the last one published.
    std::uint64_t linesEnd_ = 0;
    bool closed_ = false;
};

}  // namespace live
