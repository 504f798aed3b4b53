#include <fstream>
#include <system_error>

#include "host/CameraApp.h"
#include "sim/HostDriverSteps.h"
#include "sim/ScreenDump.h"
#include "sim/SvgSnapshot.h"

namespace sim {

// The camera app's own controls.

void HostDriver::perform(const cmd::Rotate& step) {
    guarded([&] {
        if (requireProcess()) {
            app_->rotate(step.orientation);
            settle();
        }
    });
}

void HostDriver::perform(const cmd::Mode& step) {
    guarded([&] {
        if (!requireCamera()) {
            return;
        }
        const bool photo = step.mode == CameraMode::Photo;
        const int mode = photo ? 0 : 1;
        if (const auto refusal = app_->modeSwitchRefusal(mode)) {
            fail(std::string("the camera cannot switch to ") + (photo ? "photo" : "video") +
                 " now: " + *refusal);
            return;
        }
        app_->setCameraMode(mode);
        settle();
    });
}

void HostDriver::perform(const cmd::Panorama& step) {
    guarded([&] {
        if (!requireCamera()) {
            return;
        }
        if (const auto refusal = app_->panoramaRefusal(step.on)) {
            fail(std::string("the camera cannot turn panorama ") + (step.on ? "on" : "off") +
                 " now: " + *refusal);
            return;
        }
        app_->setPanorama(step.on);
        settle();
    });
}

void HostDriver::perform(const cmd::Snapshot& step) {
    guarded([&] { writeSnapshot(step.file, screenPicture(embeddedPicture), "snapshot"); });
}

void HostDriver::perform(const cmd::Dump& step) {
    guarded([&] { writeSnapshot(step.file, screenDump(), "screen"); });
}

void HostDriver::writeSnapshot(const std::string& name, const std::string& contents,
                               const std::string& what) {
    const auto path = settings_.snapshotFolder / name;
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    // Opening a FIFO for writing would wait for a reader for ever.
    const auto existing = std::filesystem::status(path, ec);
    if (std::filesystem::exists(existing) && !std::filesystem::is_regular_file(existing)) {
        fail("cannot write " + path.string() + ": something other than a regular file is there");
        return;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
    if (!file.flush()) {
        fail("cannot write " + path.string());
        return;
    }
    report(what + " written to " + path.string());
}

std::string HostDriver::screenPicture(const PictureLink& link) {
    return insideDeviceRoot([&] { return svgSnapshot(now(), link); });
}

std::string HostDriver::screenDump() {
    return insideDeviceRoot([&] { return sim::screenDump(now(), *this); });
}

}  // namespace sim
