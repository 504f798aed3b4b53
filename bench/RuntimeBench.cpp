#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/runtime/Runtime.h"

namespace {

using namespace platform;

const Selector<int(int)> addSel("benchAdd:");

int hostAdd(id, SEL, int n) {
    return n + 1;
}
int (*originalAdd)(id, SEL, int) = nullptr;
int replacementAdd(id self, SEL cmd, int n) {
    return originalAdd(self, cmd, n);
}

std::shared_ptr<Object> makeReceiver() {
    Class* base = Runtime::shared().registerClass("BenchBase", "NSObject");
    Class* derived = Runtime::shared().registerClass("BenchDerived", "BenchBase");
    class_addMethod(base, addSel, hostAdd);
    auto object = std::make_shared<Object>();
    object->setObjcClass(derived);
    return object;
}

void MessageSend(benchmark::State& state) {
    Process process;
    auto receiver = makeReceiver();
    int n = 0;
    for (auto _ : state) {
        n = send(receiver.get(), addSel, n);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(MessageSend);

void CallThroughHookOriginal(benchmark::State& state) {
    Process process;
    auto receiver = makeReceiver();
    MSHookMessageEx(objc_getClass("BenchDerived"), addSel, replacementAdd, &originalAdd);
    int n = 0;
    for (auto _ : state) {
        n = originalAdd(receiver.get(), addSel.sel, n);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(CallThroughHookOriginal);

void InstallThirtyHooks(benchmark::State& state) {
    std::vector<Selector<int(int)>> selectors;
    for (int i = 0; i < 30; ++i) {
        selectors.emplace_back("benchHook" + std::to_string(i) + ":");
    }
    std::vector<int (*)(id, SEL, int)> slots(30);
    for (auto _ : state) {
        state.PauseTiming();
        {
            Process process;
            Class* cls = Runtime::shared().registerClass("BenchHost", "NSObject");
            for (auto& sel : selectors) {
                class_addMethod(cls, sel, hostAdd);
            }
            state.ResumeTiming();
            for (int i = 0; i < 30; ++i) {
                MSHookMessageEx(objc_getClass("BenchHost"), selectors[i], replacementAdd,
                                &slots[i]);
            }
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(InstallThirtyHooks);

}  // namespace
