# Writes OUTPUT, a C++ source holding the live camera's page files (FILES, a list) as bytes, so
# that the program serves them from memory. index.html is served as "/", the others by name.
set(entries "")
set(arrays "")
set(index 0)
foreach(file ${FILES})
    get_filename_component(name ${file} NAME)
    get_filename_component(extension ${file} LAST_EXT)
    if(extension STREQUAL ".html")
        set(type "text/html; charset=utf-8")
    elseif(extension STREQUAL ".css")
        set(type "text/css; charset=utf-8")
    elseif(extension STREQUAL ".js")
        set(type "text/javascript; charset=utf-8")
    else()
        message(FATAL_ERROR "the page has a file of unknown type: ${file}")
    endif()
    if(name STREQUAL "index.html")
        set(path "/")
    else()
        set(path "/${name}")
    endif()
    file(READ ${file} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND arrays "constexpr unsigned char kFile${index}[] = {${bytes}};\n")
    string(APPEND entries
        "        {\"${path}\", \"${type}\", {reinterpret_cast<const char*>(kFile${index}), sizeof kFile${index}}},\n")
    math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Made by cmake/EmbedPage.cmake from src/live/page/; edit those files instead.
#include \"live/LivePage.h\"

namespace live {
namespace {

${arrays}
}  // namespace

const std::vector<PageFile>& pageFiles() {
    static const std::vector<PageFile> files{
${entries}    };
    return files;
}

}  // namespace live
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
