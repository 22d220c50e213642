// The main window's one window procedure: every message the window gets passes here once. What
// concerns the program becomes a named event (MainWindowEvents); what the own controls follow of
// their host (activation, colours) reaches them as named calls; the rest is the window's own
// business (its controls' colours, the keyboard's UI state, the resolution).
#include "app/win32/main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/form_main.h"
#include "app/win32/control_ids.h"
#include "platform/win32/control_window.h"
#include "platform/win32/system_libraries.h"

namespace kestrune {
namespace {

constexpr wchar_t kClassName[] = L"KestruneMainWindow";
constexpr int kClientWidth = 470;
constexpr int kClientHeight = 352;
constexpr UINT kTrayCallback = 2025;  // the tray icon's notifications (tray_icon.cpp)

}  // namespace

const UINT Win32MainWindow::kForegroundEvent = WM_APP + 0x4B;

Win32MainWindow::~Win32MainWindow() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
  if (tooltip_ != nullptr) ::DestroyWindow(tooltip_);
  fonts_.Destroy();
  if (pageBrush_ != nullptr) ::DeleteObject(pageBrush_);
  for (const auto& [swatch, brush] : swatches_) ::DeleteObject(brush);
  if (historyImages_ != nullptr) system_call::ImageListDestroy(historyImages_);
  if (trayMenu_ != nullptr) ::DestroyMenu(trayMenu_);
  if (icon_ != nullptr) ::DestroyIcon(icon_);
  if (smallIcon_ != nullptr) ::DestroyIcon(smallIcon_);
}

bool Win32MainWindow::Create(Win32MessageBoxes& boxes) {
  dpi_ = InitialDpi(nullptr);
  LoadIcons();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &WindowBase::Procedure;
  wc.hInstance = instance_;
  wc.hIcon = icon_;
  wc.hIconSm = smallIcon_;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (::RegisterClassExW(&wc) == 0) return false;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  hwnd_ = ::CreateWindowExW(0, kClassName, std::wstring(kWindowCaption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_,
                            static_cast<WindowBase*>(this));
  if (hwnd_ == nullptr) return false;
  // Started on a screen whose scale is not the system's: made at the screen's from the start.
  if (const int dpi = InitialDpi(hwnd_); dpi != dpi_) {
    dpi_ = dpi;
    RECT rect{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
    ::AdjustWindowRectEx(&rect, style, FALSE, 0);
    RECT now{};
    ::GetWindowRect(hwnd_, &now);
    ReplaceIcons();
    ::SetWindowPos(hwnd_, nullptr, now.left, now.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  boxes.SetOwner(hwnd_);
  tray_.Setup(hwnd_, kTrayCallback, smallIcon_ != nullptr ? smallIcon_ : icon_);
  navigation_.Attach(hwnd_, tabs_);
  return CreateControls(boxes);
}

ProgramWindow Win32MainWindow::Parts(ForegroundWatch& watch) {
  const auto label = [this](int id) -> Win32Label& { return adapters_.Of<Win32Label>(id); };
  return {*this,
          tray_,
          tabs_,
          label(ids::kLabelInfo),
          label(ids::kLabelCount),
          label(ids::kLabelRestrained),
          label(ids::kLabelKeptLow),
          label(ids::kLabelHomePage),
          label(ids::kLabelNeedHelp),
          adapters_,
          adapters_.Of<Win32RuleTable>(ids::kListRules),
          adapters_.Of<Win32ComboBox>(ids::kComboRuleFront),
          adapters_.Of<Win32ComboBox>(ids::kComboRuleBehind),
          adapters_.Of<Win32TextBox>(ids::kEditRuleName),
          adapters_.Of<Win32HistoryList>(ids::kListViewHistory),
          watch};
}

void Win32MainWindow::StartTicking() {
  ::SetTimer(hwnd_, ids::kTimerMain, 1000, nullptr);
  navigation_.ShowFocusMarks(false);
}

void Win32MainWindow::ShowUnlessHidden() {
  if (!hiddenToTray_) ::ShowWindow(hwnd_, SW_SHOW);
  ::UpdateWindow(hwnd_);
}

bool Win32MainWindow::PreTranslate(const MSG& msg) {
  if (events_ == nullptr) return false;
  return navigation_.PreTranslate(msg) || ControlWindow::TranslateAccessKey(msg);
}

LRESULT Win32MainWindow::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (message == WM_ACTIVATE) {
    // The window's own business: the focus it gives back (once the program runs), then the strip's
    // look, which follows the host's activation from the moment the strip is made.
    const bool focused = events_ != nullptr && navigation_.OnActivate(wParam);
    result = focused ? 0 : ::DefWindowProcW(hwnd_, message, wParam, lParam);
    tabs_.HostActivated();
    return result;
  }
  if (events_ == nullptr) {
    // Still being made: the default, and the host's colours for the strip made so far.
    result = ::DefWindowProcW(hwnd_, message, wParam, lParam);
  } else if (!ProgramMessage(message, wParam, lParam, result)) {
    switch (message) {
      case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
        break;
      case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), HIWORD(lParam))) return TRUE;
        break;
      case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      case WM_NEXTDLGCTL:
        // An own control's arrow keys ask for the next or previous control, as in a dialog.
        if (LOWORD(lParam) != FALSE)
          ::SetFocus(reinterpret_cast<HWND>(wParam));
        else
          navigation_.MoveFocus(wParam == 0);
        return TRUE;
      case WM_UPDATEUISTATE:
        return navigation_.UpdateUiState(wParam, lParam);
      case WM_QUERYUISTATE:
        return navigation_.QueryUiState(::DefWindowProcW(hwnd_, message, wParam, lParam));
      case WM_DPICHANGED:
        // The rectangle Windows suggests keeps the window where the user put it, at the new size.
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
      case WM_DESTROY:
        ::KillTimer(hwnd_, ids::kTimerMain);
        if (tooltip_ != nullptr) ::DestroyWindow(tooltip_);
        tooltip_ = nullptr;
        ::PostQuitMessage(0);
        return 0;
      default:
        break;
    }
    result = ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
  if (message == WM_SYSCOLORCHANGE || message == WM_THEMECHANGED) tabs_.HostColorsChanged();
  return result;
}

bool Win32MainWindow::ProgramMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_TIMER:
      if (wParam == ids::kTimerMain) events_->OnTick();
      if (wParam == ids::kTimerQuick) events_->OnQuickLook();
      return true;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return true;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_MINIMIZE) return false;
      // Minimised first, so that restoring later brings the window back at its old place.
      result = ::DefWindowProcW(hwnd_, message, wParam, lParam);
      events_->OnMinimised();
      return true;
    case kTrayCallback:
      // Only the tray's own message is believed: any other whose lParam happens to read as a click
      // is none.
      if (lParam == WM_LBUTTONDBLCLK) events_->OnTrayClicked(TrayClick::DoubleClick);
      if (lParam == WM_RBUTTONDOWN) events_->OnTrayClicked(TrayClick::RightButton);
      return true;
    case WM_QUERYENDSESSION:
      events_->OnSessionEnding();
      result = ::DefWindowProcW(hwnd_, message, wParam, lParam);
      return true;
    case WM_ENDSESSION:
      // The session ends without a WM_CLOSE: the window closes itself, and the program, told of the
      // ending, asks nothing.
      events_->OnSessionEnding();
      if (wParam != FALSE) ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
      return true;
    case WM_CLOSE:
      if (events_->OnCloseAsked()) ::DestroyWindow(hwnd_);
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      events_->OnBackgroundPressed();
      return true;
    case WM_MOUSEMOVE:
      events_->OnBackgroundPointerMoved();
      return true;
    default:
      if (message == kForegroundEvent) {
        events_->OnForegroundEvent(static_cast<ProcessId>(wParam));
        return true;
      }
      if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        events_->OnTaskbarCreated();
        return true;
      }
      return false;
  }
}

