#pragma once
#include <windows.h>
#include <shellapi.h>

#include "app/ui.h"

namespace kestrune {

// One notification-area icon, kept in one record for the whole run so the same record deletes it.
class Win32TrayIcon : public TrayIcon {
 public:
  void Setup(HWND window, HICON icon);
  // A new icon for the one shown (a screen of another resolution); none is added if none is shown.
  void SetIcon(HICON icon);
  bool Add() override;
  bool Delete() override;

 private:
  NOTIFYICONDATAW data_{};
};

}  // namespace kestrune
