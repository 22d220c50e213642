#pragma once
#include <windows.h>

namespace kestrune {

// The window's fonts, made once and deleted with the window. A Japanese face is picked from those
// installed so the text shows on any system locale (and under Wine with a Japanese font package).
struct UiFonts {
  HFONT normal = nullptr;
  HFONT bold = nullptr;
  HFONT title = nullptr;
  HFONT underline = nullptr;

  void Create(int dpi);
  void Destroy();
};

}  // namespace kestrune
