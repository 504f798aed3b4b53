// One live phone at 60x for a number of wall-clock minutes (snapforge-soak MINUTES), with a
// client tapping, dragging, opening the bar and running time lapses at random and a reader on
// the event stream. It fails when a request goes unanswered, when the memory of the last minute
// peaks more than 2 MB above the second's, or when the last frame the reader got is not the
// screen the phone shows.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "live/LiveServer.h"
#include "live/PhoneThread.h"
#include "live/Publisher.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr long kAllowedGrowthKb = 2 * 1024;

long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::atol(line.c_str() + 6);
        }
    }
    return 0;
}

// Reads the event stream, keeping the count of frames and the last one.
class FrameReader {
public:
    FrameReader(int port, const std::string& token) : client_("127.0.0.1", port) {
        client_.set_default_headers({{"X-Snapforge-Token", token}});
        thread_ = std::thread([this] { read(); });
    }
    ~FrameReader() { thread_.join(); }

    void stop() { stopping_ = true; }
    long frames() const { return frames_; }
    std::string lastScreen() {
        const std::lock_guard lock(mutex_);
        return lastScreen_;
    }

private:
    void read() {
        client_.Get("/api/events", [this](const char* data, std::size_t size) {
            pending_.append(data, size);
            for (std::size_t end; (end = pending_.find("\n\n")) != std::string::npos;) {
                take(pending_.substr(0, end));
                pending_.erase(0, end + 2);
            }
            return !stopping_;
        });
    }
    void take(const std::string& event) {
        if (!event.starts_with("event: frame\ndata: ")) {
            return;
        }
        const auto frame = nlohmann::json::parse(event.substr(event.find('\n') + 7));
        const std::lock_guard lock(mutex_);
        lastScreen_ = frame.at("svg").get<std::string>();
        ++frames_;
    }

    httplib::Client client_;
    std::string pending_;
    std::atomic<bool> stopping_ = false;
    std::atomic<long> frames_ = 0;
    std::mutex mutex_;
    std::string lastScreen_;
    std::thread thread_;
};

// Plays with the phone at random, as a restless person would.
class Player {
public:
    Player(int port, const std::string& token) : client_("127.0.0.1", port) {
        client_.set_default_headers({{"X-Snapforge-Token", token}});
        client_.set_keep_alive(true);
    }

    // One action; false when a request went unanswered.
    bool act() {
        switch (std::uniform_int_distribution(0, 9)(random_)) {
            case 0:
            case 1:
            case 2:
                return touch("down", point()) && touch("up", point());
            case 3:
            case 4: {
                bool answered = touch("down", point());
                for (int i = 0; i < 10 && answered; ++i) {
                    answered = touch("move", point());
                }
                return answered && touch("up", point());
            }
            case 5:
                return line("tap settings-button");
            case 6:
                return line("tap settings-button") && line("tap bar.time-lapse") && line("shutter");
            case 7:
                return line("tap stop-button");
            case 8:
                return line("wait 5");
            default:
                return post("/api/clock", R"({"next":true})");
        }
    }
    long requests() const { return requests_; }

private:
    std::pair<int, int> point() {
        return {std::uniform_int_distribution(0, 320)(random_),
                std::uniform_int_distribution(0, 480)(random_)};
    }
    bool touch(const char* phase, std::pair<int, int> at) {
        return post("/api/touch",
                    nlohmann::json{{"phase", phase}, {"x", at.first}, {"y", at.second}}.dump());
    }
    bool line(const std::string& text) {
        return post("/api/line", nlohmann::json{{"line", text}}.dump());
    }
    bool post(const std::string& path, const std::string& body) {
        ++requests_;
        const auto result = client_.Post(path, body, "application/json");
        // Refusals (a target not on screen, a finger already down) are answers too.
        return result && result->status < 500;
    }

    httplib::Client client_;
    std::mt19937 random_{20261209};
    long requests_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10;
    const std::string token = live::makeToken();
    live::Publisher publisher;
    std::optional<live::PhoneThread> phone;
    live::LiveServer server(publisher, token, [&phone](live::ApiRequest request) {
        return phone->call(std::move(request));
    });
    std::string error;
    if (!server.bind(0, error)) {
        std::fprintf(stderr, "soak: %s\n", error.c_str());
        return 1;
    }
    live::SessionSettings settings;
    settings.quiet = true;
    settings.pictureAddress = [](const std::string& name) { return "/api/picture/" + name; };
    phone.emplace(std::move(settings), publisher);
    std::thread serving([&] { server.run(); });

    Player player(server.port(), token);
    if (!player.act()) {
        std::fprintf(stderr, "soak: the server does not answer\n");
    }
    httplib::Client control("127.0.0.1", server.port());
    control.set_default_headers({{"X-Snapforge-Token", token}});
    control.Post("/api/clock", R"({"speed":60})", "application/json");

    bool allAnswered = true;
    std::vector<long> peakKb(static_cast<std::size_t>(minutes), 0);
    {
        FrameReader reader(server.port(), token);
        const auto start = Clock::now();
        for (auto now = start; now - start < std::chrono::minutes(minutes); now = Clock::now()) {
            allAnswered = player.act() && allAnswered;
            auto& peak = peakKb[static_cast<std::size_t>((now - start) / 1min)];
            peak = std::max(peak, residentKb());
            std::this_thread::sleep_for(50ms);
        }
        control.Post("/api/clock", R"({"speed":0})", "application/json");
        std::this_thread::sleep_for(1s);
        const auto screen = control.Get("/api/screen.svg");
        const bool lastFrameIsTheScreen = screen && reader.lastScreen() == screen->body;
        reader.stop();
        // Something must move for the reader to notice it should stop.
        control.Post("/api/line", R"({"line":"wait 1"})", "application/json");

        const long second = peakKb[1];
        const long last = peakKb.back();
        std::printf("soak: %d min at 60x, %ld requests, %ld frames received\n", minutes,
                    player.requests(), reader.frames());
        std::printf("soak: peak memory %ld KB in the second minute, %ld KB in the last\n", second,
                    last);
        std::printf("soak: every request answered: %s; the last frame is the screen: %s\n",
                    allAnswered ? "yes" : "NO", lastFrameIsTheScreen ? "yes" : "NO");
        publisher.close();
        server.stop();
        serving.join();
        const bool passed =
            allAnswered && lastFrameIsTheScreen && last - second <= kAllowedGrowthKb;
        std::puts(passed ? "soak: passed" : "soak: FAILED");
        return passed ? 0 : 1;
    }
}
