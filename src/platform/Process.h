#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/device/DeviceProfile.h"

namespace platform {

// One simulated process of the phone: its device profile, its device root folder and every
// per-process service (run loop, runtime classes, notification centres, screen, ...), which live
// as attachments created on first use and destroyed with the process, latest first.
// Exactly one process is current at a time; tests and the simulator create a fresh one each.
class Process {
public:
    explicit Process(DeviceProfile profile = {}, std::filesystem::path deviceRoot = {});
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // The current process; one exists for as long as anybody runs platform code.
    static Process& current();
    static bool exists();

    DeviceProfile& profile() { return profile_; }
    const std::filesystem::path& deviceRoot() const { return deviceRoot_; }

    // The per-process instance of T, default-constructed on first use.
    template <class T>
    T& attachment() {
        const void* key = &attachmentKey<T>;
        for (auto& [k, value] : attachments_) {
            if (k == key) {
                return *static_cast<T*>(value.get());
            }
        }
        auto value = std::make_shared<T>();
        T& ref = *value;
        attachments_.emplace_back(key, std::move(value));
        return ref;
    }

private:
    template <class T>
    static inline const char attachmentKey = 0;

    DeviceProfile profile_;
    std::filesystem::path deviceRoot_;
    bool ownsRoot_ = false;
    std::vector<std::pair<const void*, std::shared_ptr<void>>> attachments_;
    Process* previous_ = nullptr;
};

}  // namespace platform
