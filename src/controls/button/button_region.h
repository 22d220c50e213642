#pragma once
// The window shape of the gradient button.
#include "platform/window_region.h"

namespace kestrune::button {

// Types 3 and 4 lose three pixels at each corner (the two outermost of the corner's row and the
// outermost of the next row), so their rounded frames show no square corners; the others are plain.
WindowRegion ButtonRegion(int buttonType, int width, int height);

}  // namespace kestrune::button
