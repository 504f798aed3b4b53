// Arbitrary bytes as a sequence of user and host events, with the library's promises checked
// after every step. A broken promise prints a shrunk scenario that reproduces it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/harness/CheckedRun.h"
#include "fuzz/harness/EventSequence.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto steps = fuzzing::decodeEvents(data, size);
    if (std::getenv("SNAPFORGE_PRINT_SCENARIO") != nullptr) {
        std::fputs(fuzzing::scenarioText(steps).c_str(), stdout);
    }
    if (const auto broken = fuzzing::runChecked(steps)) {
        std::fputs(fuzzing::failureReport(steps, *broken).c_str(), stderr);
        std::abort();
    }
    return 0;
}
