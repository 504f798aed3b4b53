#include "sim/TemporaryFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace sim {

std::optional<std::filesystem::path> makeTemporaryFolder() {
    std::error_code ec;
    auto base = std::filesystem::temp_directory_path(ec);
    std::string pattern = ((ec ? "/tmp" : base) / "snapforge-sim-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return std::nullopt;
    }
    return std::filesystem::path(pattern);
}

TemporaryRoot::~TemporaryRoot() {
    if (path_) {
        std::error_code ec;
        std::filesystem::remove_all(*path_, ec);
    }
}

}  // namespace sim
