#include "live/LiveService.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "live/TokenFile.h"
#include "support/TestFiles.h"

namespace live {
namespace {

constexpr const char* kToken = "0123456789abcdef0123456789abcdef";

// The live camera served on a free port of 127.0.0.1 for the length of a test.
class Served {
public:
    Served() : service_(0, settings(folder_.path()), kToken), thread_([this] { service_.run(); }) {}
    ~Served() {
        service_.stop();
        thread_.join();
    }

    int port() const { return service_.port(); }
    std::string host() const { return "127.0.0.1:" + std::to_string(port()); }

    httplib::Client client() const {
        httplib::Client client("127.0.0.1", port());
        client.set_read_timeout(std::chrono::seconds(5));
        return client;
    }

private:
    static SessionSettings settings(const std::filesystem::path& folder) {
        SessionSettings settings;
        settings.driver.snapshotFolder = folder;
        return settings;
    }

    testsupport::TemporaryFolder folder_;
    LiveService service_;
    std::thread thread_;
};

void refusedWith(const httplib::Result& result, int status, const std::string& why) {
    ASSERT_TRUE(result) << httplib::to_string(result.error()) << " (expecting " << why << ")";
    EXPECT_EQ(result->status, status) << result->body;
    EXPECT_NE(result->body.find(why), std::string::npos) << result->body;
}

// Each refusal at the door, as a client gets it: a status and the reason in the body.
TEST(LiveServer, TheDoorRefusesWithAReason) {
    Served served;
    auto client = served.client();
    const httplib::Headers token{{"X-Snapforge-Token", kToken}};
    const std::string line = R"({"line":"photos"})";

    refusedWith(
        client.Get("/api/state", {{"Host", "rebound.example:" + std::to_string(served.port())},
                                  {"X-Snapforge-Token", kToken}}),
        403, "the Host header must be 127.0.0.1:");
    refusedWith(client.Get("/", {{"Host", "attacker.example"}}), 403, "Host");
    refusedWith(client.Get("/api/state"), 403, "needs the session token");
    refusedWith(client.Get("/api/state", {{"X-Snapforge-Token", "guess"}}), 403,
                "not this session's token");
    refusedWith(client.Post("/api/line",
                            {{"X-Snapforge-Token", kToken}, {"Origin", "http://attacker.example"}},
                            line, "application/json"),
                403, "from another origin");
    refusedWith(client.Post("/api/line", token, std::string(70 * 1024, ' '), "application/json"),
                413, "at most 65536 bytes");
    refusedWith(client.Get("/etc/passwd"), 404, "serves its page and its API only");
    refusedWith(client.Get("/live.js/../../etc/passwd"), 404, "its page and its API only");

    // A body sent in chunks, whose size nobody announced, is held to the same size.
    const auto inChunks = [&](std::string body) {
        auto chunked = served.client();
        return chunked.Post(
            "/api/line", token,
            [body](std::size_t, httplib::DataSink& sink) {
                for (std::size_t at = 0; at < body.size(); at += 16 * 1024) {
                    sink.write(body.data() + at,
                               std::min<std::size_t>(16 * 1024, body.size() - at));
                }
                sink.done();
                return true;
            },
            "application/json");
    };
    refusedWith(inChunks(std::string(80 * 1024, ' ')), 413, "at most 65536 bytes");
    const auto smallInChunks = inChunks(line);
    ASSERT_TRUE(smallInChunks);
    EXPECT_EQ(smallInChunks->status, 200) << smallInChunks->body;

    const auto page = client.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200) << "the page itself needs no token: it carries none";
    EXPECT_NE(page->get_header_value("Content-Security-Policy").find("default-src 'self'"),
              std::string::npos);
    const auto ownOrigin =
        client.Post("/api/line",
                    {{"X-Snapforge-Token", kToken},
                     {"Origin", "http://localhost:" + std::to_string(served.port())}},
                    line, "application/json");
    ASSERT_TRUE(ownOrigin);
    EXPECT_EQ(ownOrigin->status, 200) << ownOrigin->body;
    const auto asQuery = client.Get("/api/scenario?token=" + std::string(kToken));
    ASSERT_TRUE(asQuery);
    EXPECT_EQ(asQuery->status, 200) << "a browser's event stream carries the token this way";
}

// Collects an event stream on a thread of its own and lets a test wait for what it expects.
class EventReader {
public:
    explicit EventReader(const Served& served) : client_(served.client()) {
        thread_ = std::thread([this] {
            client_.Get("/api/events?token=" + std::string(kToken),
                        [this](const char* data, std::size_t length) {
                            const std::lock_guard lock(mutex_);
                            text_.append(data, length);
                            arrived_.notify_all();
                            return true;
                        });
        });
    }
    ~EventReader() {
        client_.stop();
        thread_.join();
    }

    // Waits until `count` events of this name have come.
    bool waitFor(const std::string& name, int count) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(5),
                                 [&] { return countOf("event: " + name + "\n") >= count; });
    }

private:
    int countOf(const std::string& what) const {
        int count = 0;
        for (auto at = text_.find(what); at != std::string::npos; at = text_.find(what, at + 1)) {
            ++count;
        }
        return count;
    }

    httplib::Client client_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::string text_;
    std::thread thread_;
};

// A reader of the event stream gets the screen as it is, then a frame and timeline lines when a
// touch changes it.
TEST(LiveServer, AReaderHearsWhatATouchChanged) {
    Served served;
    EventReader events(served);
    ASSERT_TRUE(events.waitFor("hello", 1)) << "which server this is, first";
    ASSERT_TRUE(events.waitFor("frame", 1));
    ASSERT_TRUE(events.waitFor("timeline", 1)) << "the launch's lines";
    auto client = served.client();
    const httplib::Headers token{{"X-Snapforge-Token", kToken}};
    ASSERT_TRUE(client.Post("/api/clock", token, R"({"speed":0})", "application/json"));
    for (const char* phase : {"down", "up"}) {
        const auto touched = client.Post(
            "/api/touch", token, std::string(R"({"phase":")") + phase + R"(","x":200,"y":300})",
            "application/json");
        ASSERT_TRUE(touched);
        EXPECT_EQ(touched->status, 200) << touched->body;
    }
    EXPECT_TRUE(events.waitFor("frame", 2)) << "the reticles moved";
    EXPECT_TRUE(events.waitFor("timeline", 2));
}

// A token kept in a file survives a restart; a file holding anything else is named, not used.
TEST(LiveServer, TheKeptTokenIsTheSameAfterARestart) {
    testsupport::TemporaryFolder folder;
    const auto file = folder.path() / "live-token";
    const std::string token = keptToken(file);
    EXPECT_EQ(token.size(), 32u);
    EXPECT_EQ(keptToken(file), token);
    EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    std::ofstream(file) << "not a token\n";
    try {
        keptToken(file);
        ADD_FAILURE() << "a file without a token was taken";
    } catch (const std::runtime_error& refused) {
        EXPECT_NE(std::string(refused.what()).find(file.string()), std::string::npos);
        EXPECT_NE(std::string(refused.what()).find("32 hexadecimal digits"), std::string::npos);
    }
}

}  // namespace
}  // namespace live
