#include "sim/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sim {
namespace {

class OpenFile {
public:
    explicit OpenFile(const std::filesystem::path& path)
        // Non-blocking, so that opening a FIFO returns at once instead of waiting for a writer.
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int fd() const { return fd_; }

private:
    int fd_;
};

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "is a folder, not a file";
    }
    if (S_ISFIFO(mode)) {
        return "is a FIFO, not a regular file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "is a device, not a regular file";
    }
    if (S_ISSOCK(mode)) {
        return "is a socket, not a regular file";
    }
    return "is not a regular file";
}

std::string tooLarge(std::size_t maxBytes) {
    return "is larger than " + std::to_string(maxBytes) + " bytes";
}

}  // namespace

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                                           std::string& error) {
    const OpenFile file(path);
    struct stat status {};
    if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0) {
        error = errno == ENOENT ? "does not exist"
                                : std::string("cannot be read: ") + std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        error = kindOf(status.st_mode);
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) {
        error = tooLarge(maxBytes);
        return std::nullopt;
    }
    // Room for the size fstat gave and one byte more, which tells a file that grew since; a
    // grown file gets more room up to one byte over the limit.
    std::string bytes(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxBytes) {
                break;
            }
            bytes.resize(std::min(2 * bytes.size(), maxBytes + 1));
        }
        const ssize_t count = ::read(file.fd(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            error = std::string("cannot be read: ") + std::strerror(errno);
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    if (filled > maxBytes) {
        error = tooLarge(maxBytes);
        return std::nullopt;
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace sim
