// The runtime's message send and a hook's saved original, each against a direct call through a
// function pointer of the same signature; installing the library's 30 hooks against adding as
// many plain methods.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "host/HostClasses.h"
#include "platform/Process.h"
#include "platform/runtime/Runtime.h"
#include "snapforge/startup/Hooks.h"

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

// An instance of a subclass, so that a send finds its method one class up, as the host's
// inherited UIKit methods are found.
std::shared_ptr<Object> makeReceiver() {
    Class* base = Runtime::shared().registerClass("BenchBase", "NSObject");
    Class* derived = Runtime::shared().registerClass("BenchDerived", "BenchBase");
    class_addMethod(base, addSel, hostAdd);
    auto object = std::make_shared<Object>();
    object->setObjcClass(derived);
    return object;
}

void messageSend(benchmark::State& state) {
    Process process;
    auto receiver = makeReceiver();
    id self = receiver.get();
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(self);
        n = platform::send(self, addSel, n);
        benchmark::DoNotOptimize(n);
    }
    state.SetLabel("<= 2x");
}

void directCall(benchmark::State& state) {
    Process process;
    auto receiver = makeReceiver();
    id self = receiver.get();
    int (*implementation)(id, SEL, int) = hostAdd;
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(self);
        benchmark::DoNotOptimize(implementation);
        n = implementation(self, addSel.sel, n);
        benchmark::DoNotOptimize(n);
    }
    state.SetLabel("direct call");
}

void hookOriginal(benchmark::State& state) {
    Process process;
    auto receiver = makeReceiver();
    MSHookMessageEx(objc_getClass("BenchDerived"), addSel, replacementAdd, &originalAdd);
    id self = receiver.get();
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(self);
        n = originalAdd(self, addSel.sel, n);
        benchmark::DoNotOptimize(n);
    }
    state.SetLabel("<= 1.5x");
}

// Times only `work`, each iteration in a fresh process with the host's classes registered.
template <class Work>
void inFreshHostProcesses(benchmark::State& state, Work work) {
    for (auto _ : state) {
        Process process;
        host::registerHostClasses();
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
    }
}

void installHooks(benchmark::State& state) {
    inFreshHostProcesses(state, [&] {
        if (snapforge::installHooks() != 30) {
            state.SkipWithError("not every hook found its class");
        }
    });
    state.SetLabel("<= 20 us");
}

void addThirtyMethods(benchmark::State& state) {
    std::vector<Selector<int(int)>> selectors;
    for (int i = 0; i < 30; ++i) {
        selectors.emplace_back("benchMethod" + std::to_string(i) + ":");
    }
    inFreshHostProcesses(state, [&] {
        Class* cls = objc_getClass("PLCameraView");
        for (const auto& sel : selectors) {
            class_addMethod(cls, sel, hostAdd);
        }
    });
    state.SetLabel("30 class_addMethod");
}

}  // namespace

BENCHMARK(messageSend)->Name("send")->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(directCall)->Name("send.baseline")->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(hookOriginal)->Name("hook original")->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(directCall)->Name("hook original.baseline")->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(installHooks)
    ->Name("install 30 hooks")
    ->UseManualTime()
    ->Iterations(500)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(addThirtyMethods)
    ->Name("install 30 hooks.baseline")
    ->UseManualTime()
    ->Iterations(500)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
