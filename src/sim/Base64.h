#pragma once

#include <string>
#include <string_view>

namespace sim {

// The bytes in base64 (the standard alphabet, padded), as data URIs carry them.
std::string base64(std::string_view bytes);

}  // namespace sim
