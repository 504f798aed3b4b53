#include "snapforge/capture/FramingAids.h"

#include <array>
#include <memory>
#include <span>
#include <string_view>

#include "host/PLCameraView.h"
#include "platform/ui/CATransition.h"
#include "platform/ui/UIImageView.h"
#include "snapforge/prefs/Preferences.h"
#include "snapforge/startup/LibraryClass.h"
#include "snapforge/startup/State.h"

namespace snapforge {
namespace {

// The strips repeat their pictures so that they can wrap around; an empty name is a choice of
// no picture.
constexpr std::array<std::string_view, 8> kOverlayPictures{
    "overlayTriSection.png", "overlaySquare.png", "overlayThirds.png", "overlayGuldenSnede.png",
    "overlayTriSection.png", "overlaySquare.png", "overlayThirds.png", "overlayGuldenSnede.png"};
constexpr std::array<std::string_view, 6> kGuidePictures{"43.png", "2351.png", "",
                                                         "43.png", "2351.png", ""};

// What tells one kind of framing aid from the other.
struct AidKind {
    std::span<const std::string_view> pictures;
    int State::*index;
    bool State::*isShowing;
    bool State::*selected;
    bool State::*tmpSelected;
    // How far below the camera view's top the picture starts.
    float top;
};

const AidKind kOverlay{
    kOverlayPictures,         &State::overlayIndex,        &State::overlayIsShowing,
    &State::_overlaySelected, &State::_tmpOverlaySelected, 2};
const AidKind kFrameGuide{
    kGuidePictures,         &State::guideIndex,        &State::frameGuideIsShowing,
    &State::_guideSelected, &State::_tmpGuideSelected, 1};

std::shared_ptr<platform::UIImage> pictureNamed(std::string_view name) {
    return name.empty() ? nullptr : imageNamed(name);
}

// Over the camera view above the host's bottom bar, whichever way the interface is turned.
platform::CGRect pictureFrame(const platform::UIView& cameraView, float top) {
    const State& s = state();
    const platform::CGRect f = cameraView.frame();
    const auto bar = static_cast<float>(s.kCameraButtonBarHeight);
    const bool upright = s.currentOrientation == 1 || s.currentOrientation == 2;
    const float width = upright ? f.size.width : f.size.height;
    const float height = (upright ? f.size.height : f.size.width) - bar - 3;
    return platform::CGRectMake(f.origin.x, f.origin.y + top, width, height);
}

void showPicture(std::shared_ptr<platform::UIImage> image, float top) {
    auto cameraView = state().cameraView.lock();
    if (!cameraView) {
        return;
    }
    if (auto shown = std::dynamic_pointer_cast<platform::UIImageView>(
            cameraView->viewWithTag(kPictureViewTag))) {
        shown->setImage(std::move(image));
        auto fade = platform::CATransition::animation();
        fade.setDuration(kPictureFadeSeconds);
        fade.setTimingFunction(platform::kCAMediaTimingFunctionEaseInEaseOut);
        fade.setType(platform::kCATransitionFade);
        platform::addTransition(shown.get(), fade);
        return;
    }
    auto picture = platform::UIImageView::create(pictureFrame(*cameraView, top));
    picture->setImage(std::move(image));
    picture->setTag(kPictureViewTag);
    cameraView->addSubview(picture);
}

void toggleAid(const AidKind& kind, int index, bool selected, bool restoring) {
    State& s = state();
    if (!selected) {
        hideOverlayView();
    } else {
        if (index == s.*kind.index && s.*kind.isShowing) {
            return;
        }
        s.*kind.index = index;
        if (index < 0 || static_cast<std::size_t>(index) >= kind.pictures.size()) {
            return;
        }
        showPicture(pictureNamed(kind.pictures[static_cast<std::size_t>(index)]), kind.top);
        s.*kind.isShowing = true;
    }
    s.*kind.tmpSelected = selected;
    s.*kind.selected = selected;
    if (!restoring && s.rememberSettings) {
        savePrefs();
    }
}

}  // namespace

void toggleOverlay(int index, bool selected, bool restoring) {
    toggleAid(kOverlay, index, selected, restoring);
}

void toggleFrameGuide(int index, bool selected, bool restoring) {
    toggleAid(kFrameGuide, index, selected, restoring);
}

void hideOverlayView() {
    State& s = state();
    if (s.overlayIsShowing || s.frameGuideIsShowing) {
        if (auto cameraView = s.cameraView.lock()) {
            if (auto picture = cameraView->viewWithTag(kPictureViewTag)) {
                picture->removeFromSuperview();
            }
        }
    }
    s.overlayIsShowing = false;
    s.frameGuideIsShowing = false;
}

}  // namespace snapforge
