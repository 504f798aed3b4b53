#pragma once

#include <string_view>
#include <vector>

namespace live {

// A file of the page (src/live/page/), built into the program so that nothing is read from
// disk by path: "/" is index.html, the others keep their names.
struct PageFile {
    std::string_view path;
    std::string_view mediaType;
    std::string_view content;
};

const std::vector<PageFile>& pageFiles();

}  // namespace live
