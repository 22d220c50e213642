#pragma once
// The main window's controls as data: one row per control, in the order they are made (also their
// order on screen and in the tab strip's list of contained controls). A row says what the control
// is, where it stands, whether Tab reaches it, its text (its name for screen readers; a list or text
// box is named by the label row before it) and the handler of the form logic its notification runs.
#include <windows.h>

#include <optional>
#include <span>

#include "app/advanced_page.h"
#include "app/form_main.h"
#include "app/language_chooser.h"
#include "app/settings_page.h"
#include "app/tab_order.h"
#include "platform/texts.h"

namespace kestrune {

enum class ControlFont : unsigned char { Normal, Bold, Title };

// What a control is: its window class, the adapter the form logic sees (a Text, a Link: Win32Label;
// Check, Combo, List, Edit, Report: the adapter of that name; Rules: Win32RuleTable) and the notification that runs its
// handler (any for an Own control, the click of a Link, Check or Push, a Combo's choice).
enum class ControlKind : unsigned char { Own, Text, Link, Icon, Swatch, Check, Push, Combo, List, Edit, Toolbar, Report, Rules };

// The form logic the notifications reach.
struct FormLogic {
  FormMain& form;
  SettingsPage& settings;
  AdvancedPage& advanced;
  LanguageChooser& language;
};

// One handler of the form logic, or none. A check box of the advanced page names the flag it
// mirrors; without a handler of its own, its click stores the flag (AdvancedPage::OnFlagClick).
struct Handler {
  void (FormMain::*form)() = nullptr;
  void (SettingsPage::*settings)() = nullptr;
  void (AdvancedPage::*advanced)() = nullptr;
  void (LanguageChooser::*language)() = nullptr;
  std::optional<Setting> mirrors;

  void Run(const FormLogic& logic) const {
    if (form != nullptr) (logic.form.*form)();
    if (settings != nullptr) (logic.settings.*settings)();
    if (advanced != nullptr) (logic.advanced.*advanced)();
    if (language != nullptr) (logic.language.*language)();
    if (form == nullptr && settings == nullptr && advanced == nullptr && mirrors) logic.advanced.OnFlagClick(*mirrors);
  }
};
constexpr Handler Calls(void (FormMain::*f)()) { return {f, nullptr, nullptr, nullptr, {}}; }
constexpr Handler Calls(void (SettingsPage::*f)()) { return {nullptr, f, nullptr, nullptr, {}}; }
constexpr Handler Calls(void (AdvancedPage::*f)()) { return {nullptr, nullptr, f, nullptr, {}}; }
constexpr Handler Calls(void (LanguageChooser::*f)()) { return {nullptr, nullptr, nullptr, f, {}}; }
constexpr Handler Mirrors(Setting flag, void (FormMain::*f)() = nullptr) { return {f, nullptr, nullptr, nullptr, flag}; }
inline constexpr Handler kNoHandler{};

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
  int page;                   // the strip's page the control stands on, or kBesidePages
  int id;                     // control_ids.h
  ControlKind kind;
  RowText text;
  DWORD style;                // besides WS_CHILD | WS_VISIBLE; WS_TABSTOP: Tab reaches it (own controls too)
  int x, y, width, height;    // 96-dpi pixels of the main window's client area
  ControlFont font;
  Handler onNotify;           // run when the control notifies the window with its kind's notification
};

// The pages' background, as the strip's saved look paints it (0x00BBGGRR).
inline constexpr COLORREF kPageColor = 0x00FBFDFB;

std::span<const ControlRow> MainWindowControls();
// The row of a control, null for an id that has none (toolbar buttons, menu items).
const ControlRow* ControlRowOf(int id);
// The window class of a stock control.
const wchar_t* WindowClassOf(ControlKind kind);
// Whether a WM_COMMAND notification code is the one that runs the handler of a control of this kind.
bool RunsHandler(ControlKind kind, int code);

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
