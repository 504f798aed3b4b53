// The live camera's server against clients that send nonsense, send too much, stop halfway,
// never read or come all at once: each gets a status and a reason, and the phone goes on.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include "live/LiveServer.h"
#include "live/PhoneThread.h"
#include "live/Publisher.h"

namespace {

using nlohmann::json;
using namespace std::chrono_literals;

const std::string kToken = "0123456789abcdef0123456789abcdef";

// A connection that says exactly the bytes it is given, for requests no well-behaved client
// would send.
class RawConnection {
public:
    explicit RawConnection(int port) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        // Small, so that a reader that never reads is soon a full pipe.
        const int smallest = 1;
        ::setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &smallest, sizeof smallest);
    }
    ~RawConnection() { ::close(socket_); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool connected() const { return connected_; }
    void say(const std::string& bytes) {
        ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }
    void stopSaying() { ::shutdown(socket_, SHUT_WR); }
    // Everything the server says until it closes the connection.
    std::string hearAll() {
        std::string heard;
        std::array<char, 4096> buffer{};
        for (ssize_t n; (n = ::recv(socket_, buffer.data(), buffer.size(), 0)) > 0;) {
            heard.append(buffer.data(), static_cast<std::size_t>(n));
        }
        return heard;
    }

private:
    int socket_;
    bool connected_ = false;
};

class HostileClients : public ::testing::Test {
protected:
    void SetUp() override {
        live::SessionSettings settings;
        settings.quiet = true;
        settings.pictureAddress = [](const std::string& name) { return "/api/picture/" + name; };
        phone_.emplace(std::move(settings), publisher_);
        server_.emplace(publisher_, kToken, [this](live::ApiRequest request) {
            return phone_->call(std::move(request));
        });
        std::string error;
        ASSERT_TRUE(server_->bind(0, error)) << error;
        serving_ = std::thread([this] { server_->run(); });
    }

    void TearDown() override {
        publisher_.close();
        server_->stop();
        serving_.join();
        phone_.reset();
    }

    int port() const { return server_->port(); }
    httplib::Client client() const {
        httplib::Client client("127.0.0.1", port());
        client.set_default_headers({{"X-Snapforge-Token", kToken}});
        client.set_read_timeout(30, 0);
        return client;
    }
    std::string request(const std::string& method, const std::string& path,
                        const std::string& body = "") const {
        return method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port()) +
               "\r\nX-Snapforge-Token: " + kToken +
               "\r\nContent-Type: application/json\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n\r\n" + body;
    }

    // The status of a request, after checking that its answer is JSON and, when it refuses,
    // says why.
    int post(const std::string& path, const std::string& body) {
        return checked(client().Post(path, body, "application/json"),
                       path + " " + body.substr(0, 80));
    }
    int get(const std::string& path) { return checked(client().Get(path), path); }

    static int checked(const httplib::Result& result, const std::string& what) {
        if (!result) {
            ADD_FAILURE() << what << ": no answer (" << httplib::to_string(result.error()) << ")";
            return 0;
        }
        const json answer = json::parse(result->body, nullptr, false);
        EXPECT_TRUE(answer.is_object()) << what << " was answered " << result->body;
        if (answer.is_object() && result->status != 200) {
            EXPECT_EQ(answer.value("ok", true), false) << what;
            EXPECT_FALSE(answer.value("error", "").empty()) << what << " refused without a reason";
        }
        return result->status;
    }

    // The screen of the first frame event a new reader gets.
    std::string firstFrame() const {
        std::string events;
        client().Get("/api/events", [&](const char* data, std::size_t size) {
            events.append(data, size);
            return events.find("\n\n", events.find("event: frame")) == std::string::npos;
        });
        const auto data = events.find("data: ", events.find("event: frame"));
        if (data == std::string::npos) {
            return "";
        }
        const auto end = events.find("\n\n", data);
        return json::parse(events.substr(data + 6, end - data - 6)).at("svg").get<std::string>();
    }

    void expectThePhoneGoesOn() {
        const auto state = client().Get("/api/state");
        ASSERT_TRUE(state);
        EXPECT_EQ(state->status, 200);
        EXPECT_FALSE(json::parse(state->body).at("fingerDown").get<bool>());
        EXPECT_EQ(post("/api/touch", R"({"phase":"down","x":200,"y":300})"), 200);
        EXPECT_EQ(post("/api/touch", R"({"phase":"up","x":200,"y":300})"), 200);
    }

    live::Publisher publisher_;
    std::optional<live::PhoneThread> phone_;
    std::optional<live::LiveServer> server_;
    std::thread serving_;
};

