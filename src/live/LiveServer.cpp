#include "live/LiveServer.h"

#include <sys/socket.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <random>

#include "live/LivePage.h"
#include "live/Publisher.h"

namespace live {
namespace {

constexpr const char* kTokenHeader = "X-Snapforge-Token";
// How long an event stream stays silent before it says it is still there, which is also how
// soon a reader that went away is noticed.
constexpr std::chrono::seconds kHeartbeat{10};

void send(const ApiResponse& answer, httplib::Response& response) {
    response.status = answer.status;
    response.set_header("Cache-Control", answer.cacheable ? "private, max-age=86400" : "no-store");
    response.set_content(answer.body, answer.mediaType);
}

std::string tooLarge() {
    return "refused: a request body may hold at most " + std::to_string(LiveServer::kLargestBody) +
           " bytes";
}

bool sameText(const std::string& a, const std::string& b) {
    // Compared in full whatever differs, so the time taken does not tell how much matched.
    unsigned char difference = a.size() == b.size() ? 0 : 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        difference |= static_cast<unsigned char>(a[i] ^ (i < b.size() ? b[i] : 0));
    }
    return difference == 0;
}

}  // namespace

std::string makeToken() {
    std::random_device random;
    std::string token;
    for (int i = 0; i < 4; ++i) {
        std::array<char, 9> digits{};
        std::snprintf(digits.data(), digits.size(), "%08x", random());
        token += digits.data();
    }
    return token;
}

