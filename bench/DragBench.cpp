// One touchesMoved:withEvent: through the hooked camera view while a finger drags the exposure
// reticle: the host's own method and the library's drag, with the library's logging off and,
// beside it, on.
#include <benchmark/benchmark.h>

#include <memory>

#include "host/CameraApp.h"
#include "host/DeviceModels.h"
#include "host/Selectors.h"
#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UITouch.h"
#include "snapforge/focus/ExposureView.h"
#include "snapforge/startup/Startup.h"
#include "snapforge/startup/State.h"

namespace {

using platform::CGPoint;

// A finger at one point of the screen, as the touch methods are handed it.
struct Finger {
    explicit Finger(CGPoint point)
        : touches({std::make_shared<platform::UITouch>(point, 1, 0.0)}),
          event(std::make_shared<platform::UIEvent>(touches, 0.0)) {}
    platform::UITouchSet touches;
    std::shared_ptr<platform::UIEvent> event;
};

void dragReticle(benchmark::State& state, bool logging) {
    platform::Process process(host::deviceProfile("iPhone4,1"));
    host::CameraApp app([] { snapforge::SnapforgeInitialize(); });
    app.launch();
    platform::RunLoop::main().runFor(1);
    snapforge::State& s = snapforge::state();
    s.LOGGER_ON = logging;
    s.exposureView->setFrame(platform::CGRectMake(200, 100, 90, 90));
    platform::id view = app.cameraView().get();

    // Down on the reticle, then to and fro between two points a few points apart.
    const Finger down(CGPoint{245, 145});
    const Finger there(CGPoint{249, 147});
    platform::send(view, host::sel::touchesBegan, &down.touches, down.event.get());
    bool toThere = true;
    for (auto _ : state) {
        const Finger& finger = toThere ? there : down;
        platform::send(view, host::sel::touchesMoved, &finger.touches, finger.event.get());
        toThere = !toThere;
    }
    if (!s.movedObject || !s.touchInsideExposure) {
        state.SkipWithError("the finger did not drag the exposure reticle");
    }
    state.SetLabel(logging ? "logging on" : "<= 200 ns");
}

}  // namespace

BENCHMARK_CAPTURE(dragReticle, off, false)
    ->Name("drag reticle")
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(dragReticle, on, true)
    ->Name("drag reticle.baseline")
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
