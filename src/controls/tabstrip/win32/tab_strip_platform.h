#pragma once
// The tab strip's window-system services on Win32: version and visual style, the drawing lock,
// the resolution, re-parenting and the open-file dialog.
#include "controls/tabstrip/tab_strip_platform.h"

namespace kestrune::tabstrip {

class Win32TabStripPlatform : public TabStripPlatform {
 public:
  OsVersion Version() const override;
  bool CurrentThemeName(std::wstring& colorName) const override;
  std::uint32_t DeviceContext() const override { return 0; }  // drawing goes through the Surface
  void LockWindowUpdate(WindowHandle window) override;
  // The window's resolution once the host has given it (SetDpi), else the screen's.
  int Dpi() const override;
  void SetDpi(int dpi) { dpi_ = dpi; }
  void SetParent(WindowHandle child, WindowHandle parent) override;
  void SetWindowPos(WindowHandle window, int x, int y, int cx, int cy, unsigned flags) override;
  std::wstring ShowOpenFileDialog(const OpenFileRequest& request) override;

 private:
  int dpi_ = 0;
};

}  // namespace kestrune::tabstrip
