#pragma once
// The pictures of ImageListTabMain: one small image per page, drawn in code so the program needs
// no image files.
#include <vector>

#include "platform/picture.h"

namespace kestrune {

// Five size x size bitmaps (state, settings, history, about, advanced) on the strip's mask colour
// 0xC0C0C0, drawn from 16 x 16 patterns.
std::vector<Picture> TabMainImages(int size = 16);

}  // namespace kestrune
