// The main window's controls: made from the table in control_table.cpp, then given what each needs
// beyond its row (icons, brushes, toolbar buttons, list columns, the form's adapters).
#include "app/win32/main_window.h"

#include <commctrl.h>

#include <string>
#include <string_view>

#include "app/form_main_button_props.h"
#include "app/form_main_monitor_props.h"
#include "app/win32/control_ids.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {

bool Win32MainWindow::CreateControls() {
  fonts_.Create(dpi_);
  pageBrush_ = ::CreateSolidBrush(kPageColor);
  // Not owned by the main window: a tooltip is always topmost, and under Wine a topmost owned
  // pop-up keeps SetWindowPos(HWND_TOPMOST) from making its owner topmost, so always-on-top
  // would silently fail. Being unowned, it is destroyed with the main window by hand. Without it
  // LabelInfo only shows no tooltip.
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, nullptr);

  for (const ControlRow& designed : MainWindowControls()) {
    const ControlRow row = LaidOut(designed, ShownLanguage());
    const bool made = row.className == nullptr ? CreateOwnControl(row) : CreateStockControl(row) != nullptr;
    if (!made) {
      // A window without one of its controls cannot be driven as the user expects: say which and stop.
      const std::wstring text = UiText(TextId::ControlNotMade, {std::to_wstring(row.id)});
      boxes_.Show(text, kProgramTitle, mb::kIconExclamation);
      return false;
    }
  }
  AttachControls();
  CreateTrayMenu();
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
  HWND control = ::CreateWindowExW(0, row.className, row.text.Get(), WS_CHILD | WS_VISIBLE | row.style, Scale(row.x),
                                   Scale(row.y), Scale(row.width), Scale(row.height), hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance_, nullptr);
  if (control == nullptr) return nullptr;
  const HFONT font = row.font == ControlFont::Bold ? fonts_.bold : row.font == ControlFont::Title ? fonts_.title
                                                                                                    : fonts_.normal;
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (row.page != kOnWindow) {
    contained_.push_back(std::make_unique<Win32ContainedControl>(control, tabs_.Hwnd()));
    if (parked != 0) contained_.back()->SetLeft(contained_.back()->Left() - parked);
    pageControls_.insert(control);
  }
  if (std::wstring_view(row.className) == L"STATIC" && (row.style & SS_TYPEMASK) == SS_ICON) {
    // The program's icon, in the size the row gives it.
    HICON icon = row.width <= 16 ? smallIcon_ : icon_;
    ::SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  if (row.id == ids::kToolbarSpeedMain) SetUpToolbar(control);
  if (row.id == ids::kListViewHistory) SetUpHistoryList(control);
  return control;
}

bool Win32MainWindow::CreateOwnControl(const ControlRow& row) {
  const Rect bounds{Scale(row.x), Scale(row.y), Scale(row.x + row.width), Scale(row.y + row.height)};
  switch (row.id) {
    case ids::kTabStripMain: {
      Font formFont;
      formFont.size = 9.0;
      return tabs_.Create(hwnd_, row.id, bounds, formFont, dpi_,
                          {[this] { if (form_) form_->OnBackgroundMouseDown(); },
                           [this] { if (form_) form_->OnBackgroundMouseMove(); },
                           [this] { KeepFocusOnPage(); }},
                          [this] {
                            std::vector<ContainedControl*> controls;
                            for (auto& c : contained_) controls.push_back(c.get());
                            return controls;
                          });
    }
    case ids::kCommandMini:
      return commandMini_.Create(hwnd_, row.id, bounds, L"CommandMini", CommandMiniProperties(),
                                 [this] { if (form_) form_->OnCommandMiniClick(); });
    case ids::kCommandExit:
      return commandExit_.Create(hwnd_, row.id, bounds, L"CommandExit", CommandExitProperties(),
                                 [this] { if (form_) form_->OnCommandExitClick(); });
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
  ::SetWindowSubclass(toolbar, ChildSubclassProc, ids::kToolbarSpeedMain, reinterpret_cast<DWORD_PTR>(this));
  ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  ::SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
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
  // The window made the image list, so the window releases it, once, when it goes: the list view
  // only borrows it (LVS_SHAREIMAGELISTS) and must not destroy it with itself.
  historyImages_ = ImageList_Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                    ILC_COLOR32 | ILC_MASK, 1, 0);
  ImageList_AddIcon(historyImages_, smallIcon_);
  ListView_SetImageList(list, historyImages_, LVSIL_SMALL);
  struct Column {
    TextId header;
    int width;  // 96-dpi pixels
  };
  static constexpr Column kColumns[] = {{TextId::ColumnNumber, 60}, {TextId::ColumnTime, 80},
                                        {TextId::ColumnRecord, 287}, {TextId::ColumnLevel, 96}};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(UiTextZ(kColumns[i].header));
    column.cx = Scale(kColumns[i].width);
    column.iSubItem = i;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}

void Win32MainWindow::AttachControls() {
  const auto item = [this](int id) { return ::GetDlgItem(hwnd_, id); };
  labelInfo_.Attach(item(ids::kLabelInfo), tooltip_);
  labelCount_.Attach(item(ids::kLabelCount));
  checkAutoRun_.Attach(item(ids::kCheckAutoRun));
  checkAutoMin_.Attach(item(ids::kCheckAutoMin));
  checkMostTop_.Attach(item(ids::kCheckMostTop));
  checkState_.Attach(item(ids::kCheckState));
  comboSpeed_.Attach(item(ids::kComboSpeed));
  checkEnableRecord_.Attach(item(ids::kCheckEnableRecord));
  comboAutoCleanCount_.Attach(item(ids::kComboAutoCleanCount));
  comboLanguage_.Attach(item(ids::kComboLanguage));
  listViewHistory_.Attach(item(ids::kListViewHistory));
  checkRestoreOriginal_.Attach(item(ids::kCheckRestoreOriginal));
  checkRestoreOnStop_.Attach(item(ids::kCheckRestoreOnStop));
  checkInstantReaction_.Attach(item(ids::kCheckInstantReaction));
  checkRestrainBackground_.Attach(item(ids::kCheckRestrainBackground));
  labelRestrained_.Attach(item(ids::kLabelRestrained));
  listExclude_.Attach(item(ids::kListExclude));
  textExcludeName_.Attach(item(ids::kEditExcludeName));
  labelHomePage_.Attach(item(ids::kLabelHomePage));
  labelNeedHelp_.Attach(item(ids::kLabelNeedHelp));
  for (Win32Label* link : {&labelHomePage_, &labelNeedHelp_}) {
    link->SetLinkFonts(fonts_.normal, fonts_.underline);
    ::SetWindowSubclass(link->Hwnd(), ChildSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  int i = 0;
  for (const SwatchColor& swatch : LegendSwatches()) {
    swatches_[i] = item(swatch.id);
    swatchBrushes_[i] = ::CreateSolidBrush(swatch.color);
    ++i;
  }
}

void Win32MainWindow::CreateTrayMenu() {
  // The tray menu `mm`, never shown as the window's menu bar.
  menu_ = ::CreatePopupMenu();
  ::AppendMenuW(menu_, MF_STRING, ids::kMenuMainScreen, UiTextZ(TextId::MenuAbout));
  ::AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu_, MF_STRING, ids::kMenuUpdate, UiTextZ(TextId::MenuQuestions));
  ::AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu_, MF_STRING, ids::kMenuExit, UiTextZ(TextId::MenuExit));
}

}  // namespace kestrune
