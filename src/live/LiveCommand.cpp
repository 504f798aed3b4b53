#include "live/LiveCommand.h"

#include <pthread.h>

#include <csignal>
#include <exception>
#include <optional>
#include <thread>

#include "live/LiveServer.h"
#include "live/PhoneThread.h"
#include "live/Publisher.h"
#include "sim/Runner.h"

namespace live {
namespace {

constexpr std::string_view kProgram = "snapforge-sim";

// The signals that stop the server. They are blocked in every thread and taken by one that
// waits for them, so no thread is interrupted in the middle of its work.
sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

int runLive(sim::LiveStart start) {
    const sigset_t signals = stopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    const std::string token = makeToken();
    Publisher publisher;
    std::optional<PhoneThread> phone;
    LiveServer server(publisher, token,
                      [&phone](ApiRequest request) { return phone->call(std::move(request)); });
    std::string error;
    if (!server.bind(start.port, error)) {
        start.err << kProgram << ": " << error << '\n';
        return sim::kExitScenarioError;
    }
    SessionSettings settings{
        start.settings, std::move(start.opening), &start.out, start.quiet,
        [token](const std::string& name) { return "/api/picture/" + name + "?token=" + token; }};
    try {
        phone.emplace(std::move(settings), publisher);
    } catch (const std::exception& failure) {
        start.err << kProgram << ": the live camera could not start: " << failure.what() << '\n';
        return sim::kExitScenarioError;
    }
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        publisher.close();
        server.stop();
    });
    start.out << "live camera on 127.0.0.1:" << server.port()
              << " (Ctrl-C stops it); open in a browser:\n"
              << "http://127.0.0.1:" << server.port() << "/?token=" << token << std::endl;
    server.run();
    publisher.close();
    phone.reset();
    // The stopper may still wait for a signal: this one is the last it gets.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    start.out << "live camera stopped\n";
    return sim::kExitPassed;
}

}  // namespace live
