#pragma once

#include <string>
#include <string_view>

namespace sim {

// An SVG picture of the current process's screen at a virtual time: the visible windows from
// the lowest level up, each view as its rectangle with its alpha and transform (the on-screen
// values of animations in flight, else the model values), images drawn from their files, image
// views without a picture named, and label and button texts.
std::string svgSnapshot(double time);

// Text made safe for XML character data and attribute values: markup characters escaped,
// characters XML cannot carry and invalid UTF-8 replaced.
std::string xmlEscape(std::string_view text);

}  // namespace sim
