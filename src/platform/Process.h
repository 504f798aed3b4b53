#pragma once

#include <cstdint>
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

    // The per-process instance of T, default-constructed on first use. Services are asked for
    // on every touch and every step, so each thread remembers the last one it found of each
    // type, by the serial number of its process (a new process may reuse an old one's address).
    template <class T>
    T& attachment() {
        struct Found {
            std::uint64_t serial = 0;
            T* value = nullptr;
        };
        static thread_local Found found;
        if (found.serial == serial_) {
            return *found.value;
        }
        T& value = findOrAttach<T>();
        if (!ending_) {
            found = {serial_, &value};
        }
        return value;
    }

private:
    template <class T>
    T& findOrAttach() {
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

    static std::uint64_t nextSerial();

    template <class T>
    static inline const char attachmentKey = 0;

    // Never 0, so that no remembered service matches before one is found.
    std::uint64_t serial_ = nextSerial();
    // While services are taken down, nothing is remembered: one may be made again and go.
    bool ending_ = false;
    DeviceProfile profile_;
    std::filesystem::path deviceRoot_;
    bool ownsRoot_ = false;
    std::vector<std::pair<const void*, std::shared_ptr<void>>> attachments_;
    Process* previous_ = nullptr;
};

}  // namespace platform
