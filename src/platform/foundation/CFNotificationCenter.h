#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/BoundedHistory.h"

namespace platform {

class CFNotificationCenter;
using CFNotificationCenterRef = CFNotificationCenter*;

// A Darwin notification carries its name only: the callback's object and user info are null.
using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer,
                                        const std::string& name, const void* object,
                                        const void* userInfo);

enum CFNotificationSuspensionBehavior {
    CFNotificationSuspensionBehaviorDrop = 1,
    CFNotificationSuspensionBehaviorCoalesce = 2,
    CFNotificationSuspensionBehaviorHold = 3,
    CFNotificationSuspensionBehaviorDeliverImmediately = 4,
};

// The Darwin notify centre: observers register a C callback for a name; a post reaches them
// through the main run loop, when it next runs its pending work. Registering the same observer,
// callback, name and object again changes nothing.
class CFNotificationCenter {
public:
    struct Registration {
        const void* observer;
        CFNotificationCallback callback;
        std::string name;
        const void* object;
        bool operator==(const Registration&) const = default;
    };

    void add(Registration registration);
    // Removes the observer's registrations for name (empty: every name) and object (null: any).
    void remove(const void* observer, std::string_view name, const void* object);
    void post(std::string name);

    std::size_t registrationCount() const { return registrations_.size(); }
    std::size_t registrationCount(std::string_view name) const;

    // The names posted so far, numbered in the order of posting (at least kKeptPosts of the
    // latest are kept), so that a watcher can ask for those after the last one it saw.
    static constexpr std::size_t kKeptPosts = 100;
    const BoundedHistory<std::string>& posts() const { return posts_; }

private:
    void deliver(const std::string& name);

    std::vector<std::shared_ptr<Registration>> registrations_;
    BoundedHistory<std::string> posts_{kKeptPosts};
};

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

// The object is part of a registration's identity but, as on the Darwin centre, filters nothing.
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callBack, std::string name,
                                     const void* object,
                                     CFNotificationSuspensionBehavior suspensionBehavior);
void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        std::string_view name, const void* object);
// Object and user info do not travel with a Darwin notification; every post waits for the run
// loop, whatever deliverImmediately says.
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, std::string name,
                                          const void* object, const void* userInfo,
                                          bool deliverImmediately);

}  // namespace platform
