#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/runtime/Runtime.h"

namespace platform {
namespace {

class Counter : public Object {
public:
    int value = 0;
};

const Selector<int(int)> addSel("add:");
const Selector<int(int)> addTwiceSel("addTwice:");

int hostAdd(id self, SEL, int n) {
    auto* counter = static_cast<Counter*>(self);
    counter->value += n;
    return counter->value;
}

// A host method that calls another hookable method of its own through the runtime.
int hostAddTwice(id self, SEL, int n) {
    send(self, addSel, n);
    return send(self, addSel, n);
}

int (*originalAdd)(id, SEL, int) = nullptr;
int hookCalls = 0;

int replacementAdd(id self, SEL cmd, int n) {
    ++hookCalls;
    return originalAdd(self, cmd, n * 10);
}

std::shared_ptr<Counter> makeCounter(const char* className) {
    auto counter = std::make_shared<Counter>();
    counter->setObjcClass(objc_getClass(className));
    return counter;
}

TEST(Runtime, HookSeesHostInternalSendsAndOriginalDoesWhatHostDid) {
    Process process;
    Class* base = Runtime::shared().registerClass("Base", "NSObject");
    Runtime::shared().registerClass("Derived", "Base");
    class_addMethod(base, addSel, hostAdd);
    class_addMethod(base, addTwiceSel, hostAddTwice);
    auto counter = makeCounter("Derived");

    hookCalls = 0;
    MSHookMessageEx(objc_getClass("Derived"), addSel, replacementAdd, &originalAdd);
    EXPECT_EQ(send(counter.get(), addTwiceSel, 1), 20);
    EXPECT_EQ(hookCalls, 2);
    EXPECT_EQ(Runtime::shared().installedHooks(), std::vector<std::string>{"Derived add:"});

    // The inherited method stays on the superclass: a Base instance is not hooked.
    auto plain = makeCounter("Base");
    EXPECT_EQ(send(plain.get(), addSel, 1), 1);
    EXPECT_TRUE(counter->isKindOfClass("Base"));
    EXPECT_FALSE(counter->isMemberOfClass("Base"));
    EXPECT_TRUE(counter->isMemberOfClass("Derived"));
}

TEST(Runtime, MessagesToNilOrUnknownSelectorsAnswerZero) {
    Process process;
    Runtime::shared().registerClass("Plain", "NSObject");
    auto object = makeCounter("Plain");
    EXPECT_EQ(send(nullptr, addSel, 3), 0);
    EXPECT_EQ(send(object.get(), addSel, 3), 0);
    EXPECT_EQ(Runtime::shared().unrecognizedSelectors().size(), 1u);

    // A process that keeps sending them keeps only the latest.
    for (std::size_t i = 0; i < 3 * Runtime::kKeptUnrecognized; ++i) {
        send(object.get(), addTwiceSel, 1);
    }
    const auto& kept = Runtime::shared().unrecognizedSelectors();
    EXPECT_LE(kept.size(), 2 * Runtime::kKeptUnrecognized);
    EXPECT_EQ(kept.back(), "Plain addTwice:");
}

class Greeter : public Object {
public:
    virtual void greet(id sender) { lastSender = sender; }
    id lastSender = nullptr;
};

class LoudGreeter : public Greeter {};

TEST(Runtime, MemberFunctionsServeAsMethods) {
    Process process;
    const Selector<void(id)> greetSel("greet:");
    class_addMemberMethod<&Greeter::greet>(Runtime::shared().registerClass("Greeter"), greetSel);
    auto greeter = std::make_shared<Greeter>();
    greeter->setObjcClass(objc_getClass("Greeter"));
    send(greeter.get(), greetSel, greeter.get());
    EXPECT_EQ(greeter->lastSender, greeter.get());

    // A C++ subclass is still a Greeter; an object of another type in the class does nothing.
    auto loud = std::make_shared<LoudGreeter>();
    loud->setObjcClass(objc_getClass("Greeter"));
    send(loud.get(), greetSel, greeter.get());
    EXPECT_EQ(loud->lastSender, greeter.get());
    auto stranger = std::make_shared<Object>();
    stranger->setObjcClass(objc_getClass("Greeter"));
    send(stranger.get(), greetSel, greeter.get());
}

TEST(Runtime, ASelectorNameIsLookedUpWithoutBeingRegistered) {
    EXPECT_EQ(sel_lookupName("neverSentAnywhere:"), nullptr);
    const SEL sel = sel_registerName("neverSentAnywhere:");
    EXPECT_EQ(sel_lookupName("neverSentAnywhere:"), sel);
    EXPECT_NE(sel_registerName("neverSentEither:")->index, sel->index);
}

TEST(RunLoop, TimersFireAtExactVirtualTimesUntilInvalidated) {
    Process process;
    std::vector<double> fired;
    auto timer = NSTimer::scheduledTimer(1.0, true, [&](NSTimer& t) {
        fired.push_back(RunLoop::main().now());
        if (fired.size() == 3) {
            t.invalidate();
        }
    });
    RunLoop::main().runFor(10);
    EXPECT_EQ(fired, (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_FALSE(timer->isValid());
    EXPECT_EQ(RunLoop::main().pendingCount(), 0u);
}

TEST(RunLoop, TellsWhenTheNextWorkFallsDue) {
    Process process;
    auto& loop = RunLoop::main();
    EXPECT_EQ(loop.nextDueTime(), std::nullopt);
    loop.schedule(2.5, [] {});
    auto timer = NSTimer::scheduledTimer(1.0, false, [](NSTimer&) {});
    EXPECT_EQ(loop.nextDueTime(), 1.0);
    loop.runUntil(1.0);
    EXPECT_EQ(loop.nextDueTime(), 2.5);
    loop.runFor(5);
    EXPECT_EQ(loop.nextDueTime(), std::nullopt);
}

// Work whose freeing schedules more work, as a camera bar freed by its last fade does.
struct SchedulesWhenFreed {
    int* ran;
    ~SchedulesWhenFreed() {
        for (int i = 0; i < 64; ++i) {
            RunLoop::main().schedule(0, [ran = ran] { ++*ran; });
        }
    }
};

TEST(RunLoop, WorkFreedAfterItsTurnMayScheduleMore) {
    Process process;
    auto& loop = RunLoop::main();
    int ran = 0;
    loop.schedule(0, [holder = std::make_shared<SchedulesWhenFreed>(&ran)] {});
    loop.schedule(0, [] {});
    loop.runFor(1);
    EXPECT_EQ(ran, 64);
}

}  // namespace
}  // namespace platform
