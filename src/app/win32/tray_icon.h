#pragma once
#include <windows.h>
#include <shellapi.h>

#include "app/ui.h"

namespace kestrune {

// One notification-area icon, kept in one record for the whole run so the same record deletes it.
class Win32TrayIcon : public TrayIcon {
 public:
  // The icon's notifications come to window as callbackMessage.
  void Setup(HWND window, UINT callbackMessage, HICON icon);
  UINT CallbackMessage() const { return data_.uCallbackMessage; }
  // A new icon for the one shown (a screen of another resolution); none is added if none is shown.
  void SetIcon(HICON icon);
  bool Add() override;
  bool Delete() override;

 private:
  NOTIFYICONDATAW data_{};
};

}  // namespace kestrune
