#include "snapforge/prefs/SettingsPanel.h"

#include <string>
#include <tuple>
#include <utility>

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UISwitch.h"
#include "snapforge/prefs/PreferencePanel.h"
#include "snapforge/prefs/Tools.h"
#include "snapforge/startup/LibraryClass.h"

namespace snapforge {
namespace {

using Action = platform::Selector<void(platform::id)>;
const Action advPhotoToggleSelector{"advPhotoToggle:"};
const Action advVideoToggleSelector{"advVideoToggle:"};
const Action rememberSettingsToggleSelector{"rememberSettingsToggle:"};
const Action closePreferencesSelector{"closePreferences:"};

void addMethods(platform::Class* cls) {
    platform::class_addMemberMethod<&SettingsPanel::advPhotoToggle>(cls, advPhotoToggleSelector);
    platform::class_addMemberMethod<&SettingsPanel::advVideoToggle>(cls, advVideoToggleSelector);
    platform::class_addMemberMethod<&SettingsPanel::rememberSettingsToggle>(
        cls, rememberSettingsToggleSelector);
    platform::class_addMemberMethod<&SettingsPanel::closePreferences>(cls,
                                                                      closePreferencesSelector);
}

std::shared_ptr<platform::UIImageView> imageView(platform::CGRect frame,
                                                 std::string_view fileName) {
    auto view = platform::UIImageView::create(frame);
    view->setImage(imageNamed(fileName));
    return view;
}

}  // namespace

std::shared_ptr<SettingsPanel> SettingsPanel::create(platform::CGRect frame) {
    auto panel = std::make_shared<SettingsPanel>();
    panel->initWithFrame(frame);
    return panel;
}

void SettingsPanel::initWithFrame(platform::CGRect frame) {
    using platform::CGRectMake;
    setObjcClass(libraryClass("SettingsPanel", "UIWindow", addMethods));
    setFrame(frame);
    setWindowLevel(1999);
    setBackgroundColor(platform::UIColor::clearColor());

    addSubview(imageView(frame, "prefBG.jpg"));
    auto cellArea = platform::UIScrollView::create(CGRectMake(30, 30, 256, 900));
    cellArea->addSubview(imageView(CGRectMake(0, 0, 256, 155), "prefCells.png"));
    addSubview(cellArea);

    const float width = frame.size.width;
    const float height = frame.size.height;
    auto close = platform::UIButton::create(CGRectMake(width / 2 - 50, height - 60, 100, 30));
    close->setBackgroundImage(imageNamed("blackBtn.png"), platform::UIControlStateNormal);
    close->setTitle("Close", platform::UIControlStateNormal);
    close->setTitleFont(platform::UIFont::fontWithName("Helvetica", 15));
    close->addTarget(this, closePreferencesSelector.sel, platform::UIControlEventTouchUpInside);
    addSubview(close);

    const std::pair<int, const Action*> switches[] = {
        {kAdvPhotoSwitchTag, &advPhotoToggleSelector},
        {kAdvVideoSwitchTag, &advVideoToggleSelector},
        {kRememberSwitchTag, &rememberSettingsToggleSelector},
    };
    float y = 45;
    for (const auto& [tag, action] : switches) {
        auto control = platform::UISwitch::create(CGRectMake(200, y, 20, 20));
        control->setTag(tag);
        control->addTarget(this, action->sel, platform::UIControlEventValueChanged);
        addSubview(control);
        y += 50;
    }
}

void SettingsPanel::setPreferences(const platform::NSMutableDictionary* preferences) {
    const std::tuple<int, bool, bool SettingsPanel::*> positions[] = {
        {kAdvPhotoSwitchTag, Tools::boolForKey("advPhotoSelected", true, preferences),
         &SettingsPanel::advPhotoSwitchState_},
        {kAdvVideoSwitchTag, Tools::boolForKey("advVideoSelected", false, preferences),
         &SettingsPanel::advVideoSwitchState_},
        {kRememberSwitchTag, Tools::boolForKey("rememberSettings", false, preferences),
         &SettingsPanel::rememberAllSwitchState_},
    };
    for (const auto& [tag, on, switchState] : positions) {
        if (auto control = switchWithTag(tag)) {
            control->setOn(on);
            this->*switchState = on;
        }
    }
}

void SettingsPanel::advPhotoToggle(platform::id sender) {
    storePosition(sender, advPhotoSwitchState_);
}

void SettingsPanel::advVideoToggle(platform::id sender) {
    storePosition(sender, advVideoSwitchState_);
}

void SettingsPanel::rememberSettingsToggle(platform::id sender) {
    storePosition(sender, rememberAllSwitchState_);
}

void SettingsPanel::storePosition(platform::id sender, bool& switchState) {
    if (auto* control = dynamic_cast<platform::UISwitch*>(sender)) {
        switchState = control->isOn();
    }
}

void SettingsPanel::closePreferences(platform::id) {
    auto self = platform::retain<SettingsPanel>(this);
    platform::UIView::animate(
        0.5, 0, 0, [this] { setAlpha(0); },
        [self](bool) {
            if (self) {
                self->setHidden(true);
            }
        });
    platform::CFNotificationCenterPostNotification(
        platform::CFNotificationCenterGetDarwinNotifyCenter(),
        std::string(kSettingsFormClosedNotification), nullptr, nullptr, true);
}

std::shared_ptr<platform::UISwitch> SettingsPanel::switchWithTag(int tag) {
    return std::dynamic_pointer_cast<platform::UISwitch>(viewWithTag(tag));
}

std::shared_ptr<platform::UIButton> SettingsPanel::closeButton() const {
    for (const auto& subview : subviews()) {
        if (auto button = std::dynamic_pointer_cast<platform::UIButton>(subview)) {
            return button;
        }
    }
    return {};
}

}  // namespace snapforge
