#pragma once

namespace snapforge {

// The camera view's subview that shows the framing aid in force; overlays and guides share it.
inline constexpr int kPictureViewTag = 99;
// How long the picture cross-fades when a lit selector moves to another page.
inline constexpr double kPictureFadeSeconds = 0.3;

// Shows the composition overlay of an index (selected) or removes any framing aid; restoring
// re-applies a choice without saving it.
void toggleOverlay(int index, bool selected, bool restoring);
// The same for the frame guides.
void toggleFrameGuide(int index, bool selected, bool restoring);
// Removes the picture view when a framing aid is shown.
void hideOverlayView();

}  // namespace snapforge
