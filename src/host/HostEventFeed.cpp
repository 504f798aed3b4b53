#include "host/HostEventFeed.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"

namespace host {

int HostEventFeed::subscribe(Listener listener) {
    const int token = nextToken_++;
    subscriptions_.push_back({token, std::move(listener)});
    return token;
}

void HostEventFeed::unsubscribe(int token) {
    std::erase_if(subscriptions_, [token](const Subscription& s) { return s.token == token; });
}

void HostEventFeed::publish(HostEventKind kind, std::string text) {
    history_.push({kind, std::move(text), platform::RunLoop::main().now()});
    ++counts_[kind];
    const HostEvent event = history_.back();
    // A listener may subscribe or unsubscribe while it hears the event.
    const auto listeners = subscriptions_;
    for (const auto& subscription : listeners) {
        subscription.listener(event);
    }
}

int HostEventFeed::count(HostEventKind kind) const {
    const auto found = counts_.find(kind);
    return found == counts_.end() ? 0 : found->second;
}

std::vector<std::string> HostEventFeed::texts() const {
    std::vector<std::string> result;
    result.reserve(history().size());
    for (const auto& event : history()) {
        result.push_back(event.text);
    }
    return result;
}

}  // namespace host
