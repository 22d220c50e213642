#pragma once
// The main window's own controls (page strip, the two buttons, the resource monitor), each hosted by
// the one control-window binding, and the adapters the program talks to.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ui.h"
#include "controls/button/gradient_button.h"
#include "controls/monitor/system_monitor.h"
#include "controls/monitor/win32/system_figures.h"
#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/win32/tab_strip_platform.h"
#include "platform/dpi.h"
#include "platform/win32/control_window.h"
#include "platform/win32/system_colors.h"

namespace kestrune {

// A stock control placed on one of the strip's pages. Its Left is measured from the strip's left
// edge, as the strip parks the controls of hidden pages far to the side.
class Win32ContainedControl : public ContainedControl {
 public:
  Win32ContainedControl(HWND control, HWND container) : control_(control), container_(container) {}
  HWND Hwnd() const { return control_; }
  std::string Name() const override;
  int Left() const override;
  void SetLeft(int left) override;
  int Top() const override;
  bool Visible() const override { return ::IsWindowVisible(control_) != FALSE; }
  void SetVisible(bool visible) override { ::ShowWindow(control_, visible ? SW_SHOWNA : SW_HIDE); }

  // Windows keeps a window's place within 16 bits: a control parked four or more page-distances
  // (4 x 10000) away would be cut to about 32767 and come back to the wrong place. The strip's
  // left is remembered here and the window itself stands at most this far away, which is still far
  // outside every page.
  static constexpr int kFarthest = 30000;

 private:
  RECT InParent() const;
  int StripLeft() const;
  HWND control_;
  HWND container_;
  int logicalLeft_ = 0;
  int placedLeft_ = 0;
  bool placed_ = false;
};

struct OwnControlCallbacks {
  std::function<void()> mouseDown;  // drags the window
  std::function<void()> mouseMove;  // resets the link labels
  std::function<void()> switched;   // another page is shown
};

// TabStripMain, as the form's page switcher.
class Win32TabStripPages : public TabPages, private tabstrip::TabStripEvents {
 public:
  // The tab heights and pictures are made for `dpi`; the form gives its sizes at 96 dpi.
  bool Create(HWND parent, int id, const Rect& bounds, const Font& formFont, int dpi, OwnControlCallbacks callbacks,
              std::function<std::vector<ContainedControl*>()> contained);
  HWND Hwnd() const { return window_.Hwnd(); }
  int ParkOffset() const { return strip_->ParkOffset(); }
  int ActiveTab() const { return strip_->ActiveTab(); }

  void CopyTabImages() override;
  void SetTabCaption(int index, std::wstring_view caption) override;
  void SetActiveTab(int index) override;
  void SetActiveTabHeight(int height) override;
  // The window moved to a screen of another resolution: the tab heights, pictures and text follow.
  void SetDpi(int dpi);
  // The next or previous page, as Ctrl+Page Down and Ctrl+Page Up on the strip select it.
  void StepPage(bool forward) { strip_->SelectNeighbourTab(forward); }
  // What the strip follows of the window that hosts it.
  void HostActivated() { window_.HostActivated(); }
  void HostColorsChanged() { window_.HostColorsChanged(); }

 private:
  void TabSwitch(int previousTab) override;
  void MouseDown(int& button, int& shift, float& x, float& y) override;
  void MouseMove(int& button, int& shift, float& x, float& y) override;

  Win32SystemColors colors_;
  tabstrip::Win32TabStripPlatform platform_;
  ControlWindow window_;
  tabstrip::TabStrip* strip_ = nullptr;
  int dpi_ = kBaseDpi;
  int activeTabHeight_ = 0;  // as the form gave it, at 96 dpi (0: the saved set's)
  OwnControlCallbacks callbacks_;
};

// CommandExit and CommandMini.
class Win32GradientButton : private button::GradientButtonEvents {
 public:
  bool Create(HWND parent, int id, const Rect& bounds, const std::wstring& name, const PropertyBag& saved,
              std::function<void()> onClick);
  HWND Hwnd() const { return window_.Hwnd(); }
  void SetDpi(int dpi) { window_.SetDpi(dpi); }

 private:
  void Click() override;

  Win32SystemColors colors_;
  ControlWindow window_;
  std::function<void()> onClick_;
};

// SystemMonitorState.
class Win32Monitor {
 public:
  bool Create(HWND parent, int id, const Rect& bounds, const PropertyBag& saved);
  HWND Hwnd() const { return window_.Hwnd(); }
  void SetDpi(int dpi) { window_.SetDpi(dpi); }

 private:
  Win32SystemColors colors_;
  monitor::Win32SystemFigures figures_;
  ControlWindow window_;
};

}  // namespace kestrune
