#pragma once

#include <stdlib.h>
#include <sys/wait.h>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/foundation/DevicePath.h"

namespace testsupport {

// The first 24 bytes of a PNG of the given pixel size: enough for its size to be read.
inline std::string pngHeader(std::uint32_t width, std::uint32_t height) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (std::uint32_t value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
    }
    return bytes + std::string("\x08\x06\0\0\0", 5);
}

// Writes a file at a phone path under the current process's device root.
inline void writeDeviceFile(const std::string& phonePath, const std::string& bytes) {
    const auto file = platform::devicePath(phonePath);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// A fresh folder under the temporary folder, removed with its contents at the end.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "snapforge-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TemporaryFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct CommandRun {
    int status = -1;
    std::string out;
};

// Runs a shell command; its exit status and everything it printed (stderr included).
inline CommandRun runCommand(const std::string& command) {
    CommandRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    while (const size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) {
        run.out.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace testsupport
