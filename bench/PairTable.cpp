#include "PairTable.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace bench {
namespace {

std::string significant(double value, const char* unit) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g %s", value, unit);
    return text;
}

std::string withPeak(const PairTable::Figure& figure) {
    if (!figure.error.empty()) {
        return "error: " + figure.error;
    }
    const std::string time = describeDuration(figure.nanoseconds);
    return figure.peak.empty() ? time : time + " (peak " + figure.peak + ")";
}

// A repeated benchmark is summed up by its median; a single run stands for itself.
bool standsForTheBenchmark(const benchmark::BenchmarkReporter::Run& run) {
    return run.run_type == benchmark::BenchmarkReporter::Run::RT_Aggregate
               ? run.aggregate_name == "median"
               : run.repetitions <= 1;
}

}  // namespace

std::string describeDuration(double nanoseconds) {
    if (nanoseconds < 1e3) {
        return significant(nanoseconds, "ns");
    }
    if (nanoseconds < 1e6) {
        return significant(nanoseconds / 1e3, "us");
    }
    if (nanoseconds < 1e9) {
        return significant(nanoseconds / 1e6, "ms");
    }
    return significant(nanoseconds / 1e9, "s");
}

void PairTable::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (!run.error_occurred && !standsForTheBenchmark(run)) {
            continue;
        }
        const std::string& name = run.run_name.function_name;
        Figure figure;
        figure.nanoseconds =
            run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        figure.label = run.report_label;
        figure.error = run.error_message;
        for (const auto& [counter, value] : run.counters) {
            if (counter.rfind("peak", 0) == 0) {
                figure.peak = significant(value.value / 1024, "MB");
            }
        }
        if (!figures_.contains(name)) {
            order_.push_back(name);
        }
        figures_[name] = figure;
    }
}

void PairTable::Finalize() {
    ConsoleReporter::Finalize();
    printTable(GetOutputStream());
}

void PairTable::printTable(std::ostream& out) const {
    char line[512];
    std::snprintf(line, sizeof line, "\n%-8s %-26s %-30s %-44s %s\n", "ratio", "measure", "time",
                  "baseline", "target");
    out << line;
    const std::string suffix = kBaselineSuffix;
    for (const std::string& name : order_) {
        const auto baseline = figures_.find(name + suffix);
        if (name.ends_with(suffix) || baseline == figures_.end()) {
            continue;
        }
        const Figure& subject = figures_.at(name);
        const Figure& base = baseline->second;
        std::string ratio = "-";
        if (subject.error.empty() && base.error.empty() && base.nanoseconds > 0) {
            ratio = significant(subject.nanoseconds / base.nanoseconds, "x");
            ratio.erase(std::remove(ratio.begin(), ratio.end(), ' '), ratio.end());
        }
        const std::string baseText = withPeak(base) + " " + base.label;
        std::snprintf(line, sizeof line, "%-8s %-26s %-30s %-44s %s\n", ratio.c_str(), name.c_str(),
                      withPeak(subject).c_str(), baseText.c_str(), subject.label.c_str());
        out << line;
    }
}

}  // namespace bench
