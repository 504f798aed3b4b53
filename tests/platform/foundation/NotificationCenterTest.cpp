#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/RunLoop.h"

namespace platform {
namespace {

const Selector<void(id)> backgroundSel("didEnterBackground:");

class Listener : public Object {
public:
    static std::shared_ptr<Listener> create() {
        auto listener = std::make_shared<Listener>();
        Class* cls = Runtime::shared().registerClass("Listener", "NSObject");
        class_addMemberMethod<&Listener::didEnterBackground>(cls, backgroundSel);
        listener->setObjcClass(cls);
        return listener;
    }

    void didEnterBackground(id argument) {
        auto* notification = dynamic_cast<NSNotification*>(argument);
        ASSERT_NE(notification, nullptr);
        names.push_back(notification->name());
        objects.push_back(notification->object());
        if (onCall) {
            onCall();
        }
    }

    std::vector<std::string> names;
    std::vector<id> objects;
    std::function<void()> onCall;
};

TEST(NSNotificationCenter, DeliversAtOnceToMatchingObservers) {
    Process process;
    NSNotificationCenter& center = NSNotificationCenter::defaultCenter();
    auto listener = Listener::create();
    auto poster = Listener::create();
    auto other = Listener::create();
    center.addObserver(listener.get(), backgroundSel.sel,
                       UIApplicationDidEnterBackgroundNotification, nullptr);
    center.addObserver(listener.get(), backgroundSel.sel, "fromPoster", poster.get());

    center.postNotification(UIApplicationDidEnterBackgroundNotification, poster.get());
    center.postNotification("fromPoster", other.get());
    center.postNotification("fromPoster", poster.get());
    center.postNotification("unrelated");
    EXPECT_EQ(listener->names, (std::vector<std::string>{
                                   "UIApplicationDidEnterBackgroundNotification", "fromPoster"}));
    EXPECT_EQ(listener->objects, (std::vector<id>{poster.get(), poster.get()}));

    // The same registration twice is two registrations, as in Foundation.
    center.addObserver(listener.get(), backgroundSel.sel, "twice", nullptr);
    center.addObserver(listener.get(), backgroundSel.sel, "twice", nullptr);
    center.postNotification("twice");
    EXPECT_EQ(listener->names.size(), 4u);

    center.removeObserver(listener.get(), "twice");
    center.postNotification("twice");
    center.postNotification(UIApplicationDidEnterBackgroundNotification);
    EXPECT_EQ(listener->names.size(), 5u);
    center.removeObserver(listener.get());
    center.postNotification(UIApplicationDidEnterBackgroundNotification);
    EXPECT_EQ(listener->names.size(), 5u);
    EXPECT_EQ(center.observerCount(), 0u);
}

TEST(NSNotificationCenter, FreedObserversAreSkippedAndDropped) {
    Process process;
    NSNotificationCenter& center = NSNotificationCenter::defaultCenter();
    auto first = Listener::create();
    auto second = Listener::create();
    center.addObserver(first.get(), backgroundSel.sel, "n", nullptr);
    center.addObserver(second.get(), backgroundSel.sel, "n", nullptr);
    // The first observer lets go of the second while the notification is under way.
    first->onCall = [&second] { second.reset(); };
    center.postNotification("n");
    EXPECT_EQ(first->names.size(), 1u);
    EXPECT_EQ(center.observerCount(), 1u);

    first.reset();
    center.postNotification("n");  // nothing left to call, and nothing to crash on
    EXPECT_EQ(center.observerCount(), 0u);
}

struct DarwinCalls {
    int count = 0;
    std::string lastName;
    const void* lastObject = &lastName;
};

void countDarwinCall(CFNotificationCenterRef, void* observer, const std::string& name,
                     const void* object, const void*) {
    auto* calls = static_cast<DarwinCalls*>(observer);
    ++calls->count;
    calls->lastName = name;
    calls->lastObject = object;
}

TEST(DarwinNotifyCenter, RegistersOnceAndDeliversWhenTheRunLoopRuns) {
    Process process;
    CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();
    DarwinCalls calls;
    for (int i = 0; i < 2; ++i) {
        CFNotificationCenterAddObserver(center, &calls, countDarwinCall, "Form_Closed", nullptr,
                                        CFNotificationSuspensionBehaviorDeliverImmediately);
    }
    EXPECT_EQ(center->registrationCount("Form_Closed"), 1u);

    CFNotificationCenterPostNotification(center, "Form_Closed", &calls, nullptr, true);
    EXPECT_EQ(calls.count, 0);
    RunLoop::main().runPending();
    EXPECT_EQ(calls.count, 1);
    EXPECT_EQ(calls.lastName, "Form_Closed");
    EXPECT_EQ(calls.lastObject, nullptr);

    // A registration removed before the run loop turns hears nothing.
    CFNotificationCenterPostNotification(center, "Form_Closed", nullptr, nullptr, true);
    CFNotificationCenterRemoveObserver(center, &calls, "Form_Closed", nullptr);
    RunLoop::main().runFor(1);
    EXPECT_EQ(calls.count, 1);
    EXPECT_EQ(center->registrationCount(), 0u);
}

}  // namespace
}  // namespace platform
