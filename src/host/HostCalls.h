#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/runtime/Runtime.h"

namespace host {

// How often each of an object's own host implementations has run, by selector name. A hook
// that withholds a call leaves the count where it was.
class HostCalls {
public:
    void note(platform::SEL sel) { ++counts_[platform::sel_getName(sel)]; }

    int count(std::string_view selector) const {
        auto found = counts_.find(selector);
        return found == counts_.end() ? 0 : found->second;
    }

private:
    std::map<std::string, int, std::less<>> counts_;
};

}  // namespace host
