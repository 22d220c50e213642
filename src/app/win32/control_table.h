#pragma once
// The main window's controls as data: one row per control, in the order they are made (also their
// order on screen and in the tab strip's list of contained controls). A row says what the control
// is, where it stands, whether Tab reaches it, its text (its name for screen readers; a list or text
// box is named by the label row before it) and what its notification tells the program. A setting's
// control takes its page, id, kind and caption from the setting's row in the settings table; the
// advanced page's check boxes are one column made from that table.
#include <windows.h>

#include <optional>
#include <span>

#include "app/commands.h"
#include "platform/texts.h"
#include "settings/settings_table.h"
#include "vocabulary/pages.h"

namespace kestrune {

enum class ControlFont : unsigned char { Normal, Bold, Title };

// What a control is: its window class, the adapter the program sees (a Text, a Link: Win32Label;
// Check, Combo, Edit, Report: the adapter of that name; Rules: Win32RuleTable) and the notification
// that tells the program (any for an Own control, the click of a Link, Check or Push, a Combo's
// choice; a Rules list's selection comes as WM_NOTIFY).
enum class ControlKind : unsigned char { Own, Text, Link, Icon, Swatch, Check, Push, Combo, Edit, Toolbar, Report, Rules };

// What a control's notification tells the program: the command it runs, or that the user changed
// the setting it shows; or nothing.
struct Notify {
  Command command = Command::None;
  std::optional<Setting> setting;
};
constexpr Notify Runs(Command command) { return {command, {}}; }
inline constexpr Notify kNothing{};

// A control's text: one of the language's texts, a setting's caption, or one the same in every
// language (empty, a number, the program's name, an address).
struct RowText {
  // Not explicit: a row names its text as a literal, an id or a setting.
  constexpr RowText(const wchar_t* fixed) : fixed_(fixed) {}
  constexpr RowText(TextId id) : id_(id), kind_(Kind::Text) {}
  constexpr RowText(Setting setting) : setting_(setting), kind_(Kind::Caption) {}
  const wchar_t* Get() const {
    switch (kind_) {
      case Kind::Text: return UiTextZ(id_);
      case Kind::Caption: return SettingCaption(RowOf(setting_).name).data();
      default: return fixed_;
    }
  }

 private:
  enum class Kind : unsigned char { Fixed, Text, Caption };
  const wchar_t* fixed_ = nullptr;
  TextId id_ = TextId::Count;
  Setting setting_ = Setting::AutoRun;
  Kind kind_ = Kind::Fixed;
};

struct ControlRow {
  int page;                   // the strip's page the control stands on, or kBesidePages
  int id;                     // control_ids.h
  ControlKind kind;
  RowText text;
  DWORD style;                // besides WS_CHILD | WS_VISIBLE; WS_TABSTOP: Tab reaches it (own controls too)
  int x, y, width, height;    // 96-dpi pixels of the main window's client area
  ControlFont font;
  Notify notify;              // what the control's notification (its kind's) tells the program
};

// The pages' background, as the strip's saved look paints it (0x00BBGGRR).
inline constexpr COLORREF kPageColor = 0x00FBFDFB;

std::span<const ControlRow> MainWindowControls();
// The row of a control, null for an id that has none (toolbar buttons, menu items).
const ControlRow* ControlRowOf(int id);
// The command of a toolbar button or a tray menu item, by its id; none for any other id.
Command CommandOfItem(int id);
// The window class of a stock control.
const wchar_t* WindowClassOf(ControlKind kind);
// Whether a WM_COMMAND notification code is the one that tells the program of a control of this kind.
bool Notifies(ControlKind kind, int code);

// Where the English layout places a control differently: English captions are longer, and a control
// grows, or its neighbours move, in that layout only, so the Japanese one stays as it is.
struct RowPlace {
  int id;
  int x, y, width, height;  // 96-dpi pixels, as in the row
};
// The row as the language shown lays it out.
ControlRow LaidOut(const ControlRow& row, Language language);

// The colour swatches of the monitor's legend, by control id.
struct SwatchColor {
  int id;
  COLORREF color;
};
std::span<const SwatchColor> LegendSwatches();

}  // namespace kestrune
