#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "sim/LibraryViews.h"
#include "sim/ViewInspection.h"
#include "snapforge/CameraStory.h"

namespace snapforge::testing {
namespace {

using sim::Target;

// What a leak makes grow.
struct Footprint {
    std::size_t objects = 0;
    std::size_t windows = 0;
    std::size_t pendingWork = 0;
    std::size_t observers = 0;
    std::size_t darwinRegistrations = 0;

    static Footprint now() {
        return {platform::Object::liveObjects(), platform::UIScreen::mainScreen().windows().size(),
                platform::RunLoop::main().pendingCount(),
                platform::NSNotificationCenter::defaultCenter().observerCount(),
                platform::CFNotificationCenterGetDarwinNotifyCenter()->registrationCount()};
    }
    bool operator==(const Footprint&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Footprint& f) {
    return out << f.objects << " objects, " << f.windows << " windows, " << f.pendingWork
               << " pieces of pending work, " << f.observers << " observers, "
               << f.darwinRegistrations << " Darwin registrations";
}

class Soak : public CameraStory {
protected:
    // Touches each control that is on screen at that moment; those the library does not show
    // are left alone.
    void touchWhatShows(std::initializer_list<Target> targets) {
        for (const Target target : targets) {
            const auto view = sim::libraryView(target);
            if (!view || !sim::inspect::isShowing(*view)) {
                continue;
            }
            if (const auto point = sim::inspect::touchPoint(*view)) {
                tap(*point);
            }
        }
    }

    void pressShutter() {
        app.pressShutter();
        run(0.5);
    }

    // One use of the camera: the bar with a 5-second self-timer (the dial stepped up and back,
    // so the delay stays put across uses), the settings panel, the reticles and the
    // white-balance lock, a photo, and the camera closed.
    void useTheCamera() {
        launch();
        touchWhatShows(
            {Target::SettingsButton, Target::BarTimer, Target::DialPlus, Target::DialMinus});
        pressShutter();
        run(7);
        touchWhatShows({Target::StopButton, Target::BarNormal, Target::PrefButton,
                        Target::PanelRemember, Target::PanelClose, Target::SettingsButton,
                        Target::WbLock});
        hold(app.previewCenter().value_or(platform::CGPoint{160, 200}), 0.7);
        pressShutter();
        app.rotate(1 + cycle_ % 4);
        app.close();
        run(1);
        ++cycle_;
    }

    int cycle_ = 0;
};

// Under the sanitizers a use costs ten times as much: a tenth of the uses still meets every
// memory fault of a use, and the plain build proves the full count.
#ifdef __SANITIZE_ADDRESS__
constexpr int kUses = 1000;
#else
constexpr int kUses = 10000;
#endif

TEST_F(Soak, TenThousandUsesOfTheCameraLeaveNothingBehind) {
    useTheCamera();
    const Footprint baseline = Footprint::now();
    const int photos = app.photoCount();
    for (int i = 0; i < kUses; ++i) {
        useTheCamera();
    }
    EXPECT_EQ(Footprint::now(), baseline);
    EXPECT_GE(app.photoCount(), photos + kUses);
    EXPECT_TRUE(platform::Runtime::shared().unrecognizedSelectors().empty());
}

}  // namespace
}  // namespace snapforge::testing
