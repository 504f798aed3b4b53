#include "live/LiveApi.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "host/DeviceModels.h"
#include "live/JsonText.h"
#include "live/LiveSession.h"
#include "sim/CompactNumber.h"
#include "sim/LineReader.h"

namespace live {
namespace {

using nlohmann::json;

constexpr std::string_view kPicturePrefix = "/api/picture/";
// A line that says this much has said enough; the rest is in the event stream.
constexpr std::size_t kTimelineInAnswer = 500;

ApiResponse answer(const json& value, int status = 200) {
    return {status, "application/json", jsonText(value)};
}

json timelineJson(const std::vector<TimelineEntry>& lines) {
    json list = json::array();
    const std::size_t from =
        lines.size() > kTimelineInAnswer ? lines.size() - kTimelineInAnswer : 0;
    for (std::size_t i = from; i < lines.size(); ++i) {
        list.push_back(timelineEntryJson(lines[i]));
    }
    return list;
}

ApiResponse outcomeAnswer(const Outcome& outcome) {
    if (outcome.status != 200) {
        return refusal(outcome.status, outcome.error);
    }
    json body{
        {"ok", true}, {"answer", outcome.answer}, {"timeline", timelineJson(outcome.timeline)}};
    if (!outcome.failure.empty()) {
        body["failure"] = outcome.failure;
    }
    return answer(body);
}

// The body as a JSON object, or the refusal that says why it is not one.
std::optional<json> objectBody(const std::string& body, ApiResponse& refused) {
    json value = json::parse(body, nullptr, false);
    if (value.is_discarded() || !value.is_object()) {
        refused = refusal(400, "the body must be a JSON object");
        return std::nullopt;
    }
    return value;
}

std::optional<double> coordinate(const json& value) {
    if (!value.is_number()) {
        return std::nullopt;
    }
    const double number = value.get<double>();
    if (!std::isfinite(number) || !sim::kCoordinateRange.contains(number)) {
        return std::nullopt;
    }
    return number;
}

std::optional<double> coordinate(const std::map<std::string, std::string>& query,
                                 const std::string& name) {
    const auto found = query.find(name);
    if (found == query.end()) {
        return std::nullopt;
    }
    double number = 0;
    const auto& digits = found->second;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size() || !std::isfinite(number) ||
        !sim::kCoordinateRange.contains(number)) {
        return std::nullopt;
    }
    return number;
}

std::string coordinatesWanted() {
    return "x and y must be numbers of screen points " + sim::kCoordinateRange.describe();
}

json devicesJson() {
    json devices = json::array();
    for (const auto& machine : host::knownMachines()) {
        devices.push_back(
            {{"model", machine}, {"ios", host::deviceProfile(machine).systemVersion}});
    }
    return devices;
}

}  // namespace

ApiResponse refusal(int status, const std::string& reason) {
    return answer({{"ok", false}, {"error", reason}}, status);
}

ApiResponse LiveApi::handle(const ApiRequest& request) {
    const bool post = request.method == "POST";
    const auto& path = request.path;
    if (post && path == "/api/touch") {
        return touch(request.body);
    }
    if (post && path == "/api/line") {
        return line(request.body);
    }
    if (post && path == "/api/clock") {
        return clock(request.body);
    }
    if (post && path == "/api/reset") {
        return reset(request.body);
    }
    if (!post && path == "/api/inspect") {
        return inspect(request.query);
    }
    if (!post && path == "/api/state") {
        return state();
    }
    if (!post && path == "/api/screen.svg") {
        return {200, "image/svg+xml", session_.screen()};
    }
    if (!post && path == "/api/scenario") {
        return {200, "text/plain; charset=utf-8", session_.scenario()};
    }
    if (!post && path.starts_with(kPicturePrefix)) {
        return picture(path.substr(kPicturePrefix.size()));
    }
    return refusal(404, "no " + request.method + " " + path + " in this API");
}

