#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIScrollView.h"
#include "sim/CompactNumber.h"
#include "sim/Gestures.h"
#include "sim/HostArtwork.h"
#include "sim/HostDriverSteps.h"
#include "sim/ViewInspection.h"

namespace sim {
namespace {

// The shortest slice of virtual time between two looks at the phone, so that
// work that keeps falling due cannot make a long wait crawl.
constexpr double kMinimumSlice = 0.001;

std::shared_ptr<platform::UIScrollView> findStrip(const std::shared_ptr<platform::UIView>& root) {
    if (auto strip = std::dynamic_pointer_cast<platform::UIScrollView>(root)) {
        return strip;
    }
    for (const auto& subview : root->subviews()) {
        if (auto strip = findStrip(subview)) {
            return strip;
        }
    }
    return nullptr;
}

}  // namespace

// Time and touches.

void HostDriver::advance(double seconds) {
    seconds = std::max(0.0, seconds);
    if (!process_) {
        clockBeforeLaunch_ += seconds;
        return;
    }
    // What the step did before time moves on (a touch landing) shows at its own moment.
    watcher_->look(false);
    auto& loop = platform::RunLoop::main();
    const double end = loop.now() + seconds;
    for (;;) {
        double until = end;
        if (const auto next = loop.nextDueTime(); next && *next < end) {
            until = std::min(end, std::max(*next, loop.now() + kMinimumSlice));
        }
        loop.runUntil(until);
        watcher_->look(false);
        if (until >= end) {
            return;
        }
    }
}

void HostDriver::settle() {
    if (!process_) {
        return;
    }
    platform::RunLoop::main().runPending();
    watcher_->look(true);
}

std::optional<platform::CGPoint> HostDriver::locate(const Location& location) {
    if (!requireProcess()) {
        return std::nullopt;
    }
    const auto* target = std::get_if<Target>(&location);
    const auto point = target ? locateTarget(*target) : std::get<platform::CGPoint>(location);
    if (!point) {
        return std::nullopt;
    }
    const auto screen = platform::UIScreen::mainScreen().bounds();
    if (!platform::CGRectContainsPoint(screen, *point)) {
        fail("the touch at " + compactPoint(*point) + " is off the " +
             compactNumber(screen.size.width) + "x" + compactNumber(screen.size.height) +
             " screen: nothing receives it");
        return std::nullopt;
    }
    if (!target) {
        report(landing(*point));
    }
    return point;
}

std::string HostDriver::landing(platform::CGPoint point) const {
    const std::string touch = "the touch at " + compactPoint(point);
    const auto hit = platform::UIScreen::mainScreen().hitTest(point);
    return hit ? touch + " lands on " + nameOf(*hit) : touch + " reaches no view";
}

std::optional<platform::CGPoint> HostDriver::locateTarget(Target target) {
    const auto view = targetView(target);
    const std::string name(targetName(target));
    if (!view || !inspect::isShowing(*view)) {
        fail(name + " is not on screen");
        return std::nullopt;
    }
    const auto point = inspect::touchPoint(*view);
    if (!point) {
        const auto cover = platform::UIScreen::mainScreen().hitTest(inspect::screenCentre(*view));
        fail(name + " is covered" + (cover ? " by " + nameOf(*cover) : "") +
             ": no touch reaches it");
        return std::nullopt;
    }
    // What the finger presses is whatever the user sees on top there.
    const auto seen = inspect::frontmostViewAt(*point);
    if (seen && seen != view && !seen->isDescendantOfView(view.get())) {
        report("the touch on " + name + " lands on " + nameOf(*seen) + ", which lies over it");
    }
    return point;
}

std::optional<std::string> HostDriver::targetNameOf(const platform::UIView& view) const {
    for (const Target target : allTargets()) {
        if (targetView(target).get() == &view) {
            return std::string(targetName(target));
        }
    }
    return std::nullopt;
}

std::string HostDriver::nameOf(const platform::UIView& view) const {
    for (const platform::UIView* v = &view; v != nullptr; v = v->superview()) {
        if (auto name = targetNameOf(*v)) {
            return *name;
        }
        if (artwork::drawsHostView(inspect::className(*v))) {
            return inspect::className(*v);
        }
    }
    return inspect::className(view);
}

void HostDriver::perform(const cmd::Tap& step) {
    guarded([&] {
        if (const auto point = locate(step.at)) {
            gestures::tap(*point, [this](double s) { advance(s); });
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Hold& step) {
    guarded([&] {
        if (const auto point = locate(step.at)) {
            gestures::hold(*point, step.seconds, [this](double s) { advance(s); });
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Drag& step) {
    guarded([&] {
        if (const auto point = locate(step.from)) {
            gestures::drag(*point, step.to, step.seconds, [this](double s) { advance(s); });
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Scroll& step) {
    guarded([&] {
        const auto from = locate(step.target);
        if (!from) {
            return;
        }
        const auto strip = findStrip(targetView(step.target));
        if (!strip) {
            fail(std::string(targetName(step.target)) + " has no strip to scroll");
            return;
        }
        gestures::scroll(*strip, *from, step.pages, [this](double s) { advance(s); });
        settle();
    });
}

void HostDriver::perform(const cmd::Shutter&) {
    guarded([&] {
        if (!requireCamera()) {
            return;
        }
        if (const auto point = locate(Target::Shutter)) {
            gestures::tap(*point, [this](double s) { advance(s); });
            settle();
        }
    });
}

bool HostDriver::fingerDown(platform::CGPoint point) {
    bool down = false;
    guarded([&] {
        if (locate(point)) {
            platform::UIScreen::mainScreen().touchDown(point);
            down = true;
        }
    });
    return down;
}

void HostDriver::fingerMove(platform::CGPoint point) {
    guarded([&] {
        if (process_) {
            platform::UIScreen::mainScreen().touchMove(point);
        }
    });
}

void HostDriver::fingerUp(platform::CGPoint point) {
    guarded([&] {
        if (process_) {
            platform::UIScreen::mainScreen().touchUp(point);
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Wait& step) {
    guarded([&] {
        advance(step.seconds);
        settle();
    });
}

}  // namespace sim
