#include "host/SimCameraView.h"

#include <algorithm>
#include <cmath>

#include "host/DeviceModels.h"
#include "host/HostClasses.h"
#include "platform/Process.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UITouch.h"

namespace host {
namespace {

using platform::CGPoint;
using platform::CGRect;
using platform::CGSize;

bool isIOS6() {
    return majorSystemVersion(platform::Process::current().profile().systemVersion) >= 6;
}

CGPoint locationOf(sel::Touches touches, const platform::UIView* view) {
    const auto touch = touches ? touches->anyObject() : nullptr;
    return touch ? touch->locationInView(view) : CGPoint{};
}

platform::CGFloat distance(CGPoint a, CGPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

std::string_view modeName(int mode) {
    return mode == SimCameraController::kVideoMode ? "video" : "photo";
}

}  // namespace

std::shared_ptr<SimCameraView> SimCameraView::create(
    CGRect frame, std::shared_ptr<SimCameraController> controller,
    std::shared_ptr<HostEventFeed> events) {
    auto view = std::make_shared<SimCameraView>(frame, std::move(controller), std::move(events));
    view->buildSubviews();
    return view;
}

SimCameraView::SimCameraView(CGRect frame, std::shared_ptr<SimCameraController> controller,
                             std::shared_ptr<HostEventFeed> events)
    : controller_(controller), events_(std::move(events)) {
    setObjcClass(hostClass("PLCameraView"));
    setFrame(frame);
}

void SimCameraView::registerRuntimeClass() {
    using platform::class_addMemberMethod;
    using Self = SimCameraView;
    platform::Class* cls = platform::registerUIKitClass("PLCameraView", "UIView");
    class_addMemberMethod<&Self::hostExitPanoramaModeAndShowIris>(cls,
                                                                  sel::exitPanoramaModeAndShowIris);
    class_addMemberMethod<&Self::hostEnterPanoramaMode>(cls, sel::enterPanoramaMode);
    class_addMemberMethod<&Self::hostOpenIris>(cls, sel::openIrisWithDidFinishSelector);
    class_addMemberMethod<&Self::hostCloseIris>(cls, sel::closeIrisWithDidFinishSelector);
    class_addMemberMethod<&Self::hostTouchesBegan>(cls, sel::touchesBegan);
    class_addMemberMethod<&Self::hostTouchesMoved>(cls, sel::touchesMoved);
    class_addMemberMethod<&Self::hostTouchesEnded>(cls, sel::touchesEnded);
    class_addMemberMethod<&Self::hostViewDidAppear>(cls, sel::viewDidAppear);
    class_addMemberMethod<&Self::hostWindowWillAnimateRotation>(
        cls, sel::_windowWillAnimateRotationToOrientation);
    class_addMemberMethod<&Self::hostHandleOverlayViewLongPress>(cls,
                                                                 sel::_handleOverlayViewLongPress);
    class_addMemberMethod<&Self::hostDealloc>(cls, sel::dealloc);
    class_addMemberMethod<&Self::hostConvertToPointOfInterest>(
        cls, sel::convertToPointOfInterestFromViewCoordinates);
    class_addMemberMethod<&Self::hostCameraControllerDidTakePhoto>(
        cls, sel::cameraControllerDidTakePhoto);
    class_addMemberMethod<&Self::hostCameraShutterClicked>(cls, sel::cameraShutterClicked);
    class_addMemberMethod<&Self::hostPressShutterButton>(cls, sel::pressShutterButton);
    class_addMemberMethod<&Self::hostSetShouldShowFocus>(cls, sel::_setShouldShowFocus);
    class_addMemberMethod<&Self::hostShutterButtonClicked>(cls, internal_sel::shutterButtonClicked);
}

void SimCameraView::buildSubviews() {
    const CGRect area = bounds();
    scrollView_ = SimSwipeBlockingScrollView::create(area);
    overlay_ = SimPreviewOverlayView::create();
    platform::send(overlay_.get(), sel::initWithFrame, scrollView_->previewPageFrame());
    scrollView_->addSubview(overlay_);
    addSubview(scrollView_);

    const platform::CGFloat barHeight = SimCameraButtonBar::kHeight;
    buttonBar_ = SimCameraButtonBar::create(
        {{0, area.size.height - barHeight}, {area.size.width, barHeight}});
    addSubview(buttonBar_);
    if (auto shutter = buttonBar_->shutterButton()) {
        shutter->addTarget(this, internal_sel::shutterButtonClicked.sel,
                           platform::UIControlEventTouchUpInside);
    }

    // The host's long press leaves the touch to the view: it still ends with touchesEnded.
    auto longPress =
        platform::UILongPressGestureRecognizer::create(this, sel::_handleOverlayViewLongPress.sel);
    longPress->setCancelsTouchesInView(false);
    addGestureRecognizer(longPress);
    longPress_ = longPress;

    auto weak = platform::weakRef<SimCameraView>(this);
    scrollView_->setSwipePermission([weak] {
        auto self = weak.lock();
        return self && self->maySwipe();
    });
    scrollView_->setSwipeHandler([weak](int direction) {
        if (auto self = weak.lock()) {
            self->swiped(direction);
        }
    });
}

std::shared_ptr<SimCameraButton> SimCameraView::shutterButton() const {
    return buttonBar_ ? buttonBar_->shutterButton() : nullptr;
}

CGSize SimCameraView::previewLayerSize() const {
    const CGSize size = bounds().size;
    const platform::CGFloat scale = isIOS6() ? 1 : 2;
    return {size.width * scale, size.height * scale};
}

bool SimCameraView::isOnPreview(CGPoint point) const {
    const CGRect area = bounds();
    return CGRectContainsPoint(area, point) &&
           point.y < area.size.height - SimCameraButtonBar::kHeight;
}

std::optional<std::string> SimCameraView::busyReason() const {
    auto controller = controller_.lock();
    if (deallocated_ || !controller) {
        return "camera closed";
    }
    if (!controller->isPreviewRunning()) {
        return "preview stopped";
    }
    if (!irisOpen_) {
        return "iris closed";
    }
    if (takingPhoto_) {
        return "taking a photo";
    }
    if (switchingMode_) {
        return "switching modes";
    }
    return std::nullopt;
}

std::optional<std::string> SimCameraView::modeSwitchRefusal(int mode) const {
    if (mode != SimCameraController::kPhotoMode && mode != SimCameraController::kVideoMode) {
        return "no such mode";
    }
    if (auto busy = busyReason()) {
        return busy;
    }
    if (mode == controller_.lock()->cameraMode()) {
        return "already in " + std::string(modeName(mode)) + " mode";
    }
    return std::nullopt;
}

bool SimCameraView::switchCameraMode(int mode) {
    if (const auto refusal = modeSwitchRefusal(mode)) {
        publish(HostEventKind::ModeSwitchRefused,
                "switch to " + std::string(modeName(mode)) + " mode refused: " + *refusal);
        return false;
    }
    auto controller = controller_.lock();
    if (panorama_) {
        exitPanoramaModeAndShowIris(false);
    }
    switchingMode_ = true;
    closeIrisWithDidFinishSelector(nullptr, kIrisSeconds);
    controller->_setCameraMode(mode, controller->cameraDevice());
    if (buttonBar_) {
        buttonBar_->setNeedsLayout();
        buttonBar_->layoutIfNeeded();
    }
    afterDelay(kIrisClosedSeconds, &SimCameraView::reopenIrisAfterModeSwitch);
    return true;
}

std::optional<std::string> SimCameraView::panoramaRefusal(bool on) const {
    auto controller = controller_.lock();
    if (deallocated_ || !controller) {
        return "camera closed";
    }
    if (on == panorama_) {
        return on ? "panorama already on" : "panorama already off";
    }
    if (on && controller->cameraMode() != SimCameraController::kPhotoMode) {
        return "panorama is for photo mode";
    }
    return std::nullopt;
}

bool SimCameraView::setPanorama(bool on) {
    if (const auto refusal = panoramaRefusal(on)) {
        publish(HostEventKind::PanoramaRefused,
                std::string("panorama ") + (on ? "on" : "off") + " refused: " + *refusal);
        return false;
    }
    if (on) {
        enterPanoramaMode();
    } else {
        exitPanoramaModeAndShowIris(true);
    }
    return true;
}

std::optional<std::string> SimCameraView::shutterRefusal() const {
    return busyReason();
}

void SimCameraView::rotate(int orientation) {
    platform::UIApplication::sharedApplication().setStatusBarOrientation(orientation);
    _windowWillAnimateRotationToOrientation(orientation);
}

void SimCameraView::touchesBegan(const platform::UITouchSet& touches, platform::UIEvent* event) {
    platform::send(this, sel::touchesBegan, &touches, event);
}

void SimCameraView::touchesMoved(const platform::UITouchSet& touches, platform::UIEvent* event) {
    platform::send(this, sel::touchesMoved, &touches, event);
}

void SimCameraView::touchesEnded(const platform::UITouchSet& touches, platform::UIEvent* event) {
    platform::send(this, sel::touchesEnded, &touches, event);
}

void SimCameraView::touchesCancelled(const platform::UITouchSet&, platform::UIEvent*) {
    touching_ = false;
}

// The long press serves the preview only, not the button bar.
bool SimCameraView::gestureRecognizerShouldBegin(platform::UIGestureRecognizer* recognizer) {
    if (recognizer != nullptr && recognizer == longPress_.lock().get()) {
        return isOnPreview(recognizer->locationInView(this));
    }
    return UIView::gestureRecognizerShouldBegin(recognizer);
}

bool SimCameraView::maySwipe() const {
    auto controller = controller_.lock();
    return controller && !busyReason() && !panorama_ && !controller->isRecording();
}

// The iris closes over the capture, the photo is saved and reported, and the iris opens again.
void SimCameraView::takePhoto() {
    auto controller = controller_.lock();
    if (!controller) {
        takingPhoto_ = false;
        return;
    }
    closeIrisWithDidFinishSelector(nullptr, kIrisSeconds);
    controller->capturePhoto(orientation_);
    cameraControllerDidTakePhoto(controller.get());
    afterDelay(kIrisClosedSeconds, &SimCameraView::reopenIrisAfterPhoto);
}

void SimCameraView::afterDelay(double seconds, void (SimCameraView::*step)()) {
    auto weak = platform::weakRef<SimCameraView>(this);
    platform::RunLoop::main().schedule(seconds, [weak, step] {
        auto self = weak.lock();
        if (self && !self->deallocated_) {
            (self.get()->*step)();
        }
    });
}

void SimCameraView::reopenIrisAfterPhoto() {
    takingPhoto_ = false;
    auto controller = controller_.lock();
    if (controller && controller->isPreviewRunning()) {
        openIrisWithDidFinishSelector(nullptr, kIrisSeconds);
    }
}

void SimCameraView::reopenIrisAfterModeSwitch() {
    switchingMode_ = false;
    auto controller = controller_.lock();
    if (controller && controller->isPreviewRunning()) {
        openIrisWithDidFinishSelector(nullptr, kIrisSeconds);
    }
}

void SimCameraView::finishIrisAnimation(platform::SEL didFinish, float duration) {
    if (didFinish == nullptr) {
        return;
    }
    auto weak = platform::weakRef<SimCameraView>(this);
    platform::RunLoop::main().schedule(std::max(0.0f, duration), [weak, didFinish] {
        auto self = weak.lock();
        if (self && !self->deallocated_) {
            platform::send(self.get(), platform::Selector<void()>(didFinish));
        }
    });
}

void SimCameraView::tapToFocus(CGPoint point) {
    auto controller = controller_.lock();
    if (!controller || !controller->isFocusAllowed()) {
        return;
    }
    const CGPoint layerPoint = isIOS6() ? point : CGPoint{point.x * 2, point.y * 2};
    bool insideContent = false;
    const CGPoint pointOfInterest =
        convertToPointOfInterestFromViewCoordinates(layerPoint, &insideContent);
    controller->focusAt(pointOfInterest);
}

void SimCameraView::swiped(int direction) {
    switchCameraMode(direction > 0 ? SimCameraController::kVideoMode
                                   : SimCameraController::kPhotoMode);
}

void SimCameraView::publish(HostEventKind kind, std::string text) {
    if (events_) {
        events_->publish(kind, std::move(text));
    }
}

void SimCameraView::hostExitPanoramaModeAndShowIris(bool showIris) {
    calls_.note(sel::exitPanoramaModeAndShowIris.sel);
    panorama_ = false;
    publish(HostEventKind::PanoramaExited, "panorama off");
    if (showIris) {
        openIrisWithDidFinishSelector(nullptr, kIrisSeconds);
    }
}

void SimCameraView::hostEnterPanoramaMode() {
    calls_.note(sel::enterPanoramaMode.sel);
    panorama_ = true;
    publish(HostEventKind::PanoramaEntered, "panorama on");
}

void SimCameraView::hostOpenIris(platform::SEL didFinish, float duration) {
    calls_.note(sel::openIrisWithDidFinishSelector.sel);
    irisOpen_ = true;
    publish(HostEventKind::IrisOpened, "iris opened");
    finishIrisAnimation(didFinish, duration);
}

void SimCameraView::hostCloseIris(platform::SEL didFinish, float duration) {
    calls_.note(sel::closeIrisWithDidFinishSelector.sel);
    irisOpen_ = false;
    publish(HostEventKind::IrisClosed, "iris closed");
    finishIrisAnimation(didFinish, duration);
}

void SimCameraView::hostTouchesBegan(sel::Touches touches, sel::Event) {
    calls_.note(sel::touchesBegan.sel);
    if (touches == nullptr || !touches->anyObject()) {
        return;
    }
    touching_ = true;
    touchMoved_ = false;
    longPressInTouch_ = false;
    touchStart_ = locationOf(touches, this);
}

void SimCameraView::hostTouchesMoved(sel::Touches touches, sel::Event) {
    calls_.note(sel::touchesMoved.sel);
    if (touching_ && distance(locationOf(touches, this), touchStart_) > kTapSlop) {
        touchMoved_ = true;
    }
}

// A plain tap on the preview focuses there, as the host's own tap-to-focus.
void SimCameraView::hostTouchesEnded(sel::Touches touches, sel::Event) {
    calls_.note(sel::touchesEnded.sel);
    if (!touching_) {
        return;
    }
    touching_ = false;
    const CGPoint point = locationOf(touches, this);
    const bool tap = !touchMoved_ && !longPressInTouch_ && distance(point, touchStart_) <= kTapSlop;
    if (tap && isOnPreview(point)) {
        tapToFocus(point);
    }
}

void SimCameraView::hostViewDidAppear() {
    calls_.note(sel::viewDidAppear.sel);
    appeared_ = true;
}

void SimCameraView::hostWindowWillAnimateRotation(int orientation) {
    calls_.note(sel::_windowWillAnimateRotationToOrientation.sel);
    orientation_ = orientation;
    publish(HostEventKind::Rotated, "rotated to " + std::to_string(orientation));
}

// A long press on the preview holds exposure and focus, where the host may focus.
void SimCameraView::hostHandleOverlayViewLongPress(platform::id sender) {
    calls_.note(sel::_handleOverlayViewLongPress.sel);
    auto* recognizer = dynamic_cast<platform::UIGestureRecognizer*>(sender);
    if (recognizer == nullptr || recognizer->state() != platform::UIGestureRecognizerStateBegan) {
        return;
    }
    ++longPressCount_;
    longPressInTouch_ = true;
    auto controller = controller_.lock();
    if (controller && controller->isFocusAllowed()) {
        controller->holdFocusAndExposure();
    }
}

// The view lets go of its parts and leaves the screen.
void SimCameraView::hostDealloc() {
    calls_.note(sel::dealloc.sel);
    deallocated_ = true;
    irisOpen_ = false;
    touching_ = false;
    if (auto longPress = longPress_.lock()) {
        removeGestureRecognizer(longPress.get());
    }
    const auto subviews = this->subviews();
    for (const auto& subview : subviews) {
        subview->removeFromSuperview();
    }
    removeFromSuperview();
    scrollView_.reset();
    overlay_.reset();
    buttonBar_.reset();
}

CGPoint SimCameraView::hostConvertToPointOfInterest(CGPoint point, bool* insideContent) {
    calls_.note(sel::convertToPointOfInterestFromViewCoordinates.sel);
    const CGSize layer = previewLayerSize();
    if (layer.width <= 0 || layer.height <= 0) {
        if (insideContent != nullptr) {
            *insideContent = false;
        }
        return {};
    }
    const CGPoint pointOfInterest{point.x / layer.width, point.y / layer.height};
    if (insideContent != nullptr) {
        *insideContent = pointOfInterest.x >= 0 && pointOfInterest.x <= 1 &&
                         pointOfInterest.y >= 0 && pointOfInterest.y <= 1;
    }
    return pointOfInterest;
}

void SimCameraView::hostCameraControllerDidTakePhoto(platform::id controller) {
    calls_.note(sel::cameraControllerDidTakePhoto.sel);
    auto* camera = dynamic_cast<SimCameraController*>(controller);
    auto imageWell = buttonBar_ ? buttonBar_->imageWell() : nullptr;
    if (camera != nullptr && imageWell && !camera->photos().empty()) {
        imageWell->showPhoto(camera->photos().back().number);
    }
}

// Yes when the press takes a photo: the iris then closes at the next turn of the run loop,
// after the caller has heard the answer. In video mode the press starts or stops a recording.
bool SimCameraView::hostCameraShutterClicked(platform::id) {
    calls_.note(sel::cameraShutterClicked.sel);
    if (const auto refusal = shutterRefusal()) {
        publish(HostEventKind::ShutterIgnored, "shutter ignored: " + *refusal);
        return false;
    }
    auto controller = controller_.lock();
    if (controller->cameraMode() == SimCameraController::kVideoMode) {
        controller->toggleRecording();
        return false;
    }
    takingPhoto_ = true;
    afterDelay(0, &SimCameraView::takePhoto);
    return true;
}

// A press made in code rather than by a finger, as an extension takes its timed photos.
void SimCameraView::hostPressShutterButton() {
    calls_.note(sel::pressShutterButton.sel);
    publish(HostEventKind::ShutterPressedInCode, "shutter pressed by pressShutterButton");
    cameraShutterClicked(shutterButton().get());
}

void SimCameraView::hostSetShouldShowFocus(bool show) {
    calls_.note(sel::_setShouldShowFocus.sel);
    shouldShowFocus_ = show;
}

void SimCameraView::hostShutterButtonClicked(platform::id sender) {
    calls_.note(internal_sel::shutterButtonClicked.sel);
    cameraShutterClicked(sender);
}

}  // namespace host
