#pragma once

#include <string>

namespace sim {

class Phone;

// The screen at a virtual time as canonical text, one line a window or view: every visible
// window from the lowest level up and, indented inside, every visible view in drawing order,
// named by its class (after its target, when a target names it); its frame on the screen, and
// where they show, its alpha, transform, background, picture file, text (with its size,
// alignment, colour and shadow), selection and a closed iris.
// Geometry and alpha are what the user sees (animations in flight at their on-screen values);
// views a scroll strip or a clipping view hides are left out. Numbers have a fixed precision,
// so that the text is the same on every run and machine.
std::string screenDump(double time, const Phone& phone);

}  // namespace sim
