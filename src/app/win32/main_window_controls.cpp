// The main window's controls: made from the table in control_table.cpp, then given what each needs
// beyond its row (icons, brushes, toolbar buttons, list columns, the adapters the program talks to).
#include "app/win32/main_window.h"

#include <commctrl.h>

#include <string>
#include <string_view>

#include "app/form_font.h"
#include "app/form_main_button_props.h"
#include "app/form_main_monitor_props.h"
#include "app/win32/control_ids.h"
#include "platform/win32/system_libraries.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {
namespace {

struct HistoryColumn {
  TextId header;
  int width;  // 96-dpi pixels
};
constexpr HistoryColumn kHistoryColumns[] = {{TextId::ColumnNumber, 60}, {TextId::ColumnTime, 80},
                                             {TextId::ColumnRecord, 287}, {TextId::ColumnLevel, 96}};

}  // namespace

bool Win32MainWindow::CreateControls(Win32MessageBoxes& boxes) {
  fonts_.Create(dpi_, ShownLanguage());
  pageBrush_ = ::CreateSolidBrush(kPageColor);
  // Not owned by the main window: a tooltip is always topmost, and under Wine a topmost owned
  // pop-up keeps SetWindowPos(HWND_TOPMOST) from making its owner topmost, so always-on-top
  // would silently fail. Being unowned, it is destroyed with the main window by hand. Without it
  // LabelInfo only shows no tooltip.
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr);

  for (const ControlRow& designed : MainWindowControls()) {
    const ControlRow row = LaidOut(designed, ShownLanguage());
    const bool made = row.kind == ControlKind::Own ? CreateOwnControl(row) : CreateStockControl(row) != nullptr;
    if (!made) {
      // A window without one of its controls cannot be driven as the user expects: say which and stop.
      const std::wstring text = UiText(TextId::ControlNotMade, {std::to_wstring(row.id)});
      boxes.Show(text, kProgramTitle, mb::kIconExclamation);
      return false;
    }
  }
  CreateTrayMenu();
  for (int id : {ids::kCommandMini, ids::kCommandExit}) adapters_.Of<Win32GradientButton>(id).SetDpi(dpi_);
  monitor_.SetDpi(dpi_);
  // The page controls stand above the strip, which draws the pages' background.
  ::SetWindowPos(tabs_.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

HWND Win32MainWindow::CreateStockControl(const ControlRow& row) {
  // Controls of the strip's pages start parked as the strip expects with its first page active:
  // page k lies k page-distances to the left.
  // Made in its place, then parked through its adapter, which keeps a far place within the range
  // Windows holds.
  const int parked = row.page > 0 ? row.page * tabs_.ParkOffset() : 0;
  HWND control = ::CreateWindowExW(0, WindowClassOf(row.kind), row.text.Get(), WS_CHILD | WS_VISIBLE | row.style,
                                   Scale(row.x), Scale(row.y), Scale(row.width), Scale(row.height), hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance_, nullptr);
  if (control == nullptr) return nullptr;
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row)), FALSE);
  if (row.page != kBesidePages) {
    contained_.push_back(std::make_unique<Win32ContainedControl>(control, tabs_.Hwnd()));
    if (parked != 0) contained_.back()->SetLeft(contained_.back()->Left() - parked);
  }
  MakeAdapter(row, control);
  return control;
}

// What each kind needs beyond its row, and the adapter the program talks to.
void Win32MainWindow::MakeAdapter(const ControlRow& row, HWND control) {
  switch (row.kind) {
    case ControlKind::Text:
      // LabelInfo shows the whole title as its tooltip when the caption is cut.
      adapters_.Make<Win32Label>(row.id).Attach(control, row.id == ids::kLabelInfo ? tooltip_ : nullptr);
      return;
    case ControlKind::Link: {
      // The pointer over it reaches the window as the link's WM_SETCURSOR (OnSetCursor).
      Win32Label& link = adapters_.Make<Win32Label>(row.id);
      link.Attach(control);
      link.SetLinkFonts(fonts_.normal, fonts_.underline);
      return;
    }
    case ControlKind::Icon:
      // The program's icon, in the size the row gives it.
      ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(row.width <= 16 ? smallIcon_ : icon_), 0);
      return;
    case ControlKind::Swatch:
      for (const SwatchColor& swatch : LegendSwatches())
        if (swatch.id == row.id) swatches_.emplace_back(control, ::CreateSolidBrush(swatch.color));
      return;
    case ControlKind::Check: adapters_.Make<Win32CheckBox>(row.id).Attach(control); return;
    case ControlKind::Combo: adapters_.Make<Win32ComboBox>(row.id).Attach(control); return;
    case ControlKind::Edit: adapters_.Make<Win32TextBox>(row.id).Attach(control); return;
    case ControlKind::Toolbar: SetUpToolbar(control); return;
    case ControlKind::Report:
      adapters_.Make<Win32HistoryList>(row.id).Attach(control);
      SetUpHistoryList(control);
      return;
    case ControlKind::Rules:
      adapters_.Make<Win32RuleTable>(row.id).Attach(control);
      adapters_.Of<Win32RuleTable>(row.id).AddColumns(dpi_);
      return;
    default: return;
  }
}

