#pragma once
// The main window's controls as data: one row per control, in the order they are made (which is
// also their order on screen and in the tab strip's list of contained controls).
#include <windows.h>

#include <span>

namespace kestrune {

enum class ControlFont : unsigned char { Normal, Bold, Title };

struct ControlRow {
  int page;                   // the strip's page the control stands on; kOnWindow: beside the strip
  int id;                     // control_ids.h
  const wchar_t* className;   // nullptr: one of the window's own controls, made by its id
  const wchar_t* text;
  DWORD style;                // besides WS_CHILD | WS_VISIBLE; WS_TABSTOP: Tab reaches it (own controls too)
  int x, y, width, height;    // 96-dpi pixels of the main window's client area
  ControlFont font;
};

inline constexpr int kOnWindow = -1;

// The pages' background, as the strip's saved look paints it (0x00BBGGRR).
inline constexpr COLORREF kPageColor = 0x00FBFDFB;

std::span<const ControlRow> MainWindowControls();

// The colour swatches of the monitor's legend (Shape1 to Shape5), by control id.
struct SwatchColor {
  int id;
  COLORREF color;
};
std::span<const SwatchColor> LegendSwatches();

}  // namespace kestrune
