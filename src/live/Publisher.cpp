#include "live/Publisher.h"

#include <algorithm>

namespace live {
namespace {

// Lines go out in events of at most this many, so that one event stays a sensible size.
constexpr std::size_t kLinesPerEvent = 200;

std::string event(std::string_view name, std::string_view data) {
    return "event: " + std::string(name) + "\ndata: " + std::string(data) + "\n\n";
}

}  // namespace

void Publisher::publishFrame(std::string json) {
    {
        const std::lock_guard lock(mutex_);
        frame_ = std::move(json);
        ++frameVersion_;
    }
    changed_.notify_all();
}

void Publisher::publishClock(std::string json) {
    {
        const std::lock_guard lock(mutex_);
        clock_ = std::move(json);
        ++clockVersion_;
    }
    changed_.notify_all();
}

void Publisher::publishLines(const std::vector<std::string>& jsons) {
    if (jsons.empty()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        for (const auto& json : jsons) {
            lines_.push_back(json);
            ++linesEnd_;
        }
        while (lines_.size() > kKeptLines) {
            lines_.pop_front();
        }
    }
    changed_.notify_all();
}

bool Publisher::hasNews(const Cursor& cursor) const {
    return frameVersion_ != cursor.frame || clockVersion_ != cursor.clock ||
           linesEnd_ != cursor.lines;
}

std::optional<std::string> Publisher::next(Cursor& cursor, std::chrono::milliseconds patience) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, patience, [&] { return closed_ || hasNews(cursor); });
    if (closed_) {
        return std::nullopt;
    }
    std::string text;
    if (clockVersion_ != cursor.clock) {
        text += event("clock", clock_);
        cursor.clock = clockVersion_;
    }
    const std::uint64_t firstKept = linesEnd_ - lines_.size();
    for (std::uint64_t line = std::max(cursor.lines, firstKept); line < linesEnd_;) {
        const std::uint64_t end = std::min<std::uint64_t>(linesEnd_, line + kLinesPerEvent);
        std::string batch = "{\"lines\":[";
        for (std::uint64_t i = line; i < end; ++i) {
            batch += (i == line ? "" : ",") + lines_[static_cast<std::size_t>(i - firstKept)];
        }
        text += event("timeline", batch + "]}");
        line = end;
    }
    cursor.lines = linesEnd_;
    if (frameVersion_ != cursor.frame) {
        text += event("frame", frame_);
        cursor.frame = frameVersion_;
    }
    return text;
}

void Publisher::close() {
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

}  // namespace live
