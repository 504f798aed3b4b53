#pragma once

#include <filesystem>
#include <optional>

namespace sim {

// A fresh, empty folder under the system's temporary folder, or nothing when none can be made.
std::optional<std::filesystem::path> makeTemporaryFolder();

// The device root a run made for itself, removed when the run ends unless it is to be kept.
class TemporaryRoot {
public:
    TemporaryRoot() = default;
    TemporaryRoot(const TemporaryRoot&) = delete;
    TemporaryRoot& operator=(const TemporaryRoot&) = delete;
    ~TemporaryRoot();

    void removeAtExit(std::filesystem::path path) { path_ = std::move(path); }

private:
    std::optional<std::filesystem::path> path_;
};

}  // namespace sim
