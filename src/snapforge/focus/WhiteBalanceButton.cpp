#include "snapforge/focus/WhiteBalanceButton.h"

#include "host/PLCameraView.h"
#include "snapforge/focus/CaptureDevice.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

constexpr platform::CGFloat kPortraitY = 370;
constexpr platform::CGFloat kLandscapeY = 260;

}  // namespace

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

platform::CGFloat WhiteBalanceButton::yFor(int orientation) const {
    if (orientation == 3 || orientation == 4) {
        return kLandscapeY;
    }
    if (orientation != 1 && orientation != 2) {
        return frame().origin.y;
    }
    const auto hostBar = snapforge::state().cameraButtonBar.lock();
    if (!hostBar || superview() == nullptr) {
        return kPortraitY;
    }
    platform::CGRect portrait = frame();
    portrait.origin.y = kPortraitY;
    const auto hostBarFrame = hostBar->convertRectToView(hostBar->bounds(), superview());
    if (!platform::CGRectIntersectsRect(portrait, hostBarFrame)) {
        return kPortraitY;
    }
    return hostBarFrame.origin.y - portrait.size.height;
}

}  // namespace snapforge
