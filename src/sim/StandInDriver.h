#pragma once

#include "sim/Driver.h"

namespace sim {

// Takes the place of the simulated phone until one can be driven: it only keeps the virtual
// clock (touches, holds, drags and waits take their time) and answers every query
// "unavailable".
class StandInDriver : public Driver {
public:
    static constexpr double kTapSeconds = 0.05;

    void attach(Reporter& reporter) override;
    double now() const override { return now_; }

    void perform(const cmd::Device&) override {}
    void perform(const cmd::Capability&) override {}
    void perform(const cmd::Prefs&) override {}
    void perform(const cmd::PrefsRaw&) override {}
    void perform(const cmd::PrefsFile&) override {}
    void perform(const cmd::Launch&) override {}
    void perform(const cmd::Close&) override {}
    void perform(const cmd::Background&) override {}
    void perform(const cmd::Foreground&) override {}
    void perform(const cmd::Tap&) override { now_ += kTapSeconds; }
    void perform(const cmd::Hold& step) override { now_ += step.seconds; }
    void perform(const cmd::Drag& step) override { now_ += step.seconds; }
    void perform(const cmd::Scroll&) override {}
    void perform(const cmd::Shutter&) override { now_ += kTapSeconds; }
    void perform(const cmd::Wait& step) override { now_ += step.seconds; }
    void perform(const cmd::Rotate&) override {}
    void perform(const cmd::Mode&) override {}
    void perform(const cmd::Panorama&) override {}
    void perform(const cmd::Snapshot&) override {}

    std::string query(const Query&) override { return "unavailable"; }

private:
    bool announced_ = false;
    double now_ = 0;
};

}  // namespace sim