LiveServer::LiveServer(Publisher& publisher, std::string token, Handler handle)
    : publisher_(publisher),
      token_(std::move(token)),
      serverId_(makeToken().substr(0, 8)),
      handle_(std::move(handle)) {
    server_.set_payload_max_length(kLargestBodyRead);
    server_.set_keep_alive_timeout(2);
    // An answer goes out in more than one write; waiting for the client's delayed
    // acknowledgement between them would hold every answer back by tens of milliseconds.
    server_.set_tcp_nodelay(true);
    // Not the library's default of sharing the port: a second live camera on the same port must
    // be told it is taken, not be handed half of the first one's requests.
    server_.set_socket_options([](int socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server_.set_pre_routing_handler([this](const auto& request, auto& response) {
        const auto refused = refusalAtDoor(request);
        if (!refused) {
            return httplib::Server::HandlerResponse::Unhandled;
        }
        send(*refused, response);
        response.set_header("Connection", "close");
        return httplib::Server::HandlerResponse::Handled;
    });
    // What the library itself refuses (a body too large to read, an unknown path) says why too.
    const httplib::Server::HandlerWithResponse explainRefusal = [](const httplib::Request& request,
                                                                   httplib::Response& response) {
        if (!response.body.empty()) {
            return httplib::Server::HandlerResponse::Unhandled;
        }
        const std::string reason =
            response.status == 413 ? tooLarge()
            : response.status == 404
                ? "nothing at " + request.path + ": this server serves its page and its API only"
                : "the request could not be read";
        send(refusal(response.status, reason), response);
        return httplib::Server::HandlerResponse::Handled;
    };
    server_.set_error_handler(explainRefusal);
    for (const auto& file : pageFiles()) {
        server_.Get(std::string(file.path), [&file](const auto&, auto& response) {
            response.set_header("Cache-Control", "no-store");
            response.set_header("Content-Security-Policy",
                                "default-src 'self'; img-src 'self' data:; style-src 'self'; "
                                "script-src 'self'; connect-src 'self'; frame-ancestors 'none'");
            response.set_header("X-Content-Type-Options", "nosniff");
            response.set_content(std::string(file.content), std::string(file.mediaType));
        });
    }
    server_.Get("/api/events", [this](const auto&, auto& response) { serveEvents(response); });
    server_.Get("/api/.*", [this](const httplib::Request& request, httplib::Response& response) {
        send(serveApi(request, request.body), response);
    });
    // The body is read here, not by the library, so that its size is bounded however it comes
    // (the library reads a body in chunks whole, however large).
    server_.Post("/api/.*", [this](const httplib::Request& request, httplib::Response& response,
                                   const httplib::ContentReader& read) {
        send(readAndServe(request, read), response);
    });
}

std::optional<ApiResponse> LiveServer::refusalAtDoor(const httplib::Request& request) const {
    const std::string port = std::to_string(port_);
    const std::string host = request.get_header_value("Host");
    if (host != "127.0.0.1:" + port && host != "localhost:" + port) {
        return refusal(403, "refused: the Host header must be 127.0.0.1:" + port +
                                " or localhost:" + port + ", not \"" + host + "\"");
    }
    if (!request.path.starts_with("/api/")) {
        return std::nullopt;
    }
    const std::string token = request.has_header(kTokenHeader)
                                  ? request.get_header_value(kTokenHeader)
                                  : request.get_param_value("token");
    if (token.empty()) {
        return refusal(403, std::string("refused: the API needs the session token, in the ") +
                                kTokenHeader + " header or as ?token=");
    }
    if (!sameText(token, token_)) {
        return refusal(403, "refused: that is not this session's token");
    }
    const bool changesState = request.method != "GET" && request.method != "HEAD";
    if (changesState && request.has_header("Origin")) {
        const std::string origin = request.get_header_value("Origin");
        if (origin != "http://127.0.0.1:" + port && origin != "http://localhost:" + port) {
            return refusal(
                403, "refused: a request that changes the phone from another origin (\"" + origin +
                         "\")");
        }
    }
    return std::nullopt;
}

ApiResponse LiveServer::readAndServe(const httplib::Request& request,
                                     const httplib::ContentReader& read) {
    std::string body;
    std::size_t size = 0;
    // A body a little too large is read to its end, so that its sender is there to hear why it
    // is refused; one far too large is left unread.
    const bool whole = read([&](const char* data, std::size_t length) {
        size += length;
        if (size <= kLargestBody) {
            body.append(data, length);
        }
        return size <= kLargestBodyRead;
    });
    const bool announcedTooLarge =
        request.get_header_value<std::uint64_t>("Content-Length") > kLargestBody;
    if (size > kLargestBody || announcedTooLarge) {
        return refusal(413, tooLarge());
    }
    if (!whole) {
        return refusal(400, "the request body could not be read");
    }
    if (request.path == "/api/touch" && !touchGate_.admit()) {
        return refusal(429, "refused: more than " +
                                std::to_string(static_cast<int>(TouchGate::kTouchesPerSecond)) +
                                " touches a second; this one was dropped before it reached the "
                                "phone, which goes on");
    }
    return serveApi(request, body);
}

ApiResponse LiveServer::serveApi(const httplib::Request& request, const std::string& body) {
    ApiRequest call{request.method, request.path, {}, body};
    for (const auto& [name, value] : request.params) {
        call.query.emplace(name, value);
    }
    return handle_(std::move(call));
}

std::string LiveServer::greeting() const {
    // Which server this is tells a page that reconnects whether it found the same phone again
    // or a restarted server with a new one; a lost stream is tried again after a second.
    return "retry: 1000\nevent: hello\ndata: {\"server\":\"" + serverId_ + "\"}\n\n";
}

void LiveServer::serveEvents(httplib::Response& response) {
    if (eventStreams_.fetch_add(1) >= kMostEventStreams) {
        --eventStreams_;
        send(refusal(503, "refused: at most " + std::to_string(kMostEventStreams) +
                              " event streams may be open at once; close a tab first"),
             response);
        return;
    }
    response.set_header("Cache-Control", "no-store");
    struct Stream {
        Publisher::Cursor cursor;
        bool greeted = false;
    };
    auto stream = std::make_shared<Stream>();
    response.set_chunked_content_provider(
        "text/event-stream",
        [this, stream](std::size_t, httplib::DataSink& sink) {
            if (!stream->greeted) {
                stream->greeted = true;
                const std::string hello = greeting();
                return sink.write(hello.data(), hello.size());
            }
            const auto events = publisher_.next(stream->cursor, kHeartbeat);
            if (!events) {
                sink.done();
                return true;
            }
            const std::string text = events->empty() ? ": still here\n\n" : *events;
            return sink.write(text.data(), text.size());
        },
        [this](bool) { --eventStreams_; });
}

bool LiveServer::bind(int port, std::string& error) {
    port_ = port == 0 ? server_.bind_to_any_port("127.0.0.1") : port;
    const bool bound = port == 0 ? port_ > 0 : server_.bind_to_port("127.0.0.1", port);
    if (!bound) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) +
                ": the port is in use or not allowed (choose another with --port N)";
    }
    return bound;
}

void LiveServer::run() {
    server_.listen_after_bind();
}

void LiveServer::stop() {
    server_.stop();
}

}  // namespace live
