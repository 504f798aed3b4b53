#pragma once

#include <stdexcept>
#include <string>

namespace sim {

// A scenario that cannot run: a bad line, an unknown name or a missing file. Nothing of the
// scenario has run when this is raised.
class ScenarioError : public std::runtime_error {
public:
    ScenarioError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

    int line() const { return line_; }

private:
    int line_;
};

}  // namespace sim
