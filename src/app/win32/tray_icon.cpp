#include "app/win32/tray_icon.h"

#include <cwchar>

#include "platform/texts.h"

namespace kestrune {

void Win32TrayIcon::Setup(HWND window, UINT callbackMessage, HICON icon) {
  data_ = {};
  // The first version of the record: every shell since Windows 95 understands it.
  data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data_.hWnd = window;
  data_.uID = 0;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon;
  std::wcsncpy(data_.szTip, UiTextZ(TextId::TrayTip), 63);
}

void Win32TrayIcon::SetIcon(HICON icon) {
  data_.hIcon = icon;
  if (data_.hWnd != nullptr) ::Shell_NotifyIconW(NIM_MODIFY, &data_);
}

bool Win32TrayIcon::Add() { return ::Shell_NotifyIconW(NIM_ADD, &data_) != FALSE; }

bool Win32TrayIcon::Delete() { return ::Shell_NotifyIconW(NIM_DELETE, &data_) != FALSE; }

}  // namespace kestrune
