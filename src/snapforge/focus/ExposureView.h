#pragma once

#include <memory>

#include "snapforge/focus/ReticleView.h"

namespace snapforge {

class ExposureView : public ReticleView {
public:
    static std::shared_ptr<ExposureView> create(platform::CGRect frame);
};

}  // namespace snapforge
