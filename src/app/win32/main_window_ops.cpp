// What the form logic asks of the real window: z-order, visibility, dragging, the shell, the tray
// menu, and the window-procedure hook.
#include "app/win32/main_window.h"

#include <shellapi.h>

namespace kestrune {

void Win32MainWindow::SetTopmost(bool topmost) {
  ::SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32MainWindow::SendMinimizeCommand() { ::SendMessageW(hwnd_, WM_COMMAND, SC_MINIMIZE, 0); }

void Win32MainWindow::StartDrag() {
  ::ReleaseCapture();
  ::SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

bool Win32MainWindow::IsVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }

void Win32MainWindow::Show() {
  hiddenToTray_ = false;
  ::ShowWindow(hwnd_, SW_SHOW);
}

void Win32MainWindow::Hide() {
  hiddenToTray_ = true;
  ::ShowWindow(hwnd_, SW_HIDE);
}

void Win32MainWindow::SendRestore() { ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0); }

void Win32MainWindow::OpenUrl(std::wstring_view url) {
  ::ShellExecuteW(hwnd_, L"open", std::wstring(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32MainWindow::BringToForeground() { ::SetForegroundWindow(hwnd_); }

void Win32MainWindow::ShowTrayMenu() {
  POINT at{};
  ::GetCursorPos(&at);
  ::TrackPopupMenu(trayMenu_, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  // Lets the menu close properly the next time the tray icon is clicked.
  ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void Win32MainWindow::RequestClose() { ::PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

void Win32MainWindow::Install() {
  previousProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32MainWindow::StaticHookProc)));
}

void Win32MainWindow::Remove() {
  if (previousProc_ == nullptr) return;
  ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
  previousProc_ = nullptr;
}

std::uint32_t Win32MainWindow::RegisterTaskbarCreated() { return ::RegisterWindowMessageW(L"TaskbarCreated"); }

void Win32MainWindow::AllowFromShell(std::uint32_t message) {
  // Looked up by name: the per-window filter arrived with Windows 7 and the per-process one with
  // Vista; older systems filter nothing, so there is nothing to allow.
  using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return;
  if (auto perWindow = reinterpret_cast<PerWindow>(
          reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilterEx")))) {
    perWindow(hwnd_, message, kAllow, nullptr);
  } else if (auto perProcess = reinterpret_cast<PerProcess>(
                 reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilter")))) {
    perProcess(message, kAllow);
  }
}

}  // namespace kestrune
