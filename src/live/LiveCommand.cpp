#include "live/LiveCommand.h"

#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <exception>
#include <optional>
#include <thread>

#include "live/LiveService.h"
#include "live/TokenFile.h"
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
    std::optional<LiveService> service;
    try {
        const std::string token = start.tokenFile ? keptToken(*start.tokenFile) : makeToken();
        service.emplace(
            start.port,
            SessionSettings{start.settings, std::move(start.opening), &start.out, start.quiet, {}},
            token);
    } catch (const std::exception& failure) {
        start.err << kProgram << ": the live camera cannot start: " << failure.what() << '\n';
        return sim::kExitScenarioError;
    }
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        service->stop();
    });
    start.out << "live camera on 127.0.0.1:" << service->port()
              << " (Ctrl-C stops it); open in a browser:\n"
              << service->address() << std::endl;
    service->run();
    // The stopper may still wait for a signal: this one is the last it gets (or, once it has
    // gone, one that stays blocked).
    kill(getpid(), SIGTERM);
    stopper.join();
    service.reset();
    start.out << "live camera stopped\n";
    return sim::kExitPassed;
}

}  // namespace live