TEST_F(HostileClients, NonsenseGetsAStatusAndAReasonAndThePhoneGoesOn) {
    const std::string deep(20000, '[');
    const struct {
        std::string path;
        std::string body;
        int status;
    } cases[] = {
        {"/api/touch", "{", 400},
        {"/api/touch", "", 400},
        {"/api/touch", "[1,2]", 400},
        {"/api/touch", "\"down\"", 400},
        {"/api/touch", deep, 400},
        {"/api/touch", R"({"a":)" + deep + std::string(20000, ']') + "}", 400},
        {"/api/touch", R"({"phase":"down","x":"10","y":5})", 400},
        {"/api/touch", R"({"phase":7,"x":10,"y":5})", 400},
        {"/api/touch", R"({"phase":"press","x":10,"y":5})", 400},
        {"/api/touch", R"({"phase":"down","x":1e309,"y":5})", 400},
        {"/api/touch", R"({"phase":"down","x":NaN,"y":5})", 400},
        {"/api/touch", R"({"phase":"down","x":-1e12,"y":5})", 400},
        {"/api/touch", R"({"phase":"down","x":10,"y":123456789})", 400},
        {"/api/touch", R"({"phase":"down","x":10})", 400},
        {"/api/touch", R"({"phase":"move","x":10,"y":5})", 409},
        {"/api/touch", R"({"phase":"up","x":10,"y":5})", 409},
        {"/api/line", R"({"line":5})", 400},
        {"/api/line", "{\"line\":\"\xff\xfe\"}", 400},
        {"/api/line", R"({"line":"tap\nlaunch"})", 400},
        {"/api/clock", R"({"speed":1e309})", 400},
        {"/api/clock", R"({"speed":"60"})", 400},
        {"/api/clock", R"({"speed":-1})", 400},
        {"/api/reset", R"({"device":3})", 400},
        {"/api/reset", "null", 400},
        {"/api/nothing", "{}", 404},
    };
    for (const auto& bad : cases) {
        EXPECT_EQ(post(bad.path, bad.body), bad.status)
            << bad.path << " " << bad.body.substr(0, 60);
    }
    for (const std::string query : {"", "?x=1", "?x=abc&y=1", "?x=1e309&y=1", "?x=nan&y=1",
                                    "?x=1&y=-inf", "?x=99999999&y=1", "?x=1%00&y=1"}) {
        EXPECT_EQ(get("/api/inspect" + query), 400) << query;
    }
    EXPECT_EQ(get("/api/picture/../../etc/passwd"), 404);

    // A second finger is refused and the first one still counts.
    EXPECT_EQ(post("/api/touch", R"({"phase":"down","x":100,"y":100})"), 200);
    EXPECT_EQ(post("/api/touch", R"({"phase":"down","x":120,"y":100})"), 409);
    EXPECT_EQ(post("/api/line", R"({"line":"wait 1"})"), 409);
    EXPECT_EQ(post("/api/touch", R"({"phase":"move","x":-5000,"y":9000})"), 200);
    EXPECT_EQ(post("/api/touch", R"({"phase":"up","x":100,"y":100})"), 200);
    expectThePhoneGoesOn();
}

TEST_F(HostileClients, TooMuchOrTooLittleIsRefusedAndTheConnectionFreed) {
    const std::string megabyte = R"({"line":")" + std::string(1 << 20, 'a') + R"("})";
    EXPECT_EQ(post("/api/line", megabyte), 413);

    // A body shorter than it said, then silence: the server stops waiting and says so.
    RawConnection truncated(port());
    ASSERT_TRUE(truncated.connected());
    const std::string whole = request("POST", "/api/touch", R"({"phase":"down","x":1,"y":1})");
    truncated.say(whole.substr(0, whole.size() - 10));
    const std::string answer = truncated.hearAll();
    EXPECT_TRUE(answer.starts_with("HTTP/1.1 400")) << answer;
    EXPECT_NE(answer.find("\"error\""), std::string::npos) << answer;

    // Headers cut short by a client that stops sending, and one that says nothing at all: the
    // server hangs up.
    RawConnection endless(port());
    endless.say("GET /api/state HTTP/1.1\r\nHost: 127.0.0.1\r\nX-");
    endless.stopSaying();
    endless.hearAll();
    RawConnection{port()};
    expectThePhoneGoesOn();
}

