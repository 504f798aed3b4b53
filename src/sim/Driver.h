#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "sim/Command.h"
#include "sim/Query.h"
#include "sim/SvgSnapshot.h"

namespace sim {

// What a driver tells the run while it works: the timeline stamps each report with the
// driver's virtual time at that moment.
class Reporter {
public:
    virtual ~Reporter() = default;
    // Something the host or the library visibly did ("iris opened", "message shown: ...").
    virtual void event(const std::string& text) = 0;
    // The current step could not be done, for example its target is not on screen. The run
    // goes on with the next step and ends with exit status 1.
    virtual void stepFailed(const std::string& reason) = 0;
};

// What the command line hands to a driver when it makes one.
struct DriverSettings {
    std::filesystem::path deviceRoot;
    std::filesystem::path snapshotFolder;
    bool libraryLog = false;
    // The pictures put into the library's image folder at every launch; none leaves it as it is.
    std::optional<std::filesystem::path> pictures = std::nullopt;
};

// Carries out a scenario's steps on a simulated phone and answers its queries. The runner calls
// one `perform` per step, in scenario order, after `attach`; an expectation is a `query`.
class Driver {
public:
    virtual ~Driver() = default;

    // Where events and step failures go, from now until the run ends.
    virtual void attach(Reporter& reporter) = 0;

    // Seconds of virtual time since the run began.
    virtual double now() const = 0;

    virtual void perform(const cmd::Device& step) = 0;
    virtual void perform(const cmd::Capability& step) = 0;
    virtual void perform(const cmd::Prefs& step) = 0;
    virtual void perform(const cmd::PrefsRaw& step) = 0;
    virtual void perform(const cmd::PrefsFile& step) = 0;
    virtual void perform(const cmd::Launch& step) = 0;
    virtual void perform(const cmd::Close& step) = 0;
    virtual void perform(const cmd::Background& step) = 0;
    virtual void perform(const cmd::Foreground& step) = 0;
    virtual void perform(const cmd::Tap& step) = 0;
    virtual void perform(const cmd::Hold& step) = 0;
    virtual void perform(const cmd::Drag& step) = 0;
    virtual void perform(const cmd::Scroll& step) = 0;
    virtual void perform(const cmd::Shutter& step) = 0;
    virtual void perform(const cmd::Wait& step) = 0;
    virtual void perform(const cmd::Rotate& step) = 0;
    virtual void perform(const cmd::Mode& step) = 0;
    virtual void perform(const cmd::Panorama& step) = 0;
    virtual void perform(const cmd::Snapshot& step) = 0;
    virtual void perform(const cmd::Dump& step) = 0;

    // An SVG picture of the screen now, its pictures referred to through `link`; a driver
    // without a screen draws nothing.
    virtual std::string screenPicture(const PictureLink& link) {
        (void)link;
        return {};
    }

    // The actual value, written as an `expect` line would write it ("YES", "12.5,40",
    // "absent"); "unavailable" for what the simulation cannot tell yet.
    virtual std::string query(const Query& query) = 0;
};

}  // namespace sim
