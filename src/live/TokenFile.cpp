#include "live/TokenFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "live/LiveServer.h"

namespace live {
namespace {

constexpr std::size_t kTokenLength = 32;

bool isToken(const std::string& text) {
    if (text.size() != kTokenLength) {
        return false;
    }
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

std::runtime_error failure(const std::filesystem::path& path, const std::string& what) {
    return std::runtime_error("the token file " + path.string() + " " + what);
}

}  // namespace

std::string keptToken(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        if (!std::filesystem::is_regular_file(path, ec)) {
            throw failure(path, "is not a regular file");
        }
        std::ifstream in(path);
        std::string token;
        if (!in || !std::getline(in, token)) {
            throw failure(path, "cannot be read");
        }
        std::string rest;
        in >> rest;
        if (!isToken(token) || !rest.empty()) {
            throw failure(path,
                          "does not hold a session token: one line of 32 hexadecimal digits "
                          "was expected");
        }
        return token;
    }
    // Made readable by its owner only from the start: the token is what lets a page in.
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0) {
        throw failure(path, "cannot be written: " +
                                std::error_code(errno, std::generic_category()).message());
    }
    const std::string token = makeToken();
    const std::string line = token + '\n';
    const bool written =
        ::write(file, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    ::close(file);
    if (!written) {
        throw failure(path, "cannot be written");
    }
    return token;
}

}  // namespace live
