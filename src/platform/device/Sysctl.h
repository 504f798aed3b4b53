#pragma once

#include <cstddef>

namespace platform {

// The kernel's named-value query, with its calling convention, for the current process's
// device. Only "hw.machine" is known, and it is read-only. With oldp null, *oldlenp receives the
// length needed (terminating NUL included); with a buffer of *oldlenp bytes, the NUL-terminated
// value is copied and *oldlenp set to its length. Failures return -1 and set errno: ENOENT for
// an unknown name, EPERM for a write, EINVAL for a missing length, ENOMEM for a buffer too
// small (which then holds as much of the value as fitted, unterminated).
int sysctlbyname(const char* name, void* oldp, size_t* oldlenp, const void* newp, size_t newlen);

}  // namespace platform
