#pragma once
#include <windows.h>

#include <string>

#include "platform/texts.h"

namespace kestrune {

// The face of the system's message font (SPI_GETNONCLIENTMETRICS): its user-interface font.
std::wstring SystemUiFace();

// The window's fonts for the stock controls, made once per resolution and deleted with the window.
// Japanese: a Japanese face picked from those installed, so the text shows on any system locale
// (and under Wine with a Japanese font package). English: the system's user-interface face.
struct UiFonts {
  HFONT normal = nullptr;
  HFONT bold = nullptr;
  HFONT title = nullptr;
  HFONT underline = nullptr;

  void Create(int dpi, Language language);
  void Destroy();
};

}  // namespace kestrune
