#pragma once

#include <map>
#include <string>

namespace live {

class LiveSession;

// An API request as the server decoded it from HTTP, or as a test or fuzzer makes one.
struct ApiRequest {
    std::string method;  // "GET" or "POST"
    std::string path;    // "/api/touch"
    std::map<std::string, std::string> query;
    std::string body;
};

struct ApiResponse {
    int status = 200;
    std::string mediaType = "application/json";
    std::string body;
    // Pictures keep their name for the session, so a browser may keep them.
    bool cacheable = false;
};

// The API of the live camera without HTTP: decodes a request's query and JSON body, applies it
// to the session and answers with a status and JSON (a picture, the screen or the recording
// where those are asked for). Every refusal has a status and an "error" saying why. Runs on
// the phone's thread, like the session.
class LiveApi {
public:
    explicit LiveApi(LiveSession& session) : session_(session) {}

    ApiResponse handle(const ApiRequest& request);

private:
    ApiResponse touch(const std::string& body);
    ApiResponse line(const std::string& body);
    ApiResponse clock(const std::string& body);
    ApiResponse reset(const std::string& body);
    ApiResponse inspect(const std::map<std::string, std::string>& query);
    ApiResponse state();
    ApiResponse picture(const std::string& name);

    LiveSession& session_;
};

// A JSON answer that refuses a request, with its reason.
ApiResponse refusal(int status, const std::string& reason);

}  // namespace live
