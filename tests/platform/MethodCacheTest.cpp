#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/runtime/Runtime.h"

namespace platform {
namespace {

// Each implementation answers who it is, so a test sees which one a send ran.
const Selector<int()> whoSel("who");

int rootWho(id, SEL) {
    return 1;
}
int middleWho(id, SEL) {
    return 2;
}
int leafWho(id, SEL) {
    return 3;
}

int (*originalWho)(id, SEL) = nullptr;
int hookedWho(id self, SEL cmd) {
    return 100 + originalWho(self, cmd);
}

std::shared_ptr<Object> instanceOf(const char* className) {
    auto object = std::make_shared<Object>();
    object->setObjcClass(objc_getClass(className));
    return object;
}

// Root <- Middle <- Leaf, with "who" on Root only.
void registerChain() {
    Runtime& runtime = Runtime::shared();
    class_addMethod(runtime.registerClass("Root"), whoSel, rootWho);
    runtime.registerClass("Middle", "Root");
    runtime.registerClass("Leaf", "Middle");
}

TEST(MethodCache, AHookInstalledAfterTheFirstSendIsHeard) {
    Process process;
    registerChain();
    auto leaf = instanceOf("Leaf");
    auto middle = instanceOf("Middle");
    EXPECT_EQ(send(leaf.get(), whoSel), 1);
    EXPECT_EQ(send(middle.get(), whoSel), 1);

    MSHookMessageEx(objc_getClass("Leaf"), whoSel, hookedWho, &originalWho);
    EXPECT_EQ(send(leaf.get(), whoSel), 101);
    EXPECT_EQ(send(middle.get(), whoSel), 1);
}

TEST(MethodCache, AHookOnASuperclassReachesSubclassesThatCachedTheInheritedMethod) {
    Process process;
    registerChain();
    auto leaf = instanceOf("Leaf");
    EXPECT_EQ(send(leaf.get(), whoSel), 1);
    MSHookMessageEx(objc_getClass("Middle"), whoSel, hookedWho, &originalWho);
    EXPECT_EQ(send(leaf.get(), whoSel), 101);
    EXPECT_EQ(send(instanceOf("Root").get(), whoSel), 1);
}

TEST(MethodCache, AMethodAddedToASuperclassOverridesWhatWasCached) {
    Process process;
    registerChain();
    const Selector<int()> lateSel("late");
    auto leaf = instanceOf("Leaf");
    EXPECT_EQ(send(leaf.get(), whoSel), 1);
    EXPECT_EQ(send(leaf.get(), lateSel), 0);

    class_addMethod(objc_getClass("Middle"), whoSel, middleWho);
    class_addMethod(objc_getClass("Root"), lateSel, rootWho);
    EXPECT_EQ(send(leaf.get(), whoSel), 2);
    EXPECT_EQ(send(leaf.get(), lateSel), 1);

    class_addMethod(objc_getClass("Leaf"), whoSel, leafWho);
    EXPECT_EQ(send(leaf.get(), whoSel), 3);
    EXPECT_EQ(send(instanceOf("Middle").get(), whoSel), 2);
    EXPECT_EQ(Runtime::shared().unrecognizedSelectors(), std::vector<std::string>{"Leaf late"});
}

TEST(MethodCache, ManySelectorsOfOneClassEachFindTheirOwnMethod) {
    Process process;
    Class* cls = Runtime::shared().registerClass("Wide");
    Class* sub = Runtime::shared().registerClass("WideSub", "Wide");
    std::vector<Selector<int()>> selectors;
    for (int i = 0; i < 200; ++i) {
        selectors.emplace_back("wide" + std::to_string(i));
        class_addMethod(cls, selectors.back(), i % 2 == 0 ? rootWho : middleWho);
    }
    auto object = std::make_shared<Object>();
    object->setObjcClass(sub);
    // Twice: the first round fills and grows the cache, the second reads from it.
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 200; ++i) {
            ASSERT_EQ(send(object.get(), selectors[i]), i % 2 == 0 ? 1 : 2) << i;
        }
    }
    EXPECT_TRUE(Runtime::shared().unrecognizedSelectors().empty());
}

}  // namespace
}  // namespace platform
