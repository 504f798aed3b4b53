#pragma once

#include <string>

namespace platform {

class UIView;

inline constexpr const char* kCATransitionFade = "fade";
inline constexpr const char* kCAMediaTimingFunctionDefault = "default";
inline constexpr const char* kCAMediaTimingFunctionLinear = "linear";
inline constexpr const char* kCAMediaTimingFunctionEaseInEaseOut = "easeInEaseOut";

// A layer transition: how a view's content changes over to its new look.
struct CATransition {
    std::string type = kCATransitionFade;
    double duration = 0.25;
    std::string timingFunction = kCAMediaTimingFunctionDefault;

    static CATransition animation() { return {}; }
    void setType(std::string t) { type = std::move(t); }
    void setDuration(double d) { duration = d; }
    void setTimingFunction(std::string name) { timingFunction = std::move(name); }
};

// Adds the transition to the view's layer (recorded in the AnimationLog). A null view does
// nothing.
void addTransition(UIView* view, const CATransition& transition);

}  // namespace platform
