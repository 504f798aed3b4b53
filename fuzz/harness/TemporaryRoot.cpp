#include "fuzz/harness/TemporaryRoot.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace fuzzing {

TemporaryRoot::TemporaryRoot() {
    std::error_code ec;
    std::string pattern = std::filesystem::temp_directory_path(ec) / "snapforge-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) {
        path_ = pattern;
    }
}

TemporaryRoot::~TemporaryRoot() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace fuzzing
