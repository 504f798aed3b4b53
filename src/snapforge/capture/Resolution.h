#pragma once

namespace snapforge {

// Applies the video resolution preset of a selector index (selected) or goes back to "High",
// announcing the result; restoring re-applies a choice without saving it.
void toggleResolution(int index, bool selected, bool restoring);

}  // namespace snapforge
