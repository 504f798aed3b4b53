#pragma once

#include "sim/CommandLine.h"

namespace live {

// `snapforge-sim --live`: one phone on its own thread, the page and the API on 127.0.0.1, the
// address with the session's token printed as the last line; Ctrl-C (or SIGTERM) stops it
// cleanly. Returns the exit status.
int runLive(sim::LiveStart start);

}  // namespace live
