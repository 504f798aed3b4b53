#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/Command.h"
#include "sim/Driver.h"
#include "sim/Runner.h"
#include "sim/Timeline.h"

namespace sim {

// Records a run for a page that shows it: the timeline's lines of every step and the screen
// once the step is over. Each picture file rides along once, however many screens show it.
class ReportRecorder : public TimelineListener {
public:
    void line(double time, TimelineKind kind, std::string_view text) override;
    // The step is over: the lines heard since the last one and the screen now make its frame.
    void stepDone(const Command& command, Driver& driver);

    // One self-contained HTML page (no network, no other file): the timeline beside a filmstrip
    // of the screen after every step, failed steps marked, a slider, arrow keys and a player.
    std::string page(const std::string& title, const RunResult& result) const;

private:
    struct Line {
        double time = 0;
        TimelineKind kind = TimelineKind::Step;
        std::string text;
    };
    struct Frame {
        double time = 0;
        int scenarioLine = 0;
        std::string step;
        std::vector<Line> lines;
        bool failed = false;
        std::string screen;  // SVG whose pictures are "pic:N"
    };

    std::string pictureLink(const platform::UIImage& picture);
    std::string framesJson() const;

    std::vector<Line> pending_;
    std::vector<Frame> frames_;
    std::vector<std::string> pictures_;  // data URIs, by number
    std::map<std::filesystem::path, std::size_t> pictureNumbers_;
};

// The page around the run's data (a JSON object with "frames" and "pictures").
std::string reportPage(std::string_view title, const RunResult& result, std::string_view data);

// Text as a JSON string, quoted; safe inside an HTML script element.
std::string jsonString(std::string_view text);

}  // namespace sim
