// A day-long run must not keep every log line, capture change or animation: each history keeps
// its latest part, and what readers need of it is still there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Process.h"
#include "platform/capture/CaptureChangeLog.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIView.h"

namespace platform {
namespace {

TEST(BoundedLogs, TheSystemLogKeepsItsLatestLinesAndSubscribersHearThemAll) {
    Process process;
    const int lines = 5 * static_cast<int>(SystemLog::kKeptLines);
    int heard = 0;
    SystemLog::shared().subscribe([&](const SystemLog::Entry&) { ++heard; });
    for (int i = 0; i < lines; ++i) {
        NSLog("line " + std::to_string(i));
    }
    const auto& entries = SystemLog::shared().entries();
    EXPECT_EQ(heard, lines);
    EXPECT_GE(entries.size(), SystemLog::kKeptLines);
    EXPECT_LE(entries.size(), 2 * SystemLog::kKeptLines);
    EXPECT_EQ(entries.back().line, "line " + std::to_string(lines - 1));
    EXPECT_TRUE(SystemLog::shared().contains("line " + std::to_string(lines - 1000)));
    EXPECT_FALSE(SystemLog::shared().contains("line 0"));
}

TEST(BoundedLogs, AReaderOfACaptureChangeLogFindsWhatCameAfterWhatItSaw) {
    CaptureChangeLog log;
    const std::size_t changes = 10 * CaptureChangeLog::kKeptChanges + 3;
    for (std::size_t i = 0; i < changes; ++i) {
        log.record("focusMode", std::to_string(i), true);
    }
    EXPECT_EQ(log.recordedCount(), changes);
    EXPECT_LE(log.entries().size(), 2 * CaptureChangeLog::kKeptChanges);

    const auto newest = log.changesAfter(changes - 2);
    ASSERT_EQ(newest.size(), 2u);
    EXPECT_EQ(newest[0].value, std::to_string(changes - 2));
    EXPECT_EQ(newest[1].value, std::to_string(changes - 1));
    EXPECT_TRUE(log.changesAfter(changes).empty());
    // A reader that fell behind gets what is still kept, from the oldest kept on.
    EXPECT_EQ(log.changesAfter(0).size(), log.entries().size());
    EXPECT_EQ(log.changesAfter(0).front().value, log.entries().front().value);

    log.clear();
    log.record("focusMode", "1", true);
    EXPECT_EQ(log.recordedCount(), 1u);
    EXPECT_EQ(log.changesAfter(0).front().value, "1");
}

TEST(BoundedLogs, TheAnimationLogForgetsOldEndedAnimationsButNeverARunningOne) {
    Process process;
    auto slow = UIView::create(CGRectMake(0, 0, 10, 10));
    auto quick = UIView::create(CGRectMake(0, 0, 10, 10));
    UIView::animate(1e6, [&] { slow->setAlpha(0); });
    const int fades = 10 * static_cast<int>(AnimationLog::kKeptEnded);
    for (int i = 0; i < fades; ++i) {
        UIView::animate(0.5, [&] { quick->setAlpha(i % 2 == 0 ? 0.25f : 0.75f); });
        RunLoop::main().runFor(1);
    }
    UIView::animate(
        0.5, [&] { quick->setAlpha(0.5f); }, nullptr);

    const auto& log = AnimationLog::shared();
    EXPECT_LE(log.records().size(), 2 * AnimationLog::kKeptEnded + 2);
    EXPECT_TRUE(log.presentationValue(slow.get(), "alpha", RunLoop::main().now()).has_value());
    EXPECT_EQ(log.latest(quick.get(), "alpha")->to, AnimatedValue(0.5f));
    EXPECT_GE(log.recordsFor(quick.get()).size(), AnimationLog::kKeptEnded);
}

// Records normally come in the order of their start; one that came out of order is still seen.
TEST(BoundedLogs, TheAnimationLogFindsARunningAnimationWhateverOrderRecordsCameIn) {
    Process process;
    auto view = UIView::create(CGRectMake(0, 0, 10, 10));
    auto other = UIView::create(CGRectMake(0, 0, 10, 10));
    const auto record = [](const std::shared_ptr<UIView>& v, double start) {
        AnimationRecord r;
        r.view = v;
        r.viewAddress = v.get();
        r.property = "alpha";
        r.from = 0.0f;
        r.to = 1.0f;
        r.duration = 1;
        r.startTime = start;
        return r;
    };
    AnimationLog& log = AnimationLog::shared();
    log.add(record(view, 10));
    log.add(record(other, 0));
    EXPECT_TRUE(log.presentationValue(view.get(), "alpha", 10.5).has_value());
    EXPECT_FALSE(log.presentationValue(view.get(), "alpha", 11.5).has_value());
}

}  // namespace
}  // namespace platform
