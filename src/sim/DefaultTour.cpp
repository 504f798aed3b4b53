#include "sim/DefaultTour.h"

namespace sim {

const std::string_view kDefaultTour =
    R"(# The default tour: a user opens the camera, takes a photo and closes it.
device iPhone4,1 ios 6.1.3 screen 320x480
launch
wait 1
shutter
wait 1
close
)";

}  // namespace sim
