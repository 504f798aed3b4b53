#include <gtest/gtest.h>

#include <optional>

#include "platform/Process.h"

namespace platform {
namespace {

struct Tally {
    int value = 0;
};

TEST(ProcessServices, EveryProcessHasItsOwnEvenAtTheAddressOfAnEndedOne) {
    std::optional<Process> process;
    for (int round = 0; round < 3; ++round) {
        process.emplace();
        EXPECT_EQ(Process::current().attachment<Tally>().value, 0) << round;
        ++Process::current().attachment<Tally>().value;
        EXPECT_EQ(Process::current().attachment<Tally>().value, 1);
        process.reset();
    }

    Process outer;
    outer.attachment<Tally>().value = 5;
    {
        Process inner;
        EXPECT_EQ(Process::current().attachment<Tally>().value, 0);
        inner.attachment<Tally>().value = 9;
        EXPECT_EQ(outer.attachment<Tally>().value, 5);
        EXPECT_EQ(inner.attachment<Tally>().value, 9);
    }
    EXPECT_EQ(Process::current().attachment<Tally>().value, 5);
}

// A service made later goes first; one made earlier that asks for it while going gets a new
// one, never the one already gone.
struct MadeLater {
    int value = 7;
    ~MadeLater() { value = -1; }
};

struct MadeEarlier {
    ~MadeEarlier() {
        for (int i = 0; i < 2; ++i) {
            seen = Process::current().attachment<MadeLater>().value;
            EXPECT_EQ(seen, 7) << i;
        }
    }
    static inline int seen = 0;
};

TEST(ProcessServices, AServiceAskedForDuringTeardownIsNeverOneAlreadyGone) {
    MadeEarlier::seen = 0;
    {
        Process process;
        process.attachment<MadeEarlier>();
        EXPECT_EQ(process.attachment<MadeLater>().value, 7);
    }
    EXPECT_EQ(MadeEarlier::seen, 7);
}

}  // namespace
}  // namespace platform
