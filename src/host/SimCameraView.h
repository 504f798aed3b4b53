#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/HostCalls.h"
#include "host/HostEventFeed.h"
#include "host/PLCameraView.h"
#include "host/SimCameraButtonBar.h"
#include "host/SimCameraController.h"
#include "host/SimPreviewOverlayView.h"
#include "host/SimSwipeBlockingScrollView.h"
#include "platform/ui/UILongPressGestureRecognizer.h"

namespace host {

// The camera app's screen ("PLCameraView"): the swipe strip with the preview overlay, the
// bottom button bar, the iris, the host's own tap-to-focus and long press, photos, mode
// switches, panorama and rotation. Every message the library may hook is sent through the
// runtime, also the view's own touches.
class SimCameraView : public PLCameraView {
public:
    static constexpr double kIrisSeconds = 0.3;
    // How long the iris stays closed for a photo or a mode switch before it opens again.
    static constexpr double kIrisClosedSeconds = 0.6;
    // A touch that moves further than this is no tap.
    static constexpr platform::CGFloat kTapSlop = 10;

    // The view with its subviews built: the swipe strip holding the preview overlay (created
    // through initWithFrame:) and the button bar on top.
    static std::shared_ptr<SimCameraView> create(platform::CGRect frame,
                                                 std::shared_ptr<SimCameraController> controller,
                                                 std::shared_ptr<HostEventFeed> events);
    SimCameraView(platform::CGRect frame, std::shared_ptr<SimCameraController> controller,
                  std::shared_ptr<HostEventFeed> events);

    static void registerRuntimeClass();

    // The parts; empty once the view has been torn down.
    std::shared_ptr<SimCameraButtonBar> buttonBar() const { return buttonBar_; }
    std::shared_ptr<SimCameraButton> shutterButton() const;
    std::shared_ptr<SimPreviewOverlayView> previewOverlayView() const { return overlay_; }
    std::shared_ptr<SimSwipeBlockingScrollView> swipeScrollView() const { return scrollView_; }
    std::shared_ptr<platform::UILongPressGestureRecognizer> longPressRecognizer() const {
        return longPress_.lock();
    }
    std::shared_ptr<SimCameraController> controller() const { return controller_.lock(); }

    // What the host is doing.
    bool isIrisOpen() const { return irisOpen_; }
    bool isTakingPhoto() const { return takingPhoto_; }
    bool isSwitchingMode() const { return switchingMode_; }
    bool isInPanorama() const { return panorama_; }
    bool hasAppeared() const { return appeared_; }
    bool isDeallocated() const { return deallocated_; }
    bool shouldShowFocus() const { return shouldShowFocus_; }
    int orientation() const { return orientation_; }
    int longPressCount() const { return longPressCount_; }
    int hostCallCount(std::string_view selector) const { return calls_.count(selector); }

    // The preview layer: the view's size from system version 6 on, twice it before.
    platform::CGSize previewLayerSize() const;
    // Whether a point of the view lies on the preview rather than on the button bar.
    bool isOnPreview(platform::CGPoint point) const;

    // The host's photo/video switch: closes the iris, changes the controller's mode and opens
    // the iris again a little later. False when the switch cannot happen now; the app's
    // timeline then says why.
    bool switchCameraMode(int mode);
    // Why the switch to `mode` cannot happen now ("iris closed"), or nothing when it can.
    std::optional<std::string> modeSwitchRefusal(int mode) const;
    // Enters or leaves panorama (photo mode only). False when nothing changes.
    bool setPanorama(bool on);
    std::optional<std::string> panoramaRefusal(bool on) const;
    // Why a shutter press takes no photo and starts no recording now, or nothing.
    std::optional<std::string> shutterRefusal() const;
    // The interface turns: the status bar first, then the view hears of it.
    void rotate(int orientation);

    void touchesBegan(const platform::UITouchSet& touches, platform::UIEvent* event) override;
    void touchesMoved(const platform::UITouchSet& touches, platform::UIEvent* event) override;
    void touchesEnded(const platform::UITouchSet& touches, platform::UIEvent* event) override;
    void touchesCancelled(const platform::UITouchSet& touches, platform::UIEvent* event) override;
    bool gestureRecognizerShouldBegin(platform::UIGestureRecognizer* recognizer) override;

private:
    void buildSubviews();
    // Why the camera is not ready for a photo, a switch or a swipe now, or nothing.
    std::optional<std::string> busyReason() const;
    bool maySwipe() const;
    void takePhoto();
    void afterDelay(double seconds, void (SimCameraView::*step)());
    void reopenIrisAfterPhoto();
    void reopenIrisAfterModeSwitch();
    void finishIrisAnimation(platform::SEL didFinish, float duration);
    void tapToFocus(platform::CGPoint point);
    void swiped(int direction);
    void publish(HostEventKind kind, std::string text);

    // The host's own implementations, registered as runtime methods.
    void hostExitPanoramaModeAndShowIris(bool showIris);
    void hostEnterPanoramaMode();
    void hostOpenIris(platform::SEL didFinish, float duration);
    void hostCloseIris(platform::SEL didFinish, float duration);
    void hostTouchesBegan(sel::Touches touches, sel::Event event);
    void hostTouchesMoved(sel::Touches touches, sel::Event event);
    void hostTouchesEnded(sel::Touches touches, sel::Event event);
    void hostViewDidAppear();
    void hostWindowWillAnimateRotation(int orientation);
    void hostHandleOverlayViewLongPress(platform::id recognizer);
    void hostDealloc();
    platform::CGPoint hostConvertToPointOfInterest(platform::CGPoint point, bool* insideContent);
    void hostCameraControllerDidTakePhoto(platform::id controller);
    bool hostCameraShutterClicked(platform::id sender);
    void hostPressShutterButton();
    void hostSetShouldShowFocus(bool show);
    void hostShutterButtonClicked(platform::id sender);

    std::weak_ptr<SimCameraController> controller_;
    std::shared_ptr<HostEventFeed> events_;
    std::shared_ptr<SimSwipeBlockingScrollView> scrollView_;
    std::shared_ptr<SimPreviewOverlayView> overlay_;
    std::shared_ptr<SimCameraButtonBar> buttonBar_;
    std::weak_ptr<platform::UILongPressGestureRecognizer> longPress_;

    bool irisOpen_ = false;
    bool takingPhoto_ = false;
    bool switchingMode_ = false;
    bool panorama_ = false;
    bool appeared_ = false;
    bool deallocated_ = false;
    bool shouldShowFocus_ = true;
    int orientation_ = 1;
    int longPressCount_ = 0;

    // The touch in progress, for the host's tap-to-focus.
    bool touching_ = false;
    bool touchMoved_ = false;
    bool longPressInTouch_ = false;
    platform::CGPoint touchStart_;

    HostCalls calls_;
};

}  // namespace host
