#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/Runtime.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIView.h"

namespace platform::testing {

// An action target that records who sent it what.
class ActionTarget : public Object {
public:
    static std::shared_ptr<ActionTarget> create() {
        Class* cls = Runtime::shared().registerClass("TestActionTarget", "NSObject");
        class_addMemberMethod<&ActionTarget::fire>(cls, Selector<void(id)>("fire:"));
        class_addMemberMethod<&ActionTarget::other>(cls, Selector<void(id)>("other:"));
        auto target = std::make_shared<ActionTarget>();
        target->setObjcClass(cls);
        return target;
    }
    void fire(id sender) {
        fired.push_back(sender);
        if (auto* recognizer = dynamic_cast<UIGestureRecognizer*>(sender)) {
            states.push_back(recognizer->state());
        }
    }
    void other(id sender) { others.push_back(sender); }

    std::vector<id> fired;
    std::vector<id> others;
    std::vector<int> states;  // a gesture recogniser sender's state at each fire
};

inline SEL fireSel() {
    return sel_registerName("fire:");
}
inline SEL otherSel() {
    return sel_registerName("other:");
}

// A view that records the touch methods it hears, and where.
class TouchRecorder : public UIView {
public:
    using UIView::UIView;
    static std::shared_ptr<TouchRecorder> create(CGRect frame) {
        return std::make_shared<TouchRecorder>(frame);
    }
    void touchesBegan(const UITouchSet& touches, UIEvent*) override {
        heard.push_back("began");
        locations.push_back(touches.anyObject()->locationInView(this));
    }
    void touchesMoved(const UITouchSet&, UIEvent*) override { heard.push_back("moved"); }
    void touchesEnded(const UITouchSet&, UIEvent*) override { heard.push_back("ended"); }
    void touchesCancelled(const UITouchSet&, UIEvent*) override { heard.push_back("cancelled"); }

    std::vector<std::string> heard;
    std::vector<CGPoint> locations;
};

}  // namespace platform::testing
