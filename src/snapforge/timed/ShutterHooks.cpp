// The host's shutter and its reports of photos taken.
#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"
#include "snapforge/startup/State.h"

namespace snapforge {

bool _method$PLCameraView$cameraShutterClicked$(id self, SEL cmd, id sender) {
    log("** Snapforge ** PLCameraView - cameraShutterClicked$");
    // The host's answer tells whether it is taking a photo; its iris close then belongs to it.
    const bool capturing = _orig$PLCameraView$cameraShutterClicked$(self, cmd, sender);
    state().capturingPhoto = capturing;
    return capturing;
}

void _method$PLCameraView$cameraControllerDidTakePhoto$(id self, SEL cmd, id controller) {
    log("** Snapforge ** PLCameraView - cameraControllerDidTakePhoto$");
    _orig$PLCameraView$cameraControllerDidTakePhoto$(self, cmd, controller);
}

}  // namespace snapforge
