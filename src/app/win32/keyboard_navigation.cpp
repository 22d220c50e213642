// Keyboard use of the main window. The window is no dialog: the strip parks the controls of hidden
// pages beside the window, still visible and enabled, so the dialog manager (IsDialogMessage)
// would tab into them and would follow the order the controls were made in. The message loop asks
// here instead, and the order comes from tab_order.h over the control table.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "app/win32/keyboard_navigation.h"

#include "app/tab_order.h"
#include "app/win32/control_table.h"
#include "platform/win32/ui_state.h"

namespace kestrune {
namespace {

bool KeyDown(int key) { return ::GetKeyState(key) < 0; }

bool IsToolbar(HWND window) {
  wchar_t name[64] = {};
  return ::GetClassNameW(window, name, 64) > 0 && ::lstrcmpiW(name, TOOLBARCLASSNAMEW) == 0;
}

// Space and Enter press a focused toolbar's hot button, as on Windows; Wine's toolbar only moves
// the hot button with the arrow keys. True when the key was a press.
bool PressHotToolbarButton(HWND toolbar, WPARAM key) {
  if ((key != VK_SPACE && key != VK_RETURN) || !IsToolbar(toolbar)) return false;
  const auto hot = static_cast<int>(::SendMessageW(toolbar, TB_GETHOTITEM, 0, 0));
  TBBUTTON button{};
  if (hot >= 0 && ::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(hot), reinterpret_cast<LPARAM>(&button)) &&
      (button.fsState & TBSTATE_ENABLED) != 0) {
    ::SendMessageW(::GetParent(toolbar), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
                   reinterpret_cast<LPARAM>(toolbar));
  }
  return true;
}

// The row a window belongs to: the control itself or a part of it (a list view's header).
struct TableWindows {
  std::vector<FocusStop> stops;
  std::vector<HWND> windows;

  std::optional<std::size_t> Holding(HWND window) const {
    for (std::size_t i = 0; i < windows.size(); ++i)
      if (window != nullptr && (windows[i] == window || ::IsChild(windows[i], window))) return i;
    return std::nullopt;
  }
};

// Rectangles as the controls stand now: the shown page's are in place, and the others' are never
// compared (they are not reachable).
TableWindows ReadTable(HWND main) {
  TableWindows table;
  for (const ControlRow& row : MainWindowControls()) {
    const HWND window = ::GetDlgItem(main, row.id);
    if (window == nullptr) continue;
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    table.stops.push_back(FocusStop{row.page, Rect{r.left, r.top, r.right, r.bottom}, ::IsWindowEnabled(window) != FALSE,
                                    ::IsWindowVisible(window) != FALSE, (row.style & WS_TABSTOP) != 0});
    table.windows.push_back(window);
  }
  return table;
}

}  // namespace

bool Win32KeyboardNavigation::PreTranslate(const MSG& msg) {
  if (main_ == nullptr || (msg.hwnd != main_ && ::IsChild(main_, msg.hwnd) == FALSE)) return false;
  switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
      ShowFocusMarks(false);
      return false;
    case WM_SYSKEYDOWN:
      ShowFocusMarks(true);
      return false;
    case WM_KEYDOWN:
      ShowFocusMarks(true);
      return NavigationKey(msg);
    default:
      return false;
  }
}

bool Win32KeyboardNavigation::NavigationKey(const MSG& msg) {
  const LRESULT wants = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (msg.wParam == VK_TAB) {
    // Page switching works from every control, as in the system's tabbed dialogs.
    if (KeyDown(VK_CONTROL)) {
      tabs_->StepPage(!KeyDown(VK_SHIFT));
      return true;
    }
    if ((wants & (DLGC_WANTTAB | DLGC_WANTMESSAGE)) != 0) return false;
    MoveFocus(!KeyDown(VK_SHIFT));
    return true;
  }
  if (msg.wParam == VK_RETURN && (wants & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
    ::SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
    return true;
  }
  return PressHotToolbarButton(msg.hwnd, msg.wParam);
}

void Win32KeyboardNavigation::MoveFocus(bool forward) {
  const TableWindows table = ReadTable(main_);
  const std::optional<std::size_t> next =
      NextFocus(table.stops, tabs_->ActiveTab(), table.Holding(::GetFocus()), forward);
  if (!next) return;
  const HWND window = table.windows[*next];
  ::SetFocus(window);
  // A toolbar reached from the keyboard shows which button Space would press.
  if (IsToolbar(window) && ::SendMessageW(window, TB_GETHOTITEM, 0, 0) < 0) ::SendMessageW(window, TB_SETHOTITEM, 0, 0);
}

// A switch parks the page that held the focus: the focus goes to the strip rather than stay on a
// control out of sight, where the next key would work it unseen.
void Win32KeyboardNavigation::KeepFocusOnPage() {
  const TableWindows table = ReadTable(main_);
  const std::optional<std::size_t> focused = table.Holding(::GetFocus());
  if (focused && OnOtherPage(table.stops[*focused], tabs_->ActiveTab())) ::SetFocus(tabs_->Hwnd());
}

void Win32KeyboardNavigation::ShowFocusMarks(bool show) {
  // Users who asked for keyboard cues at all times keep them after mouse use too.
  BOOL alwaysCues = FALSE;
  ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysCues, 0);
  if (!show && alwaysCues != FALSE) return;
  if (focusHidden_ != show) return;
  // The top-level window changes the state itself, for itself and every control.
  ::SendMessageW(main_, WM_UPDATEUISTATE, MAKEWPARAM(show ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
}

LRESULT Win32KeyboardNavigation::UpdateUiState(WPARAM wParam, LPARAM lParam) {
  const bool hidden = FocusHiddenAfter(wParam, focusHidden_);
  const LRESULT result = ::DefWindowProcW(main_, WM_UPDATEUISTATE, wParam, lParam);
  if (hidden == focusHidden_) return result;
  focusHidden_ = hidden;
  // DefWindowProc hands the change on to the controls on Windows, Wine's does not: the window does
  // so itself, and a control told twice changes once.
  for (HWND child = ::GetWindow(main_, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    ::SendMessageW(child, WM_UPDATEUISTATE, wParam, lParam);
  return result;
}

LRESULT Win32KeyboardNavigation::QueryUiState(LRESULT systemState) const {
  return (systemState & ~UISF_HIDEFOCUS) | (focusHidden_ ? UISF_HIDEFOCUS : 0);
}

bool Win32KeyboardNavigation::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    RememberFocus(false);
    return false;
  }
  if (HIWORD(wParam) != 0 || lastFocus_ == nullptr) return false;
  RememberFocus(true);
  return true;
}

// As a dialog does: the control that had the focus gets it back when the window is activated again,
// unless a page switch made meanwhile (a reader's default action) has parked it: then the strip
// takes it, as after a switch made from the keyboard.
void Win32KeyboardNavigation::RememberFocus(bool activating) {
  if (!activating) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(main_, focus) != FALSE) lastFocus_ = focus;
    return;
  }
  if (lastFocus_ == nullptr || ::IsWindow(lastFocus_) == FALSE || ::IsChild(main_, lastFocus_) == FALSE) return;
  const TableWindows table = ReadTable(main_);
  const std::optional<std::size_t> remembered = table.Holding(lastFocus_);
  const bool parked = remembered && OnOtherPage(table.stops[*remembered], tabs_->ActiveTab());
  ::SetFocus(parked ? tabs_->Hwnd() : lastFocus_);
}

}  // namespace kestrune
