#pragma once
// The window shape of the gradient button.
#include "platform/window_region.h"

namespace kestrune::button {

// A type that cuts its corners (the band and glass types) loses three pixels at each corner (the two
// outermost of the corner's row and the outermost of the next row), so its rounded frame shows no
// square corners; the others are plain.
WindowRegion ButtonRegion(bool cutCorners, int width, int height);

}  // namespace kestrune::button