void Win32MainWindow::OnCommand(int id, int code) {
  const ControlRow* row = ControlRowOf(id);
  if (row == nullptr) {
    // A toolbar button or a tray menu item, told apart by its id.
    events_->Run(CommandOfItem(id));
    return;
  }
  if (!Notifies(row->kind, code)) return;
  if (row->notify.setting) events_->OnSettingChosen(*row->notify.setting);
  if (row->notify.command != Command::None) events_->Run(row->notify.command);
}

Win32Label* Win32MainWindow::LinkOf(HWND control) {
  const ControlRow* row = ControlRowOf(::GetDlgCtrlID(control));
  return row != nullptr && row->kind == ControlKind::Link ? &adapters_.Of<Win32Label>(row->id) : nullptr;
}

HBRUSH Win32MainWindow::OnColorStatic(HDC dc, HWND control) {
  if (const Win32Label* link = LinkOf(control)) {
    ::SetTextColor(dc, link->TextColor());
    ::SetBkColor(dc, kPageColor);
    return pageBrush_;
  }
  for (const auto& [swatch, brush] : swatches_)
    if (control == swatch) return brush;
  if (const ControlRow* row = ControlRowOf(::GetDlgCtrlID(control)); row != nullptr && row->page != kBesidePages) {
    // Labels and check boxes on a page take the page's colour, as drawn by the strip.
    ::SetBkColor(dc, kPageColor);
    return pageBrush_;
  }
  return nullptr;
}

// A child passes WM_SETCURSOR to its parent first (DefWindowProc), for every move of the pointer
// over it: over a link that is the pointer arriving, and the hand it shows.
bool Win32MainWindow::OnSetCursor(HWND control, UINT mouseMessage) {
  Win32Label* link = control != hwnd_ ? LinkOf(control) : nullptr;
  if (link == nullptr) return false;
  if (mouseMessage == WM_MOUSEMOVE) events_->OnPointerOverLink(*link);
  ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  return true;
}

// A row of the rule list selected or deselected: the program shows its choices. The history's
// toolbar asks before it erases its background (TBSTYLE_CUSTOMERASE): it takes the page's colour, as
// the strip draws the page behind it.
LRESULT Win32MainWindow::OnNotify(const NMHDR& header) {
  if (IsSelectionChange(reinterpret_cast<LPARAM>(&header), ids::kListRules)) {
    events_->Run(Command::RuleSelected);
    return 0;
  }
  if (header.idFrom != ids::kToolbarSpeedMain || header.code != NM_CUSTOMDRAW) return 0;
  const auto& draw = reinterpret_cast<const NMCUSTOMDRAW&>(header);
  if (draw.dwDrawStage != CDDS_PREERASE) return CDRF_DODEFAULT;
  RECT rect{};
  ::GetClientRect(header.hwndFrom, &rect);
  ::FillRect(draw.hdc, &rect, pageBrush_);
  return CDRF_SKIPDEFAULT;
}

}  // namespace kestrune
