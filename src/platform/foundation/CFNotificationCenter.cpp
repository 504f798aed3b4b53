#include "platform/foundation/CFNotificationCenter.h"

#include <algorithm>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"

namespace platform {

void CFNotificationCenter::add(Registration registration) {
    if (registration.callback == nullptr || registration.name.empty()) {
        return;
    }
    const bool known = std::any_of(registrations_.begin(), registrations_.end(),
                                   [&](const auto& existing) { return *existing == registration; });
    if (!known) {
        registrations_.push_back(std::make_shared<Registration>(std::move(registration)));
    }
}

void CFNotificationCenter::remove(const void* observer, std::string_view name, const void* object) {
    std::erase_if(registrations_, [&](const auto& registration) {
        return registration->observer == observer && (name.empty() || registration->name == name) &&
               (object == nullptr || registration->object == object);
    });
}

std::size_t CFNotificationCenter::registrationCount(std::string_view name) const {
    return static_cast<std::size_t>(
        std::count_if(registrations_.begin(), registrations_.end(),
                      [&](const auto& registration) { return registration->name == name; }));
}

void CFNotificationCenter::post(std::string name) {
    posts_.push(name);
    // The centre is looked up when the work runs rather than captured now.
    RunLoop::main().schedule(0, [name = std::move(name)] {
        CFNotificationCenterGetDarwinNotifyCenter()->deliver(name);
    });
}

void CFNotificationCenter::deliver(const std::string& name) {
    std::vector<std::weak_ptr<Registration>> matching;
    for (const auto& registration : registrations_) {
        if (registration->name == name) {
            matching.push_back(registration);
        }
    }
    for (const auto& weak : matching) {
        // A registration removed by an earlier callback of this delivery is not called.
        if (auto registration = weak.lock()) {
            registration->callback(this, const_cast<void*>(registration->observer), name, nullptr,
                                   nullptr);
        }
    }
}

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() {
    return &Process::current().attachment<CFNotificationCenter>();
}

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callBack, std::string name,
                                     const void* object, CFNotificationSuspensionBehavior) {
    if (center != nullptr) {
        center->add({observer, callBack, std::move(name), object});
    }
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        std::string_view name, const void* object) {
    if (center != nullptr) {
        center->remove(observer, name, object);
    }
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, std::string name,
                                          const void* /*object*/, const void* /*userInfo*/,
                                          bool /*deliverImmediately*/) {
    if (center != nullptr) {
        center->post(std::move(name));
    }
}

}  // namespace platform
