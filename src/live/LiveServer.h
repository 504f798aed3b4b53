#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include <httplib.h>

#include "live/LiveApi.h"
#include "live/TouchGate.h"

namespace live {

class Publisher;

// The live camera's door: serves the page and the API on 127.0.0.1 only. Before anything is
// served it refuses, with 403 and the reason, a request whose Host is not this server's (a web
// page elsewhere reaching it through DNS rebinding), an API request without the session's
// token and a state-changing one from another origin; a body over 64 KB gets 413. API requests
// go to `handle` (the phone's thread answers them); the event stream reads the publisher.
// Each event stream holds one of the server's few threads for as long as it is open, so only
// a handful may be open at once and the API always keeps threads of its own. Touches past
// what a finger could send are shed with 429 and the reason (see TouchGate).
class LiveServer {
public:
    static constexpr std::size_t kLargestBody = 64 * 1024;
    static constexpr std::size_t kLargestBodyRead = 1024 * 1024;
    static constexpr int kMostEventStreams = 4;
    using Handler = std::function<ApiResponse(ApiRequest)>;

    LiveServer(Publisher& publisher, std::string token, Handler handle);

    // Binds 127.0.0.1:port, any free port for 0; false with `error` saying why.
    bool bind(int port, std::string& error);
    int port() const { return port_; }

    // Serves until stop() (from any thread).
    void run();
    void stop();

private:
    // The refusal of a request that may not pass the door, or nothing.
    std::optional<ApiResponse> refusalAtDoor(const httplib::Request& request) const;
    ApiResponse readAndServe(const httplib::Request& request, const httplib::ContentReader& read);
    ApiResponse serveApi(const httplib::Request& request, const std::string& body);
    void serveEvents(httplib::Response& response);
    // The first event of every stream: `hello` with this server's own id.
    std::string greeting() const;

    Publisher& publisher_;
    std::string token_;
    std::string serverId_;
    Handler handle_;
    int port_ = 0;
    std::atomic<int> eventStreams_ = 0;
    TouchGate touchGate_;
    httplib::Server server_;
};

// A fresh random session token: 32 hexadecimal digits.
std::string makeToken();

}  // namespace live