bool Win32MainWindow::CreateOwnControl(const ControlRow& row) {
  const Rect bounds{Scale(row.x), Scale(row.y), Scale(row.x + row.width), Scale(row.y + row.height)};
  switch (row.id) {
    case ids::kTabStripMain: {
      return tabs_.Create(hwnd_, row.id, bounds, FormFont(ShownLanguage(), SystemUiFace()), dpi_,
                          {[this] { if (events_) events_->OnBackgroundPressed(); },
                           [this] { if (events_) events_->OnBackgroundPointerMoved(); },
                           [this] { navigation_.KeepFocusOnPage(); }},
                          [this] {
                            std::vector<ContainedControl*> controls;
                            for (auto& c : contained_) controls.push_back(c.get());
                            return controls;
                          });
    }
    case ids::kCommandMini:
    case ids::kCommandExit: {
      const Font font = FormFont(ShownLanguage(), SystemUiFace());
      return adapters_.Make<Win32GradientButton>(row.id).Create(
          hwnd_, row.id, bounds, row.text.Get(), row.id == ids::kCommandMini ? CommandMiniProperties(font) : CommandExitProperties(font),
          [this, command = row.notify.command] { if (events_) events_->Run(command); });
    }
    case ids::kSystemMonitorState: {
      // The saved size is in pixels; only the place follows the resolution.
      const Rect placed{bounds.left, bounds.top, bounds.left + row.width, bounds.top + row.height};
      if (!monitor_.Create(hwnd_, row.id, placed, SystemMonitorStateProperties())) return false;
      // The monitor stands on its page like the stock controls there.
      contained_.push_back(std::make_unique<Win32ContainedControl>(monitor_.Hwnd(), tabs_.Hwnd()));
      return true;
    }
    default:
      return false;
  }
}

void Win32MainWindow::SetUpToolbar(HWND toolbar) {
  ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  ::SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
  AddToolbarButtons(toolbar);
}

void Win32MainWindow::AddToolbarButtons(HWND toolbar) {
  struct ToolbarButton {
    int id;
    int image;
    TextId caption;
  };
  static constexpr ToolbarButton kButtons[] = {{ids::kToolbarClear, STD_DELETE, TextId::ToolbarClear},
                                               {ids::kToolbarSave, STD_FILESAVE, TextId::ToolbarSave}};
  TBBUTTON buttons[2] = {};
  for (int i = 0; i < 2; ++i) {
    buttons[i].iBitmap = kButtons[i].image;
    buttons[i].idCommand = kButtons[i].id;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    buttons[i].iString = reinterpret_cast<INT_PTR>(UiTextZ(kButtons[i].caption));
  }
  ::SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
}

void Win32MainWindow::SetUpHistoryList(HWND list) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  SetHistoryImages(list);
  for (int i = 0; i < static_cast<int>(std::size(kHistoryColumns)); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(UiTextZ(kHistoryColumns[i].header));
    column.cx = Scale(kHistoryColumns[i].width);
    column.iSubItem = i;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}

void Win32MainWindow::SizeHistoryColumns(HWND list) {
  for (int i = 0; i < static_cast<int>(std::size(kHistoryColumns)); ++i)
    ListView_SetColumnWidth(list, i, Scale(kHistoryColumns[i].width));
}

void Win32MainWindow::SetHistoryImages(HWND list) {
  // The window made the image list, so the window releases it, once, when it goes: the list view
  // only borrows it (LVS_SHAREIMAGELISTS) and must not destroy it with itself.
  historyImages_ = system_call::ImageListCreate(SmallIconSize(), SmallIconSize(), ILC_COLOR32 | ILC_MASK, 1, 0);
  system_call::ImageListAddIcon(historyImages_, smallIcon_);
  ListView_SetImageList(list, historyImages_, LVSIL_SMALL);
}

void Win32MainWindow::CreateTrayMenu() {
  // The tray menu, never shown as the window's menu bar.
  trayMenu_ = ::CreatePopupMenu();
  ::AppendMenuW(trayMenu_, MF_STRING, ids::kMenuMainScreen, UiTextZ(TextId::MenuAbout));
  ::AppendMenuW(trayMenu_, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(trayMenu_, MF_STRING, ids::kMenuUpdate, UiTextZ(TextId::MenuQuestions));
  ::AppendMenuW(trayMenu_, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(trayMenu_, MF_STRING, ids::kMenuExit, UiTextZ(TextId::MenuExit));
}

}  // namespace kestrune
