#pragma once

#include <string>

namespace sim {

// The scenario language as `--help` explains it: commands, targets, queries, capabilities,
// the names of the library's state, conventions and limits; targets and queries of features
// not built yet are marked.
std::string scenarioLanguageHelp();

}  // namespace sim
