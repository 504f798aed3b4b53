// Arbitrary bytes as the preferences file: the library loads them into its state and saves;
// the file it leaves must read back as exactly what it holds in memory.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/harness/PreferencesRoundTrip.h"
#include "fuzz/harness/TemporaryRoot.h"
#include "platform/Process.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzing::TemporaryRoot root;
    const platform::Process process({}, root.path());
    if (const auto broken = fuzzing::preferencesRoundTrip(
            std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::fprintf(stderr, "broken promise: %s\n", broken->c_str());
        std::abort();
    }
    return 0;
}
