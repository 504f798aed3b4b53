#pragma once

#include <string_view>
#include <vector>

#include "platform/runtime/Runtime.h"

namespace host {

// How often each of an object's own host implementations has run, by selector name. A hook
// that withholds a call leaves the count where it was. Counting is on every host call, touch
// moves included, so it indexes by the selector's number instead of looking its name up.
class HostCalls {
public:
    void note(platform::SEL sel) {
        if (sel->index >= counts_.size()) {
            counts_.resize(sel->index + 1);
        }
        ++counts_[sel->index];
    }

    int count(std::string_view selector) const {
        const platform::SEL sel = platform::sel_lookupName(selector);
        return sel != nullptr && sel->index < counts_.size() ? counts_[sel->index] : 0;
    }

private:
    std::vector<int> counts_;
};

}  // namespace host
