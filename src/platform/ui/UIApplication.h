#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/Object.h"
#include "platform/runtime/Runtime.h"

namespace platform {

class UIEvent;
class UIWindow;

enum UIInterfaceOrientation : int {
    UIInterfaceOrientationPortrait = 1,
    UIInterfaceOrientationPortraitUpsideDown = 2,
    UIInterfaceOrientationLandscapeRight = 3,
    UIInterfaceOrientationLandscapeLeft = 4,
};

enum UIApplicationState : int {
    UIApplicationStateActive = 0,
    UIApplicationStateInactive = 1,
    UIApplicationStateBackground = 2,
};

// The running application: status-bar orientation (set by the host), its life-cycle state and
// the dispatch of control and gesture actions.
class UIApplication : public Object {
public:
    static UIApplication& sharedApplication();

    UIApplication();

    int statusBarOrientation() const { return statusBarOrientation_; }
    void setStatusBarOrientation(int orientation) { statusBarOrientation_ = orientation; }

    UIApplicationState applicationState() const { return state_; }
    // The host calls these when the application goes to the background or comes back; each
    // posts its notification on the default notification centre.
    void enterBackground();
    void enterForeground();

    // Sends an action message: `action:` with the sender when the target implements it so, else
    // a plain `action`. A null target means the first object up the sender's responder chain
    // (the sender view and its superviews) that implements the action. Answers whether a
    // method ran.
    bool sendAction(SEL action, id target, id sender, UIEvent* event = nullptr);

    std::shared_ptr<UIWindow> keyWindow() const;
    std::vector<std::shared_ptr<UIWindow>> windows() const;

private:
    int statusBarOrientation_ = UIInterfaceOrientationPortrait;
    UIApplicationState state_ = UIApplicationStateActive;
};

}  // namespace platform
