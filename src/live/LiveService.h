#pragma once

#include <optional>
#include <string>

#include "live/LiveServer.h"
#include "live/LiveSession.h"
#include "live/PhoneThread.h"
#include "live/Publisher.h"

namespace live {

// The live camera put together: the server bound to 127.0.0.1, the phone on its thread and the
// publisher between them. The port is bound before the phone starts, so that a port in use is
// told before anything runs.
class LiveService {
public:
    // Throws std::runtime_error saying why it cannot serve (the port in use, the phone failing
    // to start). Port 0 takes any free port.
    LiveService(int port, SessionSettings settings, std::string token = makeToken());
    ~LiveService();
    LiveService(const LiveService&) = delete;
    LiveService& operator=(const LiveService&) = delete;

    int port() const { return server_.port(); }
    const std::string& token() const { return token_; }
    // The page's address with the token: http://127.0.0.1:PORT/?token=...
    std::string address() const;

    // Serves until stop().
    void run();
    // From any thread: ends the event streams and the server.
    void stop();

private:
    std::string token_;
    Publisher publisher_;
    std::optional<PhoneThread> phone_;
    LiveServer server_;
};

}  // namespace live
