#pragma once

#include <string_view>

namespace snapforge {

// A device whose unique identifier contains this turns the library's diagnostics on.
inline constexpr std::string_view kDebugLockConstant = "ab31315ac591f64174038598320e";

// The load-time routine: filters the process, sets the process switches and installs the hooks.
void SnapforgeInitialize();

// How many hooks this process has installed (0 in a process the library does not act in).
int installedHookCount();

}  // namespace snapforge
