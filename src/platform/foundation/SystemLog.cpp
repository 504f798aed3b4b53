#include "platform/foundation/SystemLog.h"

#include <algorithm>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"

namespace platform {

SystemLog& SystemLog::shared() {
    return Process::current().attachment<SystemLog>();
}

void SystemLog::append(std::string line) {
    entries_.push({RunLoop::main().now(), std::move(line)});
    // A copy of the list: a subscriber may log, subscribe or unsubscribe while it is told.
    const Entry entry = entries_.back();
    const auto subscribers = subscribers_;
    for (const auto& [token, subscriber] : subscribers) {
        subscriber(entry);
    }
}

std::vector<std::string> SystemLog::lines() const {
    std::vector<std::string> result;
    result.reserve(entries().size());
    for (const auto& entry : entries()) {
        result.push_back(entry.line);
    }
    return result;
}

bool SystemLog::contains(const std::string& line) const {
    return std::any_of(entries().begin(), entries().end(),
                       [&](const Entry& entry) { return entry.line == line; });
}

std::size_t SystemLog::subscribe(Subscriber subscriber) {
    const std::size_t token = nextToken_++;
    subscribers_.emplace_back(token, std::move(subscriber));
    return token;
}

void SystemLog::unsubscribe(std::size_t token) {
    std::erase_if(subscribers_, [token](const auto& entry) { return entry.first == token; });
}

void NSLog(std::string line) {
    SystemLog::shared().append(std::move(line));
}

}  // namespace platform
