#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/BoundedHistory.h"

namespace platform {

// The process's system log: each line with the virtual time at which it was logged. The
// simulator subscribes to print lines as they come; tests read and clear them. Like the phone's
// log it keeps only the latest lines (at least kKeptLines), so a long run does not fill memory.
class SystemLog {
public:
    struct Entry {
        double time = 0;  // the main run loop's clock
        std::string line;
    };
    using Subscriber = std::function<void(const Entry&)>;
    static constexpr std::size_t kKeptLines = 1000;

    static SystemLog& shared();

    void append(std::string line);
    const std::vector<Entry>& entries() const { return entries_.items(); }
    std::vector<std::string> lines() const;
    bool contains(const std::string& line) const;
    void clear() { entries_.clear(); }

    // A subscriber hears every line appended from now on, until unsubscribed with its token.
    std::size_t subscribe(Subscriber subscriber);
    void unsubscribe(std::size_t token);

private:
    BoundedHistory<Entry> entries_{kKeptLines};
    std::vector<std::pair<std::size_t, Subscriber>> subscribers_;
    std::size_t nextToken_ = 1;
};

void NSLog(std::string line);

}  // namespace platform
