#include "snapforge/focus/WhiteBalanceButton.h"

#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/startup/State.h"

namespace snapforge {

std::shared_ptr<WhiteBalanceButton> WhiteBalanceButton::create(platform::CGRect frame) {
    auto button = std::make_shared<WhiteBalanceButton>();
    button->initWithFrame(frame);
    button->setObjcClass(libraryClass("WhiteBalanceButton", "WBlockBtn"));
    return button;
}

void WhiteBalanceButton::toggleBtn(platform::id sender) {
    WBlockBtn::toggleBtn(sender);
    auto* button = dynamic_cast<WBlockBtn*>(sender);
    if (button == nullptr) {
        return;
    }
    const bool locked = button->isSelected();
    const int mode = locked ? 0 : 2;
    snapforge::state().canWhiteBalance = !locked;
    configureCurrentDevice([mode](platform::AVCaptureDevice& device) {
        if (device.isWhiteBalanceModeSupported(mode)) {
            device.setWhiteBalanceMode(mode);
        }
    });
}

}  // namespace snapforge
