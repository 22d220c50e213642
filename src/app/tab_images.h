#pragma once
// The pictures of ImageListTabMain: one small image per page, drawn in code so the program needs
// no image files.
#include <vector>

#include "platform/picture.h"

namespace kestrune {

// Five 16 x 16 bitmaps (state, settings, history, about, advanced) on the strip's mask colour 0xC0C0C0.
std::vector<Picture> TabMainImages();

}  // namespace kestrune
