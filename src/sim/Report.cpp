#include "sim/Report.h"

#include <cstdio>
#include <sstream>

#include "platform/ui/UIImage.h"

namespace sim {
namespace {

constexpr std::string_view kPictureScheme = "pic:";

std::string_view kindName(TimelineKind kind) {
    switch (kind) {
        case TimelineKind::Event:
            return "event";
        case TimelineKind::Failure:
            return "failure";
        default:
            return "step";
    }
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
            // Markup characters are escaped too, so that no "</script>" ends the data early.
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

void ReportRecorder::line(double time, TimelineKind kind, std::string_view text) {
    pending_.push_back({time, kind, std::string(text)});
}

void ReportRecorder::stepDone(const Command& command, Driver& driver) {
    Frame frame;
    frame.time = driver.now();
    frame.scenarioLine = command.line;
    frame.step = describe(command.body);
    frame.lines = std::move(pending_);
    pending_.clear();
    for (const auto& line : frame.lines) {
        frame.failed = frame.failed || line.kind == TimelineKind::Failure;
    }
    frame.screen =
        driver.screenPicture([this](const platform::UIImage& p) { return pictureLink(p); });
    frames_.push_back(std::move(frame));
}

std::string ReportRecorder::pictureLink(const platform::UIImage& picture) {
    const auto known = pictureNumbers_.find(picture.filePath());
    if (known != pictureNumbers_.end()) {
        return std::string(kPictureScheme) + std::to_string(known->second);
    }
    std::string uri = embeddedPicture(picture);
    if (uri.empty()) {
        return {};
    }
    const std::size_t number = pictures_.size();
    pictures_.push_back(std::move(uri));
    pictureNumbers_.emplace(picture.filePath(), number);
    return std::string(kPictureScheme) + std::to_string(number);
}

std::string ReportRecorder::framesJson() const {
    std::ostringstream out;
    out << "{\"pictures\":[";
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        out << (i ? ",\n" : "\n") << jsonString(pictures_[i]);
    }
    out << "],\n\"frames\":[";
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        const Frame& f = frames_[i];
        out << (i ? ",\n" : "\n") << "{\"time\":" << jsonString(formatTime(f.time))
            << ",\"line\":" << f.scenarioLine << ",\"step\":" << jsonString(f.step)
            << ",\"failed\":" << (f.failed ? "true" : "false") << ",\"lines\":[";
        for (std::size_t k = 0; k < f.lines.size(); ++k) {
            const Line& l = f.lines[k];
            out << (k ? "," : "") << "{\"time\":" << jsonString(formatTime(l.time))
                << ",\"kind\":" << jsonString(kindName(l.kind))
                << ",\"text\":" << jsonString(l.text) << '}';
        }
        out << "],\"screen\":" << jsonString(f.screen) << '}';
    }
    out << "]}";
    return out.str();
}

std::string ReportRecorder::page(const std::string& title, const RunResult& result) const {
    return reportPage(title, result, framesJson());
}

}  // namespace sim
