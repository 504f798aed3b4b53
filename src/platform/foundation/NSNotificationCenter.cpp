#include "platform/foundation/NSNotificationCenter.h"

#include <algorithm>

#include "platform/Process.h"

namespace platform {

std::shared_ptr<NSNotification> NSNotification::create(std::string name, id object) {
    auto notification = std::make_shared<NSNotification>(std::move(name), object);
    notification->setObjcClass(Runtime::shared().registerClass("NSNotification", "NSObject"));
    return notification;
}

NSNotificationCenter& NSNotificationCenter::defaultCenter() {
    return Process::current().attachment<NSNotificationCenter>();
}

NSNotificationCenter::Identity NSNotificationCenter::Identity::of(id object) {
    Identity identity;
    identity.address = object;
    if (object != nullptr) {
        identity.weak = object->weak_from_this();
        identity.tracked = !identity.weak.expired();
    }
    return identity;
}

void NSNotificationCenter::addObserver(id observer, SEL selector, std::string name, id object) {
    dropFreedObservers();
    auto observed = Identity::of(observer);
    if (!observed.tracked || selector == nullptr) {
        return;
    }
    registrations_.push_back(std::make_shared<Registration>(
        Registration{std::move(observed), selector, std::move(name), Identity::of(object)}));
}

void NSNotificationCenter::removeObserver(id observer) {
    remove(observer, {}, nullptr);
}

void NSNotificationCenter::removeObserver(id observer, std::string_view name, id object) {
    remove(observer, name, object);
}

void NSNotificationCenter::remove(id observer, std::string_view name, id object) {
    if (observer == nullptr) {
        return;
    }
    std::erase_if(registrations_, [&](const std::shared_ptr<Registration>& registration) {
        const bool matches = registration->observer.address == observer &&
                             (name.empty() || registration->name == name) &&
                             (object == nullptr || registration->object.address == object);
        if (matches) {
            // A post in progress holds its own list and must not deliver to it any more.
            registration->removed = true;
        }
        return matches;
    });
}

void NSNotificationCenter::dropFreedObservers() {
    std::erase_if(registrations_, [](const std::shared_ptr<Registration>& registration) {
        if (registration->observer.gone()) {
            registration->removed = true;
            return true;
        }
        return false;
    });
}

void NSNotificationCenter::postNotification(std::string name, id object) {
    dropFreedObservers();
    std::vector<std::shared_ptr<Registration>> matching;
    for (const auto& registration : registrations_) {
        const bool nameMatches = registration->name.empty() || registration->name == name;
        const bool objectMatches =
            registration->object.address == nullptr || registration->object.is(object);
        if (nameMatches && objectMatches) {
            matching.push_back(registration);
        }
    }
    if (matching.empty()) {
        return;
    }
    auto notification = NSNotification::create(std::move(name), object);
    for (const auto& registration : matching) {
        if (registration->removed) {
            continue;
        }
        // Held for the call, so that an observer that lets itself go mid-call stays valid.
        auto observer = registration->observer.weak.lock();
        if (!observer) {
            continue;
        }
        send(observer.get(), Selector<void(id)>(registration->selector), notification.get());
    }
    dropFreedObservers();
}

std::size_t NSNotificationCenter::observerCount() const {
    return static_cast<std::size_t>(
        std::count_if(registrations_.begin(), registrations_.end(),
                      [](const auto& registration) { return !registration->observer.gone(); }));
}

}  // namespace platform
