#include "platform/ui/CATransition.h"

#include "platform/foundation/RunLoop.h"
#include "platform/ui/AnimationLog.h"
#include "platform/ui/UIView.h"

namespace platform {

void addTransition(UIView* view, const CATransition& transition) {
    if (view == nullptr) {
        return;
    }
    TransitionRecord record;
    record.view = retain<UIView>(view);
    record.viewAddress = view;
    record.type = transition.type;
    record.duration = transition.duration;
    record.timingFunction = transition.timingFunction;
    record.startTime = RunLoop::main().now();
    AnimationLog::shared().addTransition(std::move(record));
}

}  // namespace platform
