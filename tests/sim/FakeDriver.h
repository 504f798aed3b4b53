#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "sim/Driver.h"

namespace sim::testing {

// A driver with a scripted phone: it records each step, answers queries from a table, takes
// 0.05 s per tap and fails a tap on any target not in `onScreen`.
class FakeDriver : public Driver {
public:
    std::vector<std::string> performed;
    std::map<std::string, std::string> answers;  // by query as written ("visible wb-lock")
    std::set<Target> onScreen;
    int attachCount = 0;

    void attach(Reporter& reporter) override {
        reporter_ = &reporter;
        ++attachCount;
    }
    double now() const override { return now_; }

    void perform(const cmd::Device& s) override { record(s); }
    void perform(const cmd::Capability& s) override { record(s); }
    void perform(const cmd::Prefs& s) override { record(s); }
    void perform(const cmd::PrefsRaw& s) override { record(s); }
    void perform(const cmd::PrefsFile& s) override { record(s); }
    void perform(const cmd::Launch& s) override {
        record(s);
        reporter_->event("camera opened");
    }
    void perform(const cmd::Close& s) override { record(s); }
    void perform(const cmd::Background& s) override { record(s); }
    void perform(const cmd::Foreground& s) override { record(s); }
    void perform(const cmd::Tap& s) override {
        record(s);
        const auto* target = std::get_if<Target>(&s.at);
        if (target && !onScreen.contains(*target)) {
            reporter_->stepFailed(std::string(targetName(*target)) + " is not on screen");
            return;
        }
        now_ += 0.05;
    }
    void perform(const cmd::Hold& s) override { record(s); }
    void perform(const cmd::Drag& s) override { record(s); }
    void perform(const cmd::Scroll& s) override { record(s); }
    void perform(const cmd::Shutter& s) override {
        record(s);
        reporter_->event("photo taken");
    }
    void perform(const cmd::Wait& s) override {
        record(s);
        now_ += s.seconds;
    }
    void perform(const cmd::Rotate& s) override { record(s); }
    void perform(const cmd::Mode& s) override { record(s); }
    void perform(const cmd::Panorama& s) override { record(s); }
    void perform(const cmd::Snapshot& s) override { record(s); }
    void perform(const cmd::Dump& s) override { record(s); }

    std::string query(const Query& query) override {
        const auto answer = answers.find(describe(query));
        return answer == answers.end() ? "unavailable" : answer->second;
    }

private:
    void record(const CommandBody& step) { performed.push_back(describe(step)); }

    Reporter* reporter_ = nullptr;
    double now_ = 0;
};

}  // namespace sim::testing
