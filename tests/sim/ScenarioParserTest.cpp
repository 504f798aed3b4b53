#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/ScenarioError.h"
#include "sim/ScenarioParser.h"

namespace sim {
namespace {

const std::filesystem::path kScenarioFolder = SNAPFORGE_SOURCE_DIR "/tests/scenarios";

Scenario parse(std::string_view text) {
    return parseScenario(text, kScenarioFolder);
}

CommandBody parseLine(std::string_view line) {
    const auto scenario = parse(line);
    EXPECT_EQ(scenario.commands.size(), 1u) << line;
    return scenario.commands.at(0).body;
}

// The error a scenario raises, "" when it parses.
std::string errorOf(std::string_view text) {
    try {
        parse(text);
    } catch (const ScenarioError& error) {
        return error.what();
    }
    return "";
}

TEST(ScenarioParserTest, ReadsCommandsWithTheirLineNumbersSkippingCommentsAndBlanks) {
    const auto scenario = parse(
        "# a user takes a photo\n"
        "\n"
        "device iPhone3,1 screen 320x480 id \"ab cd\" ios 7.0   # options in any order\n"
        "launch\n"
        "\ttap   settings-button\r\n"
        "drag 10 20.5 to 30 -40\n"
        "expect visible stop-button YES\n");
    ASSERT_EQ(scenario.commands.size(), 5u);
    EXPECT_EQ(scenario.commands[0].line, 3);
    EXPECT_EQ(
        scenario.commands[0].body,
        CommandBody(cmd::Device{"iPhone3,1", "7.0", platform::CGSizeMake(320, 480), "ab cd"}));
    EXPECT_EQ(scenario.commands[1], (Command{4, cmd::Launch{"com.apple.camera"}}));
    EXPECT_EQ(scenario.commands[2], (Command{5, cmd::Tap{Target::SettingsButton}}));
    cmd::Drag drag;
    drag.from = platform::CGPointMake(10, 20.5);
    drag.to = platform::CGPointMake(30, -40);
    EXPECT_EQ(scenario.commands[3], (Command{6, drag}));
    cmd::Expect expect{{QueryKind::Visible, Target::StopButton, ""}, "YES"};
    EXPECT_EQ(scenario.commands[4], (Command{7, expect}));
}

TEST(ScenarioParserTest, QuotedWordsKeepSpacesHashesAndEscapes) {
    EXPECT_EQ(parseLine(R"(prefs-raw "a \"b\" # c\\d\ne")"),
              CommandBody(cmd::PrefsRaw{"a \"b\" # c\\d\ne"}));
    EXPECT_EQ(parseLine(R"(expect message "")"),
              CommandBody(cmd::Expect{{QueryKind::Message, {}, ""}, ""}));
}

TEST(ScenarioParserTest, PrefsValuesKeepTheirTypes) {
    const auto body = parseLine(R"(prefs On=YES Off=NO Count=-12 Name="12" Label="two words")");
    const std::vector<PrefEntry> expected{{"On", true},
                                          {"Off", false},
                                          {"Count", std::int64_t{-12}},
                                          {"Name", std::string("12")},
                                          {"Label", std::string("two words")}};
    EXPECT_EQ(std::get<cmd::Prefs>(body).entries, expected);
}

TEST(ScenarioParserTest, QueriesTakeTheirTargetOrKeyAndTheLastWordIsTheValue) {
    EXPECT_EQ(parseLine("expect frame dial.set 1,2,3,4"),
              CommandBody(cmd::Expect{{QueryKind::Frame, Target::DialSet, ""}, "1,2,3,4"}));
    EXPECT_EQ(parseLine("expect pref.TimerSeconds missing"),
              CommandBody(cmd::Expect{{QueryKind::Pref, {}, "TimerSeconds"}, "missing"}));
    EXPECT_EQ(parseLine("expect state._timerTime 5"),
              CommandBody(cmd::Expect{{QueryKind::State, {}, "_timerTime"}, "5"}));
    EXPECT_EQ(parseLine("expect bar.mode 2"),
              CommandBody(cmd::Expect{{QueryKind::BarMode, {}, ""}, "2"}));
}

TEST(ScenarioParserTest, PrefsFileIsReadRelativeToTheScenarioFolder) {
    const auto body = std::get<cmd::PrefsFile>(parseLine("prefs-file files/timer-prefs.plist"));
    EXPECT_EQ(body.path, "files/timer-prefs.plist");
    EXPECT_NE(body.bytes.find("<key>TimerSeconds</key>"), std::string::npos);
}

TEST(ScenarioParserTest, LaterLaunchesReopenTheSameProcess) {
    const auto scenario = parse("launch com.example.other\nclose\nlaunch\n");
    EXPECT_EQ(std::get<cmd::Launch>(scenario.commands[2].body).bundleId, "com.example.other");
}

TEST(ScenarioParserTest, EveryDescribedCommandParsesBackToItself) {
    const std::vector<std::string> lines{
        "device iPhone4,1 ios 6.1.3 screen 320x480 id \"\"",
        "capability preset:AVCaptureSessionPreset1920x1080 off",
        "capability lock-config on",
        "prefs A=YES B=7 C=\"x \\\"y\\\"\\n\"",
        "prefs-raw \"<plist>\\n\"",
        "launch com.apple.camera",
        "background",
        "foreground",
        "tap 12.25 -3",
        "hold focus-reticle 1.5",
        "drag bar.fps to 100 200 0.75",
        "scroll bar.normal -2",
        "shutter",
        "wait 86400",
        "rotate 3",
        "mode video",
        "panorama on",
        "snapshot \"shot one.svg\"",
        "dump \"screen one.txt\"",
        "expect rotation wb-lock 90",
        "close",
    };
    std::string text;
    for (const auto& line : lines) {
        text += line + "\n";
    }
    const auto scenario = parse(text);
    std::string described;
    for (const auto& command : scenario.commands) {
        EXPECT_EQ(describe(command.body), lines[command.line - 1]);
        described += describe(command.body) + "\n";
    }
    EXPECT_EQ(parse(described).commands, scenario.commands);
}

struct BadLine {
    std::string scenario;
    std::string error;  // the whole message or a telling part of it
};

TEST(ScenarioParserTest, EachBadLineNamesItsNumberAndWhatWasExpected) {
    const std::vector<BadLine> cases{
        {"launch\ntapp shutter", "line 2: expected a command, got \"tapp\" (one of: device,"},
        {"launch\n\ntap settings-buton",
         "line 3: expected a target or X Y, got \"settings-buton\""},
        {"expect visibel shutter YES", "line 1: expected a query, got \"visibel\""},
        {"expect visible stop YES", "line 1: expected a target, got \"stop\""},
        {"expect visible stop-button",
         "expected the expected value after visible stop-button, got end of line"},
        {"expect photos 1 2", "line 1: expected end of line, got \"2\""},
        {"expect pref. x", "expected a query, got \"pref.\""},
        {"prefs-raw \"abc", "line 1: expected a closing quote before the end of the line"},
        {"prefs-raw \"abc\\", "line 1: expected a closing quote"},
        {"prefs-raw \"a\\tb\"",
         "line 1: expected \\\", \\\\ or \\n after a backslash in a string, got \\t"},
        {"tap 10", "expected a Y coordinate from -10000 to 10000, got end of line"},
        {"hold shutter", "expected a duration in seconds from 0 to 60, got end of line"},
        {"wait -1", "expected a duration in seconds from 0 to 1000000000, got \"-1\""},
        {"wait 1e3", "got \"1e3\""},
        {"wait nan", "got \"nan\""},
        {"drag shutter 10 20", "expected \"to\" and the end point X Y, got \"10\""},
        {"scroll bar.normal 1.5",
         "expected a number of pages (a whole number) from -100 to 100, got \"1.5\""},
        {"rotate 5", "expected 1, 2, 3 or 4, got \"5\""},
        {"mode panorama", "expected photo or video, got \"panorama\""},
        {"capability focus on", "expected a capability, got \"focus\""},
        {"capability preset: on", "expected a capability, got \"preset:\""},
        {"capability wb-locked maybe", "expected on or off, got \"maybe\""},
        {"device iPhone4,1 screen 320",
         "expected a screen size WxH (for example 320x480), each side from 1 to 10000, got "
         "\"320\""},
        {"device iPhone4,1 ios 6 ios 7", "expected each of ios, screen and id at most once"},
        {"device iPhone4,1 color red", "expected ios, screen or id, got \"color\""},
        {"launch\nclose\ndevice iPhone4,1", "line 3: expected device before the first launch"},
        {"launch\nprefs A=1", "line 2: expected prefs while the camera is closed"},
        {"prefs A", "expected KEY=VALUE with a plain KEY, got \"A\""},
        {"prefs =1", "expected KEY=VALUE with a plain KEY"},
        {"prefs \"A=B\"=1", "expected KEY=VALUE with a plain KEY"},
        {"prefs A=maybe", "expected YES, NO, an integer or a \"text\" string as the value of A"},
        {"prefs A=1.5", "as the value of A, got \"1.5\""},
        {"prefs-file files/none.plist",
         "line 1: expected a readable regular file at \"files/none.plist\", but \""},
        // The folder's whole path is shortened when the checkout's path is long.
        {"prefs-file files", " is a folder, not a file"},
        {"launch\nlaunch", "line 2: expected close before launching the camera again"},
        {"close", "line 1: expected launch before close"},
        {"launch a.b\nclose\nlaunch c.d", "line 3: expected the process's bundle identifier a.b"},
        {"shutter now", "expected end of line, got \"now\""},
    };
    for (const auto& bad : cases) {
        EXPECT_NE(errorOf(bad.scenario).find(bad.error), std::string::npos)
            << bad.scenario << "\n  gave: " << errorOf(bad.scenario);
    }
}

TEST(ScenarioParserTest, NumbersOutsideTheirCommandsRangeNameTheWordAndTheRange) {
    const std::string huge = "1" + std::string(309, '0');
    EXPECT_NE(errorOf("expect photos " + huge).find("got \"1000"), std::string::npos);
    EXPECT_NE(errorOf("expect photos " + huge).find("(310 bytes)"), std::string::npos);
    EXPECT_NE(errorOf("wait " + huge).find("from 0 to 1000000000"), std::string::npos);
    EXPECT_NE(errorOf("drag 1 1 to 2 2 60.001").find("from 0 to 60, got \"60.001\""),
              std::string::npos);
    EXPECT_NE(errorOf("tap -inf 3").find("an X coordinate from -10000 to 10000, got \"-inf\""),
              std::string::npos);
    EXPECT_NE(errorOf("tap 3 10000.5").find("a Y coordinate from -10000 to 10000"),
              std::string::npos);
    EXPECT_NE(errorOf("device iPhone4,1 screen 0x480").find("each side from 1 to 10000"),
              std::string::npos);

    // At the edges of their ranges, and where text only looks like a number, lines still parse.
    EXPECT_EQ(parseLine("hold 1 1 60"), CommandBody(cmd::Hold{platform::CGPointMake(1, 1), 60}));
    EXPECT_EQ(parseLine("wait 1000000000"), CommandBody(cmd::Wait{1e9}));
    EXPECT_EQ(errorOf("expect session.preset 1920x1080"), "");
    EXPECT_EQ(errorOf("expect state.iSeconds \"nan\""), "");
    EXPECT_EQ(errorOf("expect frame shutter -1000000000000,0,1,1"), "");
}

TEST(ScenarioParserTest, OneNamedDeviceBeforeLaunchAndOnlyKnownStateNames) {
    EXPECT_EQ(errorOf("device \"\""),
              "line 1: expected a device model (for example iPhone4,1), got an empty one");
    EXPECT_EQ(errorOf("device iPhone4,1\n# again\ndevice iPhone4,1"),
              "line 3: expected one device line, already chosen on line 1");
    // An unknown model is how a phone not in the table is simulated.
    EXPECT_EQ(parseLine("device Watch9,9"), CommandBody(cmd::Device{"Watch9,9", {}, {}, {}}));

    EXPECT_EQ(errorOf("expect state._timerTime 5"), "");
    EXPECT_EQ(errorOf("expect state.usedvancedcamera YES"),
              "line 1: expected a name of the library's state after state., got "
              "\"usedvancedcamera\" (nearest: state.UseAdvancedCamera; --help lists them all)");
}

TEST(ScenarioParserTest, MessagesShowInvisibleBytesEscaped) {
    EXPECT_NE(errorOf("launch\n\xEF\xBB\xBF"
                      "close")
                  .find("got \"\\xef\\xbb\\xbfclose\""),
              std::string::npos);
    EXPECT_EQ(errorOf("\xFF\xFEl\0a\0"),
              "line 1: expected plain UTF-8 text, but the file starts with a UTF-16 byte-order "
              "mark (save it without one)");
    EXPECT_NE(errorOf(std::string("tap shut\0ter", 12)).find("got \"shut\\x00ter\""),
              std::string::npos);
    EXPECT_NE(errorOf("shutter\ttap\x1b[1m").find("got \"tap\\x1b[1m\""), std::string::npos);
}

TEST(ScenarioParserTest, ErrorsCarryTheLineNumberAndStopAtTheFirstBadLine) {
    try {
        parse("launch\n# fine\nwait x\nwait y\n");
        FAIL() << "parsed";
    } catch (const ScenarioError& error) {
        EXPECT_EQ(error.line(), 3);
    }
}

}  // namespace
}  // namespace sim
