#pragma once

#include <string_view>

#include "platform/runtime/Runtime.h"

namespace host {

// Messages of the camera app that only the app itself sends.
namespace internal_sel {
// The shutter button's action; it asks the camera view's cameraShutterClicked: in turn.
inline const platform::Selector<void(platform::id)> shutterButtonClicked{"_shutterButtonClicked:"};
}  // namespace internal_sel

// Registers the camera app's classes with the current process's runtime, each with the app's
// own implementation of its messages: PLCameraController, PLCameraView, PLPreviewOverlayView,
// PLSwipeBlockingScrollView, PLCameraButtonBar, PLCameraButton and PLCameraImageWellView.
// Only the first call in a process registers; later ones leave the classes (and any hooks
// installed on them) as they are.
void registerHostClasses();

// A registered camera-app class by name (registering the classes first if need be).
platform::Class* hostClass(std::string_view name);

}  // namespace host
