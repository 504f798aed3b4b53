#include "sim/Report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "platform/Process.h"
#include "platform/ui/UIImage.h"
#include "sim/CommandLine.h"
#include "sim/FakeDriver.h"
#include "sim/ScenarioParser.h"
#include "support/Pixels.h"
#include "support/TestFiles.h"

namespace sim {
namespace {

TEST(JsonString, QuotesEscapesAndNeverEndsAScript) {
    EXPECT_EQ(jsonString("plain"), "\"plain\"");
    EXPECT_EQ(jsonString("say \"hi\" \\ now\n"), "\"say \\\"hi\\\" \\\\ now\\n\"");
    EXPECT_EQ(jsonString("</script>"), "\"\\u003c/script\\u003e\"");
    EXPECT_EQ(jsonString(std::string("tab\t\x01", 5)), "\"tab\\u0009\\u0001\"");
    EXPECT_EQ(jsonString("caf\xC3\xA9"), "\"caf\xC3\xA9\"");
}

// A fake phone whose every screen shows the same picture twice.
class PicturedDriver : public testing::FakeDriver {
public:
    explicit PicturedDriver(std::shared_ptr<platform::UIImage> picture)
        : picture_(std::move(picture)) {}

    std::string screenPicture(const PictureLink& link) override {
        return "<svg><image href=\"" + link(*picture_) + "\"/><image href=\"" + link(*picture_) +
               "\"/></svg>";
    }

private:
    std::shared_ptr<platform::UIImage> picture_;
};

int occurrences(const std::string& text, const std::string& word) {
    int n = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        ++n;
    }
    return n;
}

// One frame per step with the step's own lines; a failed expectation marks its frame; each
// picture file is carried once however often it is shown.
TEST(ReportRecorder, EveryStepBecomesAFrameAndEachPictureRidesOnce) {
    platform::Process process;
    testsupport::TemporaryFolder folder;
    const auto file = folder.path() / "badge.png";
    std::ofstream(file, std::ios::binary) << testsupport::pngHeader(50, 50);
    PicturedDriver driver(
        std::make_shared<platform::UIImage>("/badge.png", file, platform::CGSize{50, 50}, true));
    driver.answers["photos"] = "1";

    std::ostringstream printed;
    Timeline timeline(printed, true);
    ReportRecorder recorder;
    timeline.listen(&recorder);
    const auto scenario = parseScenario("launch\nwait 2\nexpect photos 2\nshutter\n", ".");
    const RunResult result = runScenario(scenario, driver, timeline,
                                         [&](const Command& c) { recorder.stepDone(c, driver); });
    const std::string page = recorder.page("a <tour>", result);

    EXPECT_TRUE(printed.str().empty());  // quiet: the recorder still heard every line
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
    EXPECT_NE(page.find("<title>a &lt;tour&gt;</title>"), std::string::npos);
    EXPECT_EQ(occurrences(page, "\"step\":"), 4);
    EXPECT_EQ(occurrences(page, "\"failed\":true"), 1);
    EXPECT_NE(
        page.find("\"time\":\"2.000\",\"line\":3,\"step\":\"expect photos 2\",\"failed\":true"),
        std::string::npos);
    EXPECT_NE(page.find("camera opened"), std::string::npos);
    EXPECT_NE(page.find("photo taken"), std::string::npos);
    EXPECT_EQ(occurrences(page, "data:image/png;base64,"), 1);
    EXPECT_EQ(occurrences(page, "href=\\\"pic:0\\\""), 8);
    // Nothing outside the page is asked for.
    EXPECT_FALSE(std::regex_search(page, std::regex(R"((src|href)=["'](https?:|//))")));
    EXPECT_EQ(page.find("<link"), std::string::npos);
}

TEST(ReportOptions, TakeAFileAndTurnPicturesOff) {
    std::string error;
    const auto options = parseOptions({"--report=run.html", "--no-pictures"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->report, std::filesystem::path("run.html"));
    EXPECT_FALSE(options->pictures);
    EXPECT_TRUE(parseOptions({}, error)->pictures);
    EXPECT_FALSE(parseOptions({"--report"}, error));
    EXPECT_EQ(error, "--report needs a file name");
}

TEST(ReportOptions, AReportThatCannotBeWrittenFailsBeforeTheRun) {
    testsupport::TemporaryFolder folder;
    const std::string paths[] = {"/nonexistent/folder/run.html", folder.path().string()};
    for (const auto& path : paths) {
        std::ostringstream out;
        std::ostringstream err;
        bool ran = false;
        const int status = runCommandLine({"--report", path}, out, err, [&](const DriverSettings&) {
            ran = true;
            return std::make_unique<testing::FakeDriver>();
        });
        EXPECT_EQ(status, kExitScenarioError);
        EXPECT_FALSE(ran) << path;
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(err.str().find("cannot write the report \"" + path + "\": "), std::string::npos)
            << err.str();
    }
}

}  // namespace
}  // namespace sim
