#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace bench {

// Every figure is measured beside its baseline in the same run: a benchmark named "NAME" pairs
// with "NAME.baseline". The subject's label states its target, the baseline's what it is.
inline constexpr const char* kBaselineSuffix = ".baseline";

// The usual console report, then one line per pair: the ratio first, then both times (medians
// when the run repeats) and the target. Counters named "peak ..." are printed beside the time.
class PairTable : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

    struct Figure {
        double nanoseconds = 0;
        std::string label;
        std::string peak;
        std::string error;
    };

private:
    void printTable(std::ostream& out) const;

    std::vector<std::string> order_;
    std::map<std::string, Figure> figures_;
};

// "1.23 ns", "45.6 us", "7.89 ms", "1.20 s".
std::string describeDuration(double nanoseconds);

}  // namespace bench
