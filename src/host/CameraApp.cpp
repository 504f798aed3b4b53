#include "host/CameraApp.h"

#include "host/DeviceModels.h"
#include "host/HostClasses.h"
#include "platform/Process.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"

namespace host {
namespace {

std::optional<platform::CGPoint> centerOnScreen(const platform::UIView* view) {
    if (view == nullptr || view->window() == nullptr) {
        return std::nullopt;
    }
    const platform::CGRect bounds = view->bounds();
    return view->convertPointToScreen({CGRectGetMidX(bounds), CGRectGetMidY(bounds)});
}

}  // namespace

CameraApp::CameraApp(LoadExtensions loadExtensions)
    : loadExtensions_(std::move(loadExtensions)), events_(std::make_shared<HostEventFeed>()) {}

CameraApp::~CameraApp() = default;

void CameraApp::launch() {
    if (isOpen()) {
        return;
    }
    if (!controller_) {
        createController();
    }
    events_->publish(HostEventKind::CameraLaunched, "camera launched");
    const platform::CGRect screen = platform::UIScreen::mainScreen().bounds();
    window_ = platform::UIWindow::create(screen);
    window_->setWindowLevel(platform::UIWindowLevelNormal);
    cameraView_ = SimCameraView::create(screen, controller_, events_);
    window_->addSubview(cameraView_);
    window_->makeKeyAndVisible();
    if (auto bar = cameraView_->buttonBar()) {
        bar->layoutSubviews();
    }
    cameraView_->viewDidAppear();
    controller_->startPreview();
    cameraView_->openIrisWithDidFinishSelector(nullptr, SimCameraView::kIrisSeconds);
}

void CameraApp::createController() {
    registerHostClasses();
    if (loadExtensions_) {
        loadExtensions_();
    }
    controller_ = SimCameraController::create(events_);
    platform::send(controller_.get(), sel::init);
}

void CameraApp::close() {
    if (!isOpen()) {
        return;
    }
    controller_->stopPreview();
    auto view = std::move(cameraView_);
    auto bar = view->buttonBar();
    view->dealloc();
    if (bar) {
        bar->dealloc();
    }
    window_->setHidden(true);
    window_.reset();
    events_->publish(HostEventKind::CameraClosed, "camera closed");
}

bool CameraApp::pressShutter() {
    const auto center = shutterCenter();
    if (!center) {
        return false;
    }
    platform::UIScreen::mainScreen().tap(*center);
    return true;
}

bool CameraApp::setCameraMode(int mode) {
    return cameraView_ && cameraView_->switchCameraMode(mode);
}

bool CameraApp::setPanorama(bool on) {
    return cameraView_ && cameraView_->setPanorama(on);
}

std::optional<std::string> CameraApp::modeSwitchRefusal(int mode) const {
    return cameraView_ ? cameraView_->modeSwitchRefusal(mode) : "camera closed";
}

std::optional<std::string> CameraApp::panoramaRefusal(bool on) const {
    return cameraView_ ? cameraView_->panoramaRefusal(on) : "camera closed";
}

void CameraApp::rotate(int orientation) {
    if (cameraView_) {
        cameraView_->rotate(orientation);
    } else {
        platform::UIApplication::sharedApplication().setStatusBarOrientation(orientation);
    }
}

// The preview stops and the app's observers, the library's among them, hear of it.
void CameraApp::enterBackground() {
    if (inBackground_) {
        return;
    }
    inBackground_ = true;
    if (isOpen()) {
        controller_->stopPreview();
    }
    events_->publish(HostEventKind::AppEnteredBackground, "app entered background");
    platform::UIApplication::sharedApplication().enterBackground();
}

void CameraApp::enterForeground() {
    if (!inBackground_) {
        return;
    }
    inBackground_ = false;
    platform::UIApplication::sharedApplication().enterForeground();
    events_->publish(HostEventKind::AppEnteredForeground, "app entered foreground");
    if (isOpen()) {
        controller_->startPreview();
        cameraView_->openIrisWithDidFinishSelector(nullptr, SimCameraView::kIrisSeconds);
    }
}

bool CameraApp::setCapability(std::string_view name, bool on) {
    auto& capabilities = platform::Process::current().profile().capture;
    if (!host::setCapability(capabilities, name, on)) {
        return false;
    }
    if (controller_) {
        controller_->setCapabilities(capabilities);
    }
    return true;
}

const std::vector<SimCameraController::Photo>& CameraApp::photos() const {
    static const std::vector<SimCameraController::Photo> none;
    return controller_ ? controller_->photos() : none;
}

int CameraApp::photoCount() const {
    return controller_ ? controller_->photoCount() : 0;
}

std::optional<platform::CGPoint> CameraApp::shutterCenter() const {
    if (!cameraView_) {
        return std::nullopt;
    }
    return centerOnScreen(cameraView_->shutterButton().get());
}

std::optional<platform::CGPoint> CameraApp::previewCenter() const {
    return centerOnScreen(cameraView_.get());
}

}  // namespace host