TEST_F(HostileClients, EventStreamsAreFewAndAReaderThatGoesAwayFreesItsPlace) {
    // One opens the stream and never reads, while frames keep coming.
    RawConnection sleeper(port());
    sleeper.say(request("GET", "/api/events"));
    EXPECT_EQ(post("/api/clock", R"({"speed":60})"), 200);

    // One reads the first events and hangs up.
    std::string firstEvents;
    const auto hungUp = client().Get("/api/events", [&](const char* data, std::size_t size) {
        firstEvents.append(data, size);
        return firstEvents.find("event: frame") == std::string::npos;
    });
    EXPECT_FALSE(hungUp);
    EXPECT_NE(firstEvents.find("event: frame"), std::string::npos) << firstEvents;

    // A hundred come at once and stay until all have been answered.
    constexpr int kClients = 100;
    std::atomic<int> answered = 0;
    std::atomic<int> streaming = 0;
    std::atomic<int> refusedWithReason = 0;
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.emplace_back([&] {
            int status = 0;
            std::string body;
            bool counted = false;
            client().Get(
                "/api/events", httplib::Headers{},
                [&](const httplib::Response& response) {
                    status = response.status;
                    return true;
                },
                [&](const char* data, std::size_t size) {
                    body.append(data, size);
                    if (!counted && status == 200) {
                        counted = true;
                        ++streaming;
                        ++answered;
                    }
                    while (status == 200 && answered < kClients) {
                        std::this_thread::sleep_for(10ms);
                    }
                    return status != 200;
                });
            if (status == 503 &&
                json::parse(body).value("error", "").find("at most") != std::string::npos) {
                ++refusedWithReason;
                ++answered;
            }
        });
    }
    for (auto deadline = std::chrono::steady_clock::now() + 60s;
         answered < kClients && std::chrono::steady_clock::now() < deadline;) {
        std::this_thread::sleep_for(50ms);
    }
    // The API is still served while the streams are full.
    EXPECT_EQ(get("/api/state"), 200);
    const int finallyAnswered = answered;
    answered = kClients;
    for (auto& thread : clients) {
        thread.join();
    }
    EXPECT_EQ(finallyAnswered, kClients);
    EXPECT_GE(streaming, 1);
    EXPECT_LE(streaming, live::LiveServer::kMostEventStreams);
    EXPECT_EQ(streaming + refusedWithReason, kClients);
    expectThePhoneGoesOn();
}

TEST_F(HostileClients, ASecondTabSeesTheSameScreen) {
    EXPECT_EQ(post("/api/clock", R"({"speed":0})"), 200);
    EXPECT_EQ(post("/api/line", R"({"line":"tap settings-button"})"), 200);
    EXPECT_EQ(post("/api/line", R"({"line":"wait 1"})"), 200);
    // The clock stands still; the frame a moment ago owed has gone out.
    std::this_thread::sleep_for(100ms);
    const auto screen = client().Get("/api/screen.svg");
    ASSERT_TRUE(screen);
    const std::string first = firstFrame();
    EXPECT_EQ(first, screen->body);
    EXPECT_EQ(firstFrame(), first);
}

// What the process holds in memory now, in KB.
long residentKb() {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages >> pages;
    return pages * (sysconf(_SC_PAGESIZE) / 1024);
}

// Ten thousand touches a second for ten seconds: each is taken or shed with 429 and the reason,
// memory stays where it was and the phone goes on.
TEST_F(HostileClients, TenThousandTouchesASecondAreTakenOrShedWithAReason) {
    ASSERT_EQ(post("/api/touch", R"({"phase":"down","x":100,"y":400})"), 200);
    constexpr int kFlooders = 6;
    constexpr auto kFlood = 10s;
    const auto kGap = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(kFlooders / 10000.0));
    std::atomic<int> taken = 0;
    std::atomic<int> shed = 0;
    std::atomic<int> wrong = 0;
    [[maybe_unused]] const long memoryBefore = residentKb();
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> flooders;
    for (int t = 0; t < kFlooders; ++t) {
        flooders.emplace_back([&, t] {
            auto flooder = client();
            flooder.set_keep_alive(true);
            flooder.set_tcp_nodelay(true);
            // Paced to the flood's rate, and never past its ten seconds if slower.
            auto due = start;
            for (int i = 0; std::chrono::steady_clock::now() < start + kFlood; ++i, due += kGap) {
                std::this_thread::sleep_until(due);
                const std::string body = R"({"phase":"move","x":)" + std::to_string(100 + t) +
                                         R"(,"y":)" + std::to_string(400 - i % 300) + "}";
                const auto result = flooder.Post("/api/touch", body, "application/json");
                if (result && result->status == 200) {
                    ++taken;
                } else if (result && result->status == 429 &&
                           result->body.find("touches a second") != std::string::npos) {
                    ++shed;
                } else if (wrong++ == 0) {
                    ADD_FAILURE() << (result ? result->body : httplib::to_string(result.error()));
                }
            }
        });
    }
    for (auto& flooder : flooders) {
        flooder.join();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(taken, 0);
    RecordProperty("touchesSentPerSecond", static_cast<int>((taken + shed) / seconds));
    RecordProperty("touchesTakenPerSecond", static_cast<int>(taken / seconds));
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    // (The sanitizers keep freed memory aside on purpose.)
    EXPECT_LT(residentKb() - memoryBefore, 16 * 1024);
#endif
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(post("/api/touch", R"({"phase":"up","x":100,"y":100})"), 200);
    expectThePhoneGoesOn();
}

}  // namespace
