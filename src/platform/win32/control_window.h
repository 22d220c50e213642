#pragma once
// The one Win32 binding for the program's own controls: a child window that owns a GdiSurface and one
// OwnControl, implements ControlHost for it, and turns window messages into the control's handlers.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/click_tracker.h"
#include "platform/control_host.h"
#include "platform/own_control.h"
#include "platform/property_bag.h"
#include "platform/win32/gdi_surface.h"
#include "platform/win32/window_base.h"

namespace kestrune {

class ControlWindow;
class AccessibleObject;

struct ControlWindowArgs {
  HWND parent = nullptr;
  Rect bounds{};  // in the parent's client pixels
  int id = 0;     // child window id
  // Builds the control for this window's host and surface.
  std::function<std::unique_ptr<OwnControl>(ControlHost&, Surface&)> createControl;
  // Saved settings; nullptr places a new control (InitNew).
  const PropertyBag* saved = nullptr;
  bool userMode = true;
  Font ambientFont{};
  OleColor ambientBackColor = 0x8000000F;
  int dpi = 0;  // the resolution of the window the control stands in (0: the screen's)
  // Told about every persisted property the control changes (the form marks its set dirty).
  std::function<void(ControlWindow&, std::string_view key)> onPropertyChanged;
  // Controls placed inside this one (container controls only).
  std::function<std::vector<ContainedControl*>()> containedControls;
};

class ControlWindow : public ControlHost, public WindowBase {
 public:
  ControlWindow() = default;
  ~ControlWindow() override;
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;

  // Registers the window class once per process; Create calls it itself.
  static bool RegisterWindowClass(HINSTANCE instance);
  // Creates the window and the control; false when the window could not be created or the control
  // failed to load (the failure's text is then in LastError()).
  bool Create(const ControlWindowArgs& args);
  void Destroy();

  HWND Hwnd() const { return hwnd_; }
  OwnControl* Control() const { return control_.get(); }
  GdiSurface* DrawingSurface() const { return surface_.get(); }
  // The window moved to a screen of another resolution: text is made at that one from now on.
  void SetDpi(int dpi) {
    args_.dpi = dpi;
    if (surface_) surface_->SetDpi(dpi);
    if (control_ && loaded_) control_->Redraw();
  }
  const std::wstring& LastError() const { return lastError_; }

  // For the form's message loop: delivers Alt+character to the own control under root that registered
  // it as an access key. Returns true when a control took it.
  static bool TranslateAccessKey(const MSG& msg);

  // ControlHost
  bool UserMode() const override { return args_.userMode; }
  Font AmbientFont() const override { return args_.ambientFont; }
  OleColor AmbientBackColor() const override { return args_.ambientBackColor; }
  bool DisplayAsDefault() const override { return false; }
  bool FocusMarksShown() const override;
  void PropertyChanged(std::string_view key) override;
  void StartTimer(int timerId, unsigned intervalMs) override;
  void StopTimer(int timerId) override;
  Point CursorPos() const override;
  std::vector<ContainedControl*> ContainedControls() override;
  void SetAccessKeys(std::wstring_view keys) override;
  void ProcessPendingMessages() override;
  void Invalidate() override;
  bool Seen() const override;
  Rect Bounds() const override;
  void SetWindowBorder(int borderStyle, int appearance) override;
  void SetWindowEnabled(bool enabled) override;
  WindowHandle Window() const override;
  void MoveFocus(bool forward) override;
  void SetWindowRegion(const WindowRegion& region) override;
  void RaiseAccessibleEvent(AccessibleEvent event, long child) override;

  // For the accessibility object (control_window_access.cpp): the control's description, none when
  // the control leaves it to the system; its default action, run later from the message loop.
  std::optional<AccessibleDescription> DescribeControl();
  void PostDefaultAction(long child);

  // Changes the ambient properties and tells the control.
  void SetAmbient(bool userMode, const Font& font, OleColor backColor);
  // The window that hosts the control was activated or deactivated, or the system's colours or theme
  // changed: its window procedure tells the control, after handling the message itself.
  void HostActivated();
  void HostColorsChanged();

 private:
  LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Into the window on WM_PAINT, or into `picture` on WM_PRINTCLIENT.
  void Paint(HDC picture);
  void Resized(int width, int height);
  void ButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
  void ButtonUp(UINT message, WPARAM wParam, LPARAM lParam);
  std::wstring ControlText();
  LRESULT CopyText(WPARAM capacity, LPARAM buffer);
  void Destroyed();
  // Runs a control handler; a failure is kept in lastError_ and never leaves the window procedure.
  template <typename Call>
  bool Guard(Call call);
  void OnCreate();
  void TrackLeave();
  bool AcceptsAccessKey(wchar_t key) const;
  LRESULT DialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT UpdateUiState(WPARAM wParam, LPARAM lParam);
  // WM_GETOBJECT and the posted default action; false for any other message.
  bool AccessibilityMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);
  void ReleaseAccessible();

  ControlWindowArgs args_{};
  std::unique_ptr<GdiSurface> surface_;
  std::unique_ptr<OwnControl> control_;
  std::set<UINT_PTR> timers_;
  std::wstring accessKeys_;
  std::wstring lastError_;
  bool trackingLeave_ = false;
  ClickTracker clicks_;
  bool loaded_ = false;
  bool focusHidden_ = false;  // UISF_HIDEFOCUS of the window's UI state
  AccessibleObject* accessible_ = nullptr;  // made at the first request, one reference held until WM_DESTROY
};

}  // namespace kestrune