ApiResponse LiveApi::touch(const std::string& body) {
    ApiResponse refused;
    const auto request = objectBody(body, refused);
    if (!request) {
        return refused;
    }
    static const std::map<std::string, TouchPhase> phases{
        {"down", TouchPhase::Down}, {"move", TouchPhase::Move}, {"up", TouchPhase::Up}};
    const auto phase = request->value("phase", json()).is_string()
                           ? phases.find(request->at("phase").get<std::string>())
                           : phases.end();
    if (phase == phases.end()) {
        return refusal(400, "phase must be \"down\", \"move\" or \"up\"");
    }
    const auto x = coordinate(request->value("x", json()));
    const auto y = coordinate(request->value("y", json()));
    if (!x || !y) {
        return refusal(400, coordinatesWanted());
    }
    return outcomeAnswer(session_.touch(
        phase->second, {static_cast<platform::CGFloat>(*x), static_cast<platform::CGFloat>(*y)}));
}

ApiResponse LiveApi::line(const std::string& body) {
    ApiResponse refused;
    const auto request = objectBody(body, refused);
    if (!request) {
        return refused;
    }
    const auto found = request->find("line");
    if (found == request->end() || !found->is_string()) {
        return refusal(400, "line must be a string: one scenario line or a query");
    }
    return outcomeAnswer(session_.consoleLine(found->get<std::string>()));
}

ApiResponse LiveApi::clock(const std::string& body) {
    ApiResponse refused;
    const auto request = objectBody(body, refused);
    if (!request) {
        return refused;
    }
    Outcome outcome;
    if (request->value("next", json()) == json(true)) {
        outcome = session_.runToNext();
    } else {
        const auto speed = request->value("speed", json());
        const bool known =
            speed.is_number() && (speed == 0 || speed == 1 || speed == 10 || speed == 60);
        if (!known) {
            return refusal(400, "speed must be 0, 1, 10 or 60 (or ask {\"next\":true})");
        }
        session_.setSpeed(speed.get<double>());
    }
    if (outcome.status != 200) {
        return refusal(outcome.status, outcome.error);
    }
    return answer({{"ok", true},
                   {"time", session_.now()},
                   {"speed", session_.speed()},
                   {"answer", outcome.answer},
                   {"timeline", timelineJson(outcome.timeline)}});
}

ApiResponse LiveApi::reset(const std::string& body) {
    ApiResponse refused;
    const auto request =
        body.empty() ? std::optional<json>(json::object()) : objectBody(body, refused);
    if (!request) {
        return refused;
    }
    std::optional<std::string> device;
    if (const auto found = request->find("device"); found != request->end()) {
        if (!found->is_string()) {
            return refusal(400, "device must be a string: MODEL [ios VERSION], as after device");
        }
        device = found->get<std::string>();
    }
    return outcomeAnswer(session_.reset(device));
}

ApiResponse LiveApi::inspect(const std::map<std::string, std::string>& query) {
    const auto x = coordinate(query, "x");
    const auto y = coordinate(query, "y");
    if (!x || !y) {
        return refusal(400, coordinatesWanted());
    }
    json views = json::array();
    for (const auto& view : session_.inspect(
             {static_cast<platform::CGFloat>(*x), static_cast<platform::CGFloat>(*y)})) {
        const auto& f = view.screenFrame;
        views.push_back({{"class", view.className},
                         {"target", view.target ? json(*view.target) : json()},
                         {"frame", sim::compactRect(f)},
                         {"box", {f.origin.x, f.origin.y, f.size.width, f.size.height}},
                         {"windowLevel", view.windowLevel},
                         {"alpha", view.alpha},
                         {"hidden", view.hidden},
                         {"tag", view.tag},
                         {"picture", view.picture ? json(*view.picture) : json()}});
    }
    return answer({{"ok", true}, {"views", views}});
}

ApiResponse LiveApi::state() {
    return answer({{"ok", true},
                   {"time", session_.now()},
                   {"speed", session_.speed()},
                   {"fingerDown", session_.fingerIsDown()},
                   {"sections", session_.state()},
                   {"devices", devicesJson()}});
}

ApiResponse LiveApi::picture(const std::string& name) {
    auto file = session_.picture(name);
    if (!file) {
        return refusal(404, "no picture " + name + " on the screen of this phone");
    }
    ApiResponse response{200, file->mediaType, std::move(file->bytes)};
    response.cacheable = true;
    return response;
}

}  // namespace live
