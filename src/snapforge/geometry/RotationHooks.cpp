#include "snapforge/startup/Hooks.h"
#include "snapforge/startup/Log.h"

namespace snapforge {

void _method$PLCameraView$_windowWillAnimateRotationToOrientation$(id self, SEL cmd,
                                                                   int orientation) {
    log("** Snapforge ** PLCameraView - _windowWillAnimateRotationToOrientation$ %d", orientation);
    _orig$PLCameraView$_windowWillAnimateRotationToOrientation$(self, cmd, orientation);
}

}  // namespace snapforge
