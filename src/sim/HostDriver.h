#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/Geometry.h"
#include "sim/ChangeWatcher.h"
#include "sim/DeviceSetup.h"
#include "sim/Driver.h"
#include "sim/QueryAnswers.h"

namespace host {
class CameraApp;
}

namespace platform {
class Process;
}

namespace sim {

// Drives the simulated camera app with the library loaded, as a user would. One simulated
// process per scenario: the first launch starts it with the device chosen so far; close closes
// the camera and keeps the process, so that a later launch opens it again in the same process.
// Time is virtual; between pieces of work on the run loop the driver looks at the phone and
// reports what changed.
class HostDriver : public Driver, private Phone {
public:
    explicit HostDriver(DriverSettings settings);
    ~HostDriver() override;

    void attach(Reporter& reporter) override;
    double now() const override;

    void perform(const cmd::Device& step) override;
    void perform(const cmd::Capability& step) override;
    void perform(const cmd::Prefs& step) override;
    void perform(const cmd::PrefsRaw& step) override;
    void perform(const cmd::PrefsFile& step) override;
    void perform(const cmd::Launch& step) override;
    void perform(const cmd::Close& step) override;
    void perform(const cmd::Background& step) override;
    void perform(const cmd::Foreground& step) override;
    void perform(const cmd::Tap& step) override;
    void perform(const cmd::Hold& step) override;
    void perform(const cmd::Drag& step) override;
    void perform(const cmd::Scroll& step) override;
    void perform(const cmd::Shutter& step) override;
    void perform(const cmd::Wait& step) override;
    void perform(const cmd::Rotate& step) override;
    void perform(const cmd::Mode& step) override;
    void perform(const cmd::Panorama& step) override;
    void perform(const cmd::Snapshot& step) override;
    void perform(const cmd::Dump& step) override;

    std::string screenPicture(const PictureLink& link) override;
    // The screen as canonical text (see ScreenDump.h).
    std::string screenDump();
    std::string query(const Query& query) override;

    // What the timeline says of a touch at a screen point: the view it lands on, named, or
    // that it reaches no view.
    std::string landing(platform::CGPoint point) const;
    // The target's name for a view a target names (or that lies inside one without being drawn
    // by the host itself), else its class name.
    std::string nameOf(const platform::UIView& view) const;
    // What the live camera needs beyond a scenario's steps: it keeps the scenario parser's view
    // of the phone, moves a finger at a person's pace and lets time pass with the wall clock.

    // The bundle identifier of the running process, nothing before the first launch.
    std::optional<std::string> processBundleId() const;
    bool isCameraOpen() const;
    // The name of the target that names the view at the moment, if one does.
    std::optional<std::string> targetNameOf(const platform::UIView& view) const;
    // Puts a finger down on the screen: false (the step failed) when no phone runs or the
    // point is off the screen.
    bool fingerDown(platform::CGPoint point);
    void fingerMove(platform::CGPoint point);
    // Lifts the finger and lets what it set off run.
    void fingerUp(platform::CGPoint point);
    // Lets virtual time pass, looking at the phone between pieces of work.
    void advance(double seconds);
    // Lets what a step set off run and reports what it changed.
    void settle();

private:
    std::shared_ptr<platform::UIView> targetView(Target target) const override;
    CaptureObjects captureObjects() const override;
    int photoCount() const override;
    std::vector<std::string> messages() const override;

    void startProcess(const std::string& bundleId);
    void report(const std::string& text);
    void fail(const std::string& reason);
    // Runs one step; whatever goes wrong inside fails the step instead of ending the run.
    template <class Step>
    void guarded(Step&& step);
    // Runs fn inside the scenario's process, or before it starts inside a stand-in process
    // over the same device root.
    template <class Fn>
    auto insideDeviceRoot(Fn&& fn);

    bool requireCamera();
    bool requireProcess();
    // Where a location is on the screen; fails the step when its target is not showing, is
    // covered or lies off the screen, and says where a touch on it lands when that is on
    // another view.
    std::optional<platform::CGPoint> locate(const Location& location);
    std::optional<platform::CGPoint> locateTarget(Target target);
    void writePreferences(bool written);
    // Writes a snapshot step's file into the snapshot folder; `what` names it on the timeline.
    void writeSnapshot(const std::string& name, const std::string& contents,
                       const std::string& what);

    DriverSettings settings_;
    Reporter* reporter_ = nullptr;
    DeviceChoice device_;
    double clockBeforeLaunch_ = 0;
    // Declared first so that it goes last: everything below lives inside it.
    std::unique_ptr<platform::Process> process_;
    std::unique_ptr<host::CameraApp> app_;
    std::unique_ptr<ChangeWatcher> watcher_;
    std::optional<std::size_t> logSubscription_;
};

}  // namespace sim
