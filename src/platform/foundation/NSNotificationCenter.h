#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/Object.h"
#include "platform/runtime/Runtime.h"

namespace platform {

inline constexpr const char* UIApplicationDidEnterBackgroundNotification =
    "UIApplicationDidEnterBackgroundNotification";
inline constexpr const char* UIApplicationWillEnterForegroundNotification =
    "UIApplicationWillEnterForegroundNotification";

// What an observer is handed: the notification's name and the object that posted it.
class NSNotification : public Object {
public:
    static std::shared_ptr<NSNotification> create(std::string name, id object);

    const std::string& name() const { return name_; }
    id object() const { return object_; }

    NSNotification(std::string name, id object) : name_(std::move(name)), object_(object) {}

private:
    std::string name_;
    id object_;
};

// The process's in-process notification centre. Delivery is synchronous: a post sends each
// matching observer its selector, with the NSNotification as the one argument, before it returns.
// Observers are held weakly: one that has been freed is skipped and dropped. As in Foundation,
// registering the same observer, selector, name and object twice delivers twice.
class NSNotificationCenter {
public:
    static NSNotificationCenter& defaultCenter();

    // An empty name observes every name; a null object observes every poster. An observer that
    // no shared_ptr owns cannot be held weakly and is not registered.
    void addObserver(id observer, SEL selector, std::string name, id object);
    // Ends every registration of the observer; works from the observer's destructor too.
    void removeObserver(id observer);
    // Ends the observer's registrations for name (empty: every name) and object (null: any).
    void removeObserver(id observer, std::string_view name, id object = nullptr);

    void postNotification(std::string name, id object = nullptr);

    // Live registrations, for tests.
    std::size_t observerCount() const;

private:
    // An object known by address and, where shared ownership allows, weakly: the address alone
    // serves for removal (even from a destructor), the weak reference tells a live object from
    // a freed one at the same address.
    struct Identity {
        const Object* address = nullptr;
        std::weak_ptr<Object> weak;
        bool tracked = false;

        static Identity of(id object);
        bool gone() const { return tracked && weak.expired(); }
        bool is(id object) const { return address == object && !gone(); }
    };

    struct Registration {
        Identity observer;
        SEL selector;
        std::string name;
        Identity object;
        bool removed = false;
    };

    void remove(id observer, std::string_view name, id object);
    void dropFreedObservers();

    std::vector<std::shared_ptr<Registration>> registrations_;
};

}  // namespace platform
