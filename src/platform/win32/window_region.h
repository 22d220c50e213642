#pragma once
// Turns a control's portable window shape into the window's region.
#include <windows.h>

#include "platform/window_region.h"

namespace kestrune::win32 {

// Gives hwnd the shape and redraws it. Returns false when a region could not be made or set; no
// region handle is left behind either way.
bool ApplyWindowRegion(HWND hwnd, const WindowRegion& region);

}  // namespace kestrune::win32
