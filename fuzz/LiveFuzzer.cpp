// Arbitrary bytes as a sequence of requests to the live camera's API, applied to one phone
// through the same code the server uses, without HTTP. After every request each answer must be
// a JSON object (a refusal with its reason) and the library's promises must hold.
//
// Each line of the input is one request: its first byte chooses the request, the rest is its
// JSON body (or, for an inspection, its query string).
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "fuzz/harness/Invariants.h"
#include "live/LiveApi.h"
#include "live/LiveSession.h"
#include "sim/HostDriver.h"

namespace {

// Enough for a drag, a time lapse and a reset in one input, few enough to stay quick.
constexpr std::size_t kMostRequests = 48;

const std::array<std::string_view, 5> kPaths{"/api/touch", "/api/line", "/api/clock", "/api/reset",
                                             "/api/inspect"};

live::ApiRequest decodeRequest(std::string_view line) {
    live::ApiRequest request;
    const auto choice = line.empty() ? 0 : static_cast<unsigned char>(line.front());
    const std::string rest(line.empty() ? line : line.substr(1));
    request.path = kPaths[choice % kPaths.size()];
    if (request.path == "/api/inspect") {
        request.method = "GET";
        httplib::Params params;
        httplib::detail::parse_query_text(rest, params);
        request.query.insert(params.begin(), params.end());
    } else {
        request.method = "POST";
        request.body = rest;
    }
    return request;
}

std::vector<live::ApiRequest> decodeRequests(const std::uint8_t* data, std::size_t size) {
    std::vector<live::ApiRequest> requests;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty() && requests.size() < kMostRequests) {
        const auto end = rest.find('\n');
        requests.push_back(decodeRequest(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return requests;
}

std::optional<fuzzing::Violation> malformedAnswer(const live::ApiResponse& answer) {
    if (answer.mediaType != "application/json") {
        return std::nullopt;
    }
    const auto body = nlohmann::json::parse(answer.body, nullptr, false);
    if (!body.is_object()) {
        return fuzzing::Violation{"every answer a JSON object", answer.body.substr(0, 200)};
    }
    const bool explained = body.contains("error") && body["error"].is_string() &&
                           !body["error"].get<std::string>().empty();
    if (answer.status != 200 && !explained) {
        return fuzzing::Violation{"every refusal says why", answer.body.substr(0, 200)};
    }
    return std::nullopt;
}

int photosTaken(sim::HostDriver& driver) {
    return std::atoi(driver.query({sim::QueryKind::Photos, std::nullopt, {}}).c_str());
}

std::string describe(const live::ApiRequest& request) {
    std::string text = request.method + " " + request.path;
    for (const auto& [name, value] : request.query) {
        text += " " + name + "=" + value;
    }
    return text + " " + request.body;
}

[[noreturn]] void fail(const std::vector<live::ApiRequest>& requests, std::size_t broken,
                       const fuzzing::Violation& violation) {
    std::fprintf(stderr, "broken promise: %s\nseen: %s\nrequests:\n", violation.invariant.c_str(),
                 violation.detail.c_str());
    for (std::size_t i = 0; i <= broken; ++i) {
        std::fprintf(stderr, "  %s\n", describe(requests[i]).c_str());
    }
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto requests = decodeRequests(data, size);
    live::SessionSettings settings;
    settings.quiet = true;
    settings.pictureAddress = [](const std::string& name) { return "/api/picture/" + name; };
    live::LiveSession session(std::move(settings));
    live::LiveApi api(session);
    std::optional<fuzzing::InvariantChecker> checker;
    // A reset is a new phone with files of its own; the first check also starts counting the
    // shutter presses of that phone.
    const auto startChecking = [&] {
        checker.emplace(session.deviceRoot());
        auto& driver = session.driver();
        return checker->check(driver.isCameraOpen(), true, photosTaken(driver));
    };
    if (const auto violation = startChecking()) {
        fail(requests, 0, *violation);
    }
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const auto& request = requests[i];
        const auto answer = api.handle(request);
        if (const auto malformed = malformedAnswer(answer)) {
            fail(requests, i, *malformed);
        }
        auto& driver = session.driver();
        const bool mayRewritePreferences = request.path == "/api/line";
        const auto violation =
            request.path == "/api/reset" && answer.status == 200
                ? startChecking()
                : checker->check(driver.isCameraOpen(), mayRewritePreferences, photosTaken(driver));
        if (violation) {
            fail(requests, i, *violation);
        }
    }
    return 0;
}
