// The window at another resolution: moved to a screen of another scale, or started on a screen
// whose scale is not the system's. Every size that comes from the control table or from the
// resolution is made again from its 96-dpi figure, never from the last scaled one, so a window
// that arrives at a resolution is the window a start there makes.
#include <algorithm>
#include <vector>

#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/win32/control_ids.h"
#include "platform/win32/system_libraries.h"

namespace kestrune {
namespace {

// From Windows 10 1607 on; before that the system's resolution is the only one there is.
template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

int SystemDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi;
}

int SystemMetricAt(int index, int dpi) {
  using ForDpi = int(WINAPI*)(int, UINT);
  static const ForDpi forDpi = User32Function<ForDpi>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, static_cast<UINT>(dpi));
  return ::MulDiv(::GetSystemMetrics(index), dpi, SystemDpi());
}

}  // namespace

int Win32MainWindow::InitialDpi(HWND window) {
  using ForWindow = UINT(WINAPI*)(HWND);
  static const ForWindow forWindow = User32Function<ForWindow>("GetDpiForWindow");
  const UINT dpi = forWindow != nullptr && window != nullptr ? forWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}

void Win32MainWindow::LoadIcons() {
  const auto load = [&](int width, int height) {
    return static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(ids::kIconApp), IMAGE_ICON,
                                           SystemMetricAt(width, dpi_), SystemMetricAt(height, dpi_), 0));
  };
  icon_ = load(SM_CXICON, SM_CYICON);
  smallIcon_ = load(SM_CXSMICON, SM_CYSMICON);
}

int Win32MainWindow::SmallIconSize() const { return SystemMetricAt(SM_CXSMICON, dpi_); }

HFONT Win32MainWindow::FontOf(const ControlRow& row) const {
  switch (row.font) {
    case ControlFont::Bold: return fonts_.bold;
    case ControlFont::Title: return fonts_.title;
    default: return fonts_.normal;
  }
}

void Win32MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  const int before = dpi_;
  if (dpi <= 0) return;
  ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  dpi_ = dpi;
  ReplaceIcons();
  ReplaceFonts();
  std::vector<int> parked = ParkedDistances(before);
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  tabs_.SetDpi(dpi_);
  for (int id : {ids::kCommandMini, ids::kCommandExit}) adapters_.Of<Win32GradientButton>(id).SetDpi(dpi_);
  monitor_.SetDpi(dpi_);
  PlaceControls(parked);
  ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Win32MainWindow::ReplaceIcons() {
  const HICON oldIcon = icon_, oldSmall = smallIcon_;
  LoadIcons();
  // The class keeps the icons it was registered with; they go below, so it takes the new ones too.
  ::SetClassLongPtrW(hwnd_, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon_));
  ::SetClassLongPtrW(hwnd_, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(smallIcon_));
  ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  tray_.SetIcon(smallIcon_ != nullptr ? smallIcon_ : icon_);
  for (const ControlRow& row : MainWindowControls()) {
    if (row.kind != ControlKind::Icon) continue;
    const HICON icon = row.width <= 16 ? smallIcon_ : icon_;
    ::SendDlgItemMessageW(hwnd_, row.id, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  const HIMAGELIST oldImages = historyImages_;
  const HWND history = ::GetDlgItem(hwnd_, ids::kListViewHistory);
  if (history != nullptr) SetHistoryImages(history);
  if (oldImages != nullptr) system_call::ImageListDestroy(oldImages);
  if (oldIcon != nullptr) ::DestroyIcon(oldIcon);
  if (oldSmall != nullptr) ::DestroyIcon(oldSmall);
}

void Win32MainWindow::ReplaceFonts() {
  UiFonts old = fonts_;
  fonts_ = UiFonts{};
  fonts_.Create(dpi_, ShownLanguage());
  for (const ControlRow& row : MainWindowControls()) {
    if (row.kind == ControlKind::Own) continue;
    ::SendDlgItemMessageW(hwnd_, row.id, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row)), FALSE);
    if (row.kind == ControlKind::Link) adapters_.Of<Win32Label>(row.id).SetLinkFonts(fonts_.normal, fonts_.underline);
  }
  // A toolbar measures its buttons when they are added: they are added again in the new font.
  const HWND toolbar = ::GetDlgItem(hwnd_, ids::kToolbarSpeedMain);
  if (toolbar != nullptr) {
    while (::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0) > 0) ::SendMessageW(toolbar, TB_DELETEBUTTON, 0, 0);
    AddToolbarButtons(toolbar);
  }
  old.Destroy();
}

// How far each control on the strip's pages is parked from its place on its page, in the strip's
// logical pixels; the parking distance does not depend on the resolution.
std::vector<int> Win32MainWindow::ParkedDistances(int before) const {
  const auto scaled = [before](int value) { return ::MulDiv(value, before, 96); };
  const ControlRow& strip = MainWindowControls().front();
  std::vector<int> distances;
  for (const auto& contained : contained_) {
    const int id = ::GetDlgCtrlID(contained->Hwnd());
    const auto rows = MainWindowControls();
    const auto row = std::find_if(rows.begin(), rows.end(), [id](const ControlRow& r) { return r.id == id; });
    const int x = row == rows.end() ? 0 : LaidOut(*row, ShownLanguage()).x;
    distances.push_back(row == rows.end() ? 0 : contained->Left() - (scaled(x) - scaled(strip.x)));
  }
  return distances;
}

void Win32MainWindow::PlaceControls(const std::vector<int>& parked) {
  const ControlRow& strip = MainWindowControls().front();
  for (const ControlRow& designed : MainWindowControls()) {
    const ControlRow row = LaidOut(designed, ShownLanguage());
    const HWND control = ::GetDlgItem(hwnd_, row.id);
    if (control == nullptr) continue;
    // The monitor's saved size is in pixels at any resolution; only its place follows.
    const bool pixels = row.id == ids::kSystemMonitorState;
    const int width = pixels ? row.width : Scale(row.width), height = pixels ? row.height : Scale(row.height);
    const auto contained = std::find_if(contained_.begin(), contained_.end(),
                                        [control](const auto& c) { return c->Hwnd() == control; });
    if (contained == contained_.end()) {
      ::SetWindowPos(control, nullptr, Scale(row.x), Scale(row.y), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
      continue;
    }
    RECT now{};
    ::GetWindowRect(control, &now);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&now), 2);
    ::SetWindowPos(control, nullptr, now.left, Scale(row.y), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    const int distance = parked[static_cast<std::size_t>(contained - contained_.begin())];
    (*contained)->SetLeft(Scale(row.x) - Scale(strip.x) + distance);
  }
  const HWND history = ::GetDlgItem(hwnd_, ids::kListViewHistory);
  if (history != nullptr) SizeHistoryColumns(history);
  adapters_.Of<Win32RuleTable>(ids::kListRules).SizeColumns(dpi_);
}

}  // namespace kestrune
