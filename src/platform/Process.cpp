#include "platform/Process.h"

#include <atomic>
#include <cstdlib>
#include <random>
#include <system_error>

namespace platform {
namespace {

Process* currentProcess = nullptr;

std::filesystem::path makeTemporaryRoot() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    std::error_code ec;
    auto base = std::filesystem::temp_directory_path(ec);
    if (ec) {
        base = "/tmp";
    }
    for (;;) {
        auto candidate =
            base / ("snapforge-root-" + std::to_string(random()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directories(candidate, ec)) {
            return candidate;
        }
    }
}

}  // namespace

Process::Process(DeviceProfile profile, std::filesystem::path deviceRoot)
    : profile_(std::move(profile)), deviceRoot_(std::move(deviceRoot)), previous_(currentProcess) {
    if (deviceRoot_.empty()) {
        deviceRoot_ = makeTemporaryRoot();
        ownsRoot_ = true;
    }
    currentProcess = this;
}

Process::~Process() {
    // Services already gone must not be handed out from memory: what is asked for while
    // the process is being taken down is looked up (and made again) as before.
    serial_ = nextSerial();
    ending_ = true;
    // Services go in reverse order of creation, while this process is still current, so that
    // whatever they release can still reach the services made before them.
    while (!attachments_.empty()) {
        auto last = std::move(attachments_.back());
        attachments_.pop_back();
        last.second.reset();
    }
    currentProcess = previous_;
    if (ownsRoot_) {
        std::error_code ec;
        std::filesystem::remove_all(deviceRoot_, ec);
    }
}

Process& Process::current() {
    if (currentProcess == nullptr) {
        // Platform code outside any process is a programming error of the caller.
        std::abort();
    }
    return *currentProcess;
}

std::uint64_t Process::nextSerial() {
    static std::atomic<std::uint64_t> serial{0};
    return ++serial;
}

bool Process::exists() {
    return currentProcess != nullptr;
}

}  // namespace platform
