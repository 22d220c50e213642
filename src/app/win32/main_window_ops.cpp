// What the program asks of the real window: z-order, visibility, dragging, the shell, the tray menu,
// and the shell's messages let through.
#include "app/win32/main_window.h"

#include <shellapi.h>

namespace kestrune {

void Win32MainWindow::SetTopmost(bool topmost) {
  ::SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

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

void Win32MainWindow::Restore() { ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0); }

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

namespace {

// Lets a message from a process with fewer rights through to the window. Looked up by name: the
// per-window filter arrived with Windows 7 and the per-process one with Vista; older systems filter
// nothing, so there is nothing to allow.
void AllowFromShell(HWND window, UINT message) {
  using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return;
  if (auto perWindow = reinterpret_cast<PerWindow>(
          reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilterEx")))) {
    perWindow(window, message, kAllow, nullptr);
  } else if (auto perProcess = reinterpret_cast<PerProcess>(
                 reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilter")))) {
    perProcess(message, kAllow);
  }
}

}  // namespace

void Win32MainWindow::AcceptTrayNotifications() { AllowFromShell(hwnd_, tray_.CallbackMessage()); }

void Win32MainWindow::AcceptTaskbarCreated() {
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  if (taskbarCreated_ != 0) AllowFromShell(hwnd_, taskbarCreated_);
}

}  // namespace kestrune
