#include "sim/ScenarioParser.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

#include "sim/Decimal.h"
#include "sim/LineReader.h"
#include "sim/NearestName.h"
#include "sim/RegularFile.h"
#include "sim/ScenarioError.h"
#include "sim/VisibleText.h"
#include "snapforge/startup/State.h"

namespace sim {
namespace {

constexpr std::string_view kDefaultBundleId = "com.apple.camera";
// Room for a file far beyond what the library itself reads, so that oversized preferences
// files can be tried.
constexpr std::size_t kLargestPrefsFile = std::size_t{8} << 20;
constexpr NumberRange kScreenSideRange{1, 10000};
// Expected numbers compare to the thousandth, which a double holds exactly up to here.
constexpr NumberRange kExpectedNumberRange{-1e12, 1e12};

void requireClosedCamera(const LineReader& in, const ParseState& state, std::string_view name) {
    if (state.cameraOpen) {
        in.fail("expected " + std::string(name) +
                " while the camera is closed (before launch or after close)");
    }
}

platform::CGSize screenSize(LineReader& in) {
    const std::string what =
        "a screen size WxH (for example 320x480), each side " + kScreenSideRange.describe();
    if (in.atEnd()) {
        in.expected(what);
    }
    const std::string& text = in.peek().text;
    const auto cross = text.find('x');
    const auto width = plainDecimal(std::string_view(text).substr(0, cross));
    const auto height = cross == std::string::npos
                            ? std::nullopt
                            : plainDecimal(std::string_view(text).substr(cross + 1));
    if (!width || !height || !kScreenSideRange.contains(*width) ||
        !kScreenSideRange.contains(*height)) {
        in.expected(what);
    }
    in.take();
    return {static_cast<platform::CGFloat>(*width), static_cast<platform::CGFloat>(*height)};
}

CommandBody parseDevice(LineReader& in, ParseState& state) {
    if (state.bundleId) {
        in.fail("expected device before the first launch");
    }
    if (state.deviceLine) {
        in.fail("expected one device line, already chosen on line " +
                std::to_string(*state.deviceLine));
    }
    state.deviceLine = in.line();
    cmd::Device device;
    device.model = in.word("a device model (for example iPhone4,1)").text;
    if (device.model.empty()) {
        in.fail("expected a device model (for example iPhone4,1), got an empty one");
    }
    while (!in.atEnd()) {
        const std::size_t option = in.choice({"ios", "screen", "id"});
        const bool repeated = (option == 0 && device.ios) || (option == 1 && device.screen) ||
                              (option == 2 && device.identifier);
        if (repeated) {
            in.fail("expected each of ios, screen and id at most once");
        }
        if (option == 0) {
            device.ios = in.word("a system version after ios (for example 6.1.3)").text;
        } else if (option == 1) {
            device.screen = screenSize(in);
        } else {
            device.identifier = in.word("a unique identifier after id").text;
        }
    }
    return device;
}

CommandBody parseCapability(LineReader& in, ParseState&) {
    const std::string name = in.atEnd() ? "" : in.peek().text;
    cmd::Capability capability;
    constexpr std::string_view presetPrefix = "preset:";
    if (name.starts_with(presetPrefix) && name.size() > presetPrefix.size()) {
        capability.kind = CapabilityKind::Preset;
        capability.preset = name.substr(presetPrefix.size());
    } else if (auto kind = capabilityNamed(name)) {
        capability.kind = *kind;
    } else {
        in.expected("a capability", capabilityNameList());
    }
    in.take();
    capability.on = in.choice({"on", "off"}) == 0;
    return capability;
}

PrefEntry prefEntry(const LineReader& in, const Word& word) {
    const auto equals = word.text.find('=');
    if (equals == std::string::npos || equals == 0 || word.quotedFrom <= equals) {
        in.fail("expected KEY=VALUE with a plain KEY, got " + quotedForMessage(word.text));
    }
    PrefEntry entry{word.text.substr(0, equals), false};
    const std::string value = word.text.substr(equals + 1);
    if (word.quoted()) {
        entry.value = value;
    } else if (value == "YES" || value == "NO") {
        entry.value = value == "YES";
    } else if (auto number = integerFrom<std::int64_t>(value)) {
        entry.value = *number;
    } else {
        in.fail("expected YES, NO, an integer or a \"text\" string as the value of " +
                visibleText(entry.key) + ", got " + quotedForMessage(value));
    }
    return entry;
}

CommandBody parsePrefs(LineReader& in, ParseState& state) {
    requireClosedCamera(in, state, "prefs");
    cmd::Prefs prefs;
    prefs.entries.push_back(prefEntry(in, in.word("KEY=VALUE")));
    while (!in.atEnd()) {
        prefs.entries.push_back(prefEntry(in, in.word("KEY=VALUE")));
    }
    return prefs;
}

CommandBody parsePrefsRaw(LineReader& in, ParseState& state) {
    requireClosedCamera(in, state, "prefs-raw");
    return cmd::PrefsRaw{in.word("the file's text as one \"quoted\" word").text};
}

CommandBody parsePrefsFile(LineReader& in, ParseState& state) {
    requireClosedCamera(in, state, "prefs-file");
    const std::string path = in.word("a file path").text;
    const auto resolved = state.folder / path;
    std::string error;
    auto bytes = readRegularFile(resolved, kLargestPrefsFile, error);
    if (!bytes) {
        in.fail("expected a readable regular file at " + quotedForMessage(path) + ", but " +
                quotedForMessage(resolved.string()) + " " + error);
    }
    return cmd::PrefsFile{path, std::move(*bytes)};
}

CommandBody parseLaunch(LineReader& in, ParseState& state) {
    if (state.cameraOpen) {
        in.fail("expected close before launching the camera again");
    }
    const std::string defaultId = state.bundleId.value_or(std::string(kDefaultBundleId));
    const std::string bundleId = in.atEnd() ? defaultId : in.take().text;
    if (state.bundleId && bundleId != *state.bundleId) {
        in.fail("expected the process's bundle identifier " + *state.bundleId +
                " (a scenario runs one process), got " + quotedForMessage(bundleId));
    }
    state.bundleId = bundleId;
    state.cameraOpen = true;
    return cmd::Launch{bundleId};
}

CommandBody parseClose(LineReader& in, ParseState& state) {
    if (!state.cameraOpen) {
        in.fail("expected launch before close");
    }
    state.cameraOpen = false;
    return cmd::Close{};
}

CommandBody parseHold(LineReader& in, ParseState&) {
    cmd::Hold hold;
    hold.at = in.location();
    hold.seconds = in.seconds(cmd::kLongestTouchSeconds);
    return hold;
}

CommandBody parseDrag(LineReader& in, ParseState&) {
    cmd::Drag drag;
    drag.from = in.location();
    if (in.atEnd() || in.peek().text != "to") {
        in.expected("\"to\" and the end point X Y");
    }
    in.take();
    drag.to = in.point();
    if (!in.atEnd()) {
        drag.seconds = in.seconds(cmd::kLongestTouchSeconds);
    }
    return drag;
}

CommandBody parseScroll(LineReader& in, ParseState&) {
    cmd::Scroll scroll;
    scroll.target = in.target();
    scroll.pages = in.pages();
    return scroll;
}

// A file a step writes stays inside the snapshot folder: a scenario never writes elsewhere.
std::string fileInSnapshotFolder(LineReader& in, const std::string& what) {
    const std::string file = in.word(what).text;
    const auto path = std::filesystem::path(file).lexically_normal();
    const bool leaves =
        path.is_absolute() || path.has_root_name() || (!path.empty() && *path.begin() == "..");
    if (leaves || !path.has_filename()) {
        in.fail("expected a file name inside the snapshot folder (--snapshots), got " +
                quotedForMessage(file) +
                (leaves ? ", which leads out of it" : ", which names no file"));
    }
    return file;
}

CommandBody parseSnapshot(LineReader& in, ParseState&) {
    return cmd::Snapshot{fileInSnapshotFolder(in, "a file name for the picture")};
}

CommandBody parseDump(LineReader& in, ParseState&) {
    return cmd::Dump{fileInSnapshotFolder(in, "a file name for the screen's text")};
}

// A byte-order mark is no part of a scenario's text; an editor may have put it there.
void refuseByteOrderMark(std::string_view text) {
    for (const std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
        if (text.starts_with(mark)) {
            throw ScenarioError(1, "expected plain UTF-8 text, but the file starts with a " +
                                       std::string(mark.size() == 3 ? "UTF-8" : "UTF-16") +
                                       " byte-order mark (save it without one)");
        }
    }
}

// An unquoted expected value is a number, or a list of them, where its parts are written as
// numbers: each must then be one that compares to the thousandth.
void checkExpectedNumbers(const LineReader& in, const Word& value) {
    if (value.quoted()) {
        return;
    }
    std::string_view rest = value.text;
    for (;;) {
        const auto comma = rest.find(',');
        const auto part = rest.substr(0, comma);
        if (decimalShaped(part) || namesNonFinite(part)) {
            const auto number = plainDecimal(part);
            if (!number || !kExpectedNumberRange.contains(*number)) {
                in.fail("expected numbers " + kExpectedNumberRange.describe() + " in the value" +
                        ", got " + quotedForMessage(part));
            }
        }
        if (comma == std::string_view::npos) {
            return;
        }
        rest.remove_prefix(comma + 1);
    }
}

void checkStateName(const LineReader& in, const std::string& name) {
    const auto names = snapforge::State::scalarNames();
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        in.fail("expected a name of the library's state after state., got " +
                quotedForMessage(name) + " (nearest: state." +
                std::string(nearestName(name, names)) + "; --help lists them all)");
    }
}

// A query's name and what follows it: a target or, joined to the name, a key.
Query readQuery(LineReader& in) {
    const std::string name = in.atEnd() ? "" : in.peek().text;
    const auto named = queryNamed(name);
    if (!named) {
        in.expected("a query", queryNameList());
    }
    in.take();
    Query query;
    query.kind = named->kind;
    if (named->argument == QueryArgument::Target) {
        query.target = in.target();
    } else if (named->argument == QueryArgument::Key) {
        query.key = name.substr(named->name.size());
        if (query.kind == QueryKind::State) {
            checkStateName(in, query.key);
        }
    }
    return query;
}

CommandBody parseExpect(LineReader& in, ParseState&) {
    cmd::Expect expect;
    expect.query = readQuery(in);
    const Word& value = in.word("the expected value after " + describe(expect.query));
    checkExpectedNumbers(in, value);
    expect.expected = value.text;
    return expect;
}

using CommandParser = std::function<CommandBody(LineReader&, ParseState&)>;

const std::vector<std::pair<std::string_view, CommandParser>>& commandParsers() {
    static const std::vector<std::pair<std::string_view, CommandParser>> parsers{
        {"device", parseDevice},
        {"capability", parseCapability},
        {"prefs", parsePrefs},
        {"prefs-raw", parsePrefsRaw},
        {"prefs-file", parsePrefsFile},
        {"launch", parseLaunch},
        {"close", parseClose},
        {"background", [](auto&, auto&) -> CommandBody { return cmd::Background{}; }},
        {"foreground", [](auto&, auto&) -> CommandBody { return cmd::Foreground{}; }},
        {"tap", [](LineReader& in, auto&) -> CommandBody { return cmd::Tap{in.location()}; }},
        {"hold", parseHold},
        {"drag", parseDrag},
        {"scroll", parseScroll},
        {"shutter", [](auto&, auto&) -> CommandBody { return cmd::Shutter{}; }},
        {"wait",
         [](LineReader& in, auto&) -> CommandBody {
             return cmd::Wait{in.seconds(cmd::Wait::kLongestSeconds)};
         }},
        {"rotate",
         [](LineReader& in, auto&) -> CommandBody {
             return cmd::Rotate{static_cast<int>(in.choice({"1", "2", "3", "4"})) + 1};
         }},
        {"mode",
         [](LineReader& in, auto&) -> CommandBody {
             return cmd::Mode{in.choice({"photo", "video"}) == 0 ? CameraMode::Photo
                                                                 : CameraMode::Video};
         }},
        {"panorama",
         [](LineReader& in, auto&) -> CommandBody {
             return cmd::Panorama{in.choice({"on", "off"}) == 0};
         }},
        {"snapshot", parseSnapshot},
        {"dump", parseDump},
        {"expect", parseExpect},
    };
    return parsers;
}

CommandBody parseCommand(LineReader& in, ParseState& state) {
    const std::string name = in.peek().text;
    for (const auto& [candidate, parser] : commandParsers()) {
        if (candidate == name) {
            in.take();
            CommandBody body = parser(in, state);
            in.finish();
            return body;
        }
    }
    std::string names;
    for (const auto& [candidate, parser] : commandParsers()) {
        names += (names.empty() ? "" : ", ") + std::string(candidate);
    }
    in.expected("a command", names);
}

}  // namespace

std::optional<Command> parseLine(std::string_view line, int lineNumber, ParseState& state) {
    auto words = splitWords(line, lineNumber);
    if (words.empty()) {
        return std::nullopt;
    }
    LineReader in(std::move(words), lineNumber);
    return Command{lineNumber, parseCommand(in, state)};
}

std::optional<Query> parseQuery(std::string_view line, int lineNumber) {
    auto words = splitWords(line, lineNumber);
    if (words.empty() || !queryNamed(words.front().text)) {
        return std::nullopt;
    }
    LineReader in(std::move(words), lineNumber);
    Query query = readQuery(in);
    in.finish();
    return query;
}

Scenario parseScenario(std::string_view text, const std::filesystem::path& folder) {
    refuseByteOrderMark(text);
    Scenario scenario;
    ParseState state;
    state.folder = folder;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (auto command = parseLine(line, ++lineNumber, state)) {
            scenario.commands.push_back(std::move(*command));
        }
    }
    return scenario;
}

}  // namespace sim
