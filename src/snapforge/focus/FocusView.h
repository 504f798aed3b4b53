#pragma once

#include <memory>

#include "snapforge/focus/ReticleView.h"

namespace snapforge {

class FocusView : public ReticleView {
public:
    static std::shared_ptr<FocusView> create(platform::CGRect frame);
};

}  // namespace snapforge
