#pragma once

namespace snapforge {

// Turns every added object to the orientation the interface has when it runs.
void rotateObjectsOnMainThread();
// Turns or moves every added object that exists for an orientation.
void rotateObjects(int orientation);

}  // namespace snapforge
