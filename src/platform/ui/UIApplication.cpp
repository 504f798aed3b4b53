#include "platform/ui/UIApplication.h"

#include "platform/foundation/NSNotificationCenter.h"

#include <algorithm>

#include "platform/Process.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIView.h"
#include "platform/ui/UIWindow.h"

namespace platform {
namespace {

using ActionWithSender = void (*)(id, SEL, id);
using PlainAction = void (*)(id, SEL);

// The first object of the sender's responder chain whose class implements the action.
id responderFor(SEL action, id sender) {
    for (UIView* v = dynamic_cast<UIView*>(sender); v != nullptr; v = v->superview()) {
        if (v->objcClass() != nullptr && v->objcClass()->lookup(action) != nullptr) {
            return v;
        }
    }
    return nullptr;
}

}  // namespace

UIApplication& UIApplication::sharedApplication() {
    return Process::current().attachment<UIApplication>();
}

UIApplication::UIApplication() {
    setObjcClass(registerUIKitClass("UIApplication", "UIResponder"));
}

void UIApplication::enterBackground() {
    state_ = UIApplicationStateBackground;
    NSNotificationCenter::defaultCenter().postNotification(
        UIApplicationDidEnterBackgroundNotification, this);
}

void UIApplication::enterForeground() {
    state_ = UIApplicationStateActive;
    NSNotificationCenter::defaultCenter().postNotification(
        UIApplicationWillEnterForegroundNotification, this);
}

bool UIApplication::sendAction(SEL action, id target, id sender, UIEvent*) {
    if (action == nullptr) {
        return false;
    }
    id receiver = target != nullptr ? target : responderFor(action, sender);
    if (receiver == nullptr || receiver->objcClass() == nullptr) {
        return false;
    }
    auto keepAlive = retain<Object>(receiver);
    const Method* method = receiver->objcClass()->lookup(action);
    if (method != nullptr && method->signature == &typeid(PlainAction)) {
        send(receiver, Selector<void()>(action));
        return true;
    }
    // Either the usual action with the sender, or an unknown one, which the runtime notes.
    send(receiver, Selector<void(id)>(action), sender);
    return method != nullptr && method->signature == &typeid(ActionWithSender);
}

std::shared_ptr<UIWindow> UIApplication::keyWindow() const {
    return UIScreen::mainScreen().keyWindow();
}

std::vector<std::shared_ptr<UIWindow>> UIApplication::windows() const {
    return UIScreen::mainScreen().windows();
}

}  // namespace platform
