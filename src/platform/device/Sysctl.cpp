#include "platform/device/Sysctl.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/Process.h"

namespace platform {
namespace {

int fail(int error) {
    errno = error;
    return -1;
}

}  // namespace

int sysctlbyname(const char* name, void* oldp, size_t* oldlenp, const void* newp, size_t newlen) {
    if (name == nullptr || std::strcmp(name, "hw.machine") != 0) {
        return fail(ENOENT);
    }
    if (newp != nullptr || newlen != 0) {
        return fail(EPERM);
    }
    if (oldlenp == nullptr) {
        return oldp == nullptr ? 0 : fail(EINVAL);
    }
    const std::string& machine = Process::current().profile().machine;
    const size_t needed = machine.size() + 1;
    if (oldp == nullptr) {
        *oldlenp = needed;
        return 0;
    }
    if (*oldlenp < needed) {
        std::memcpy(oldp, machine.data(), *oldlenp);
        return fail(ENOMEM);
    }
    std::memcpy(oldp, machine.c_str(), needed);
    *oldlenp = needed;
    return 0;
}

}  // namespace platform
