#pragma once
// The main window's controls as data: one row per control, in the order they are made (which is
// also their order on screen and in the tab strip's list of contained controls).
#include <windows.h>

#include <span>

#include "platform/texts.h"

namespace kestrune {

enum class ControlFont : unsigned char { Normal, Bold, Title };

// A control's text: one of the language's texts, or one the same in every language (empty, a
// number, the program's name, an address).
struct RowText {
  // Not explicit: a row names its text as a literal or as an id.
  constexpr RowText(const wchar_t* fixed) : fixed_(fixed) {}
  constexpr RowText(TextId id) : id_(id), shown_(true) {}
  const wchar_t* Get() const { return shown_ ? UiTextZ(id_) : fixed_; }

 private:
  const wchar_t* fixed_ = nullptr;
  TextId id_ = TextId::Count;
  bool shown_ = false;
};

struct ControlRow {
  int page;                   // the strip's page the control stands on; kOnWindow: beside the strip
  int id;                     // control_ids.h
  const wchar_t* className;   // nullptr: one of the window's own controls, made by its id
  RowText text;
  DWORD style;                // besides WS_CHILD | WS_VISIBLE; WS_TABSTOP: Tab reaches it (own controls too)
  int x, y, width, height;    // 96-dpi pixels of the main window's client area
  ControlFont font;
};

inline constexpr int kOnWindow = -1;

// The pages' background, as the strip's saved look paints it (0x00BBGGRR).
inline constexpr COLORREF kPageColor = 0x00FBFDFB;

std::span<const ControlRow> MainWindowControls();

// Where the English layout places a control differently: English captions are longer, and a control
// grows, or its neighbours move, in that layout only, so the Japanese one stays as it is.
struct RowPlace {
  int id;
  int x, y, width, height;  // 96-dpi pixels, as in the row
};
// The row as the language shown lays it out.
ControlRow LaidOut(const ControlRow& row, Language language);

// The colour swatches of the monitor's legend (Shape1 to Shape5), by control id.
struct SwatchColor {
  int id;
  COLORREF color;
};
std::span<const SwatchColor> LegendSwatches();

}  // namespace kestrune
