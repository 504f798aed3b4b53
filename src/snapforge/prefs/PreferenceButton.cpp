#include "snapforge/prefs/PreferenceButton.h"

#include "platform/ui/UIButton.h"
#include "snapforge/camerabar/CameraBarPresentation.h"
#include "snapforge/prefs/SettingsPanel.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

const platform::Selector<void(platform::id)> showPreferencesSelector{"showPreferences:"};
const platform::CGRect kSettingsPanelFrame = platform::CGRectMake(0, 0, 320, 480);

}  // namespace

std::shared_ptr<PreferenceButton> PreferenceButton::create(platform::CGRect frame) {
    auto window = std::make_shared<PreferenceButton>();
    window->initWithFrame(frame);
    return window;
}

void PreferenceButton::initWithFrame(platform::CGRect frame) {
    setObjcClass(libraryClass("PreferenceButton", "UIWindow", [](platform::Class* cls) {
        platform::class_addMemberMethod<&PreferenceButton::showPreferences>(
            cls, showPreferencesSelector);
    }));
    setFrame(frame);
    setWindowLevel(1999);
    setBackgroundColor(platform::UIColor::clearColor());
    auto button =
        platform::UIButton::create(platform::CGRectMake(0, 0, frame.size.width, frame.size.height));
    button->setBackgroundImage(imageNamed("PrefBtn.png"), platform::UIControlStateNormal);
    button->addTarget(this, showPreferencesSelector.sel, platform::UIControlEventTouchUpInside);
    addSubview(button);
}

std::shared_ptr<platform::UIButton> PreferenceButton::button() const {
    if (subviews().empty()) {
        return {};
    }
    return std::dynamic_pointer_cast<platform::UIButton>(subviews().front());
}

void PreferenceButton::showPreferences(platform::id) {
    hideCameraBar(nullptr, 0.3);
    State& s = state();
    if (s.settingsPanel) {
        return;
    }
    auto panel = SettingsPanel::create(kSettingsPanelFrame);
    s.settingsPanel = panel;
    panel->setPreferences(s.prefsDictionary.get());
    panel->setAlpha(0);
    panel->setHidden(false);
    platform::UIView::animate(0.5, 0, 0, [panel] { panel->setAlpha(1); });
}

}  // namespace snapforge
