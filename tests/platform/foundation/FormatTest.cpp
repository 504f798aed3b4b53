#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/SystemLog.h"
#include "platform/runtime/Runtime.h"

namespace platform {
namespace {

TEST(Format, PrintsArgumentsAsNSStringFormatsDo) {
    EXPECT_EQ(format("written = %@", true), "written = YES");
    EXPECT_EQ(format("%@ Resolution not supported!", "720p"), "720p Resolution not supported!");
    EXPECT_EQ(format("tap %@ %@", CGPointMake(160, 260), CGPointMake(0.5f, 0.25f)),
              "tap {160, 260} {0.5, 0.25}");
    EXPECT_EQ(format("mode: %d, flag %d", 1, false), "mode: 1, flag 0");
    EXPECT_EQ(format("id = %f", 4.5f), "id = 4.500000");
    EXPECT_EQ(format("100%% %d%%", 7), "100% 7%");
    EXPECT_EQ(format("%@ and %@", std::string("text"), nullptr), "text and (null)");

    auto prefs = NSMutableDictionary::create();
    prefs->setObject(numberWithBool(false), "rememberSettings");
    EXPECT_EQ(format("handlePrefs: %@", prefs), "handlePrefs: {\n    rememberSettings = 0;\n}");
    EXPECT_EQ(format("handlePrefs: %@", std::shared_ptr<NSMutableDictionary>()),
              "handlePrefs: (null)");
}

TEST(Format, OddFormatsNeverCrash) {
    EXPECT_EQ(format("missing %@ and %d and %f."), "missing  and  and .");
    EXPECT_EQ(format("%d %f", "not a number", CGPointMake(1, 2)), " ");
    EXPECT_EQ(format("%x %s %", 5), "%x %s %");
    EXPECT_EQ(format("%d", 2.9), "2");
    EXPECT_EQ(format("extra", 1, 2), "extra");
}

TEST(Format, ObjectsPrintTheirClass) {
    Process process;
    auto object = std::make_shared<Object>();
    object->setObjcClass(Runtime::shared().registerClass("SettingsPanel", "NSObject"));
    const std::string text = format("panel: %@", object);
    EXPECT_EQ(text.rfind("panel: <SettingsPanel: 0x", 0), 0u) << text;
    EXPECT_EQ(format("%@", static_cast<const Object*>(nullptr)), "(null)");
}

TEST(SystemLog, KeepsLinesWithTheirVirtualTimeAndTellsSubscribers) {
    Process process;
    std::vector<std::string> printed;
    const auto token = SystemLog::shared().subscribe(
        [&](const SystemLog::Entry& e) { printed.push_back(e.line); });
    NSLog("first");
    RunLoop::main().runFor(2.5);
    NSLog(format("second %d", 2));
    SystemLog::shared().unsubscribe(token);
    NSLog("third");

    const auto& entries = SystemLog::shared().entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].time, 0);
    EXPECT_EQ(entries[1].time, 2.5);
    EXPECT_TRUE(SystemLog::shared().contains("second 2"));
    EXPECT_EQ(printed, (std::vector<std::string>{"first", "second 2"}));
    SystemLog::shared().clear();
    EXPECT_TRUE(SystemLog::shared().lines().empty());
}

}  // namespace
}  // namespace platform
