#pragma once
// What an own control needs from the window that hosts it. The Win32 binding implements it once
// for all three controls; tests implement it in memory.
#include <string>
#include <string_view>
#include <vector>

#include "platform/accessible.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/types.h"
#include "platform/window_region.h"

namespace kestrune {

// A control placed inside a container control (the tab strip's pages).
class ContainedControl {
 public:
  virtual ~ContainedControl() = default;
  virtual std::string Name() const = 0;
  virtual int Left() const = 0;
  // May throw (a control that refuses to move); callers skip such a control.
  virtual void SetLeft(int left) = 0;
  virtual int Top() const = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
};

class ControlHost {
 public:
  virtual ~ControlHost() = default;

  // Ambient properties of the hosting window.
  virtual bool UserMode() const = 0;  // false while laid out in a designer
  virtual Font AmbientFont() const = 0;
  virtual OleColor AmbientBackColor() const = 0;
  virtual bool DisplayAsDefault() const = 0;
  // False while the window hides focus marks (after mouse use, until the keyboard is used); the
  // control hears of a change through OnAmbientChanged.
  virtual bool FocusMarksShown() const { return true; }

  // A persisted property changed; the host marks its property set dirty.
  virtual void PropertyChanged(std::string_view key) = 0;

  // Periodic timers of the control's own window; Tick is delivered through the control's OnTimer.
  virtual void StartTimer(int timerId, unsigned intervalMs) = 0;
  virtual void StopTimer(int timerId) = 0;

  // Cursor position in the control's client pixels.
  virtual Point CursorPos() const = 0;

  // Controls placed inside this one (container controls only).
  virtual std::vector<ContainedControl*> ContainedControls() = 0;

  // Characters that, with Alt, are reported to the control as access-key presses.
  virtual void SetAccessKeys(std::wstring_view keys) = 0;

  // Lets pending window messages run (the toolkit's DoEvents).
  virtual void ProcessPendingMessages() = 0;

  // The control's surface image changed and should be shown.
  virtual void Invalidate() = 0;
  // Whether the control's window can be seen now: false while it, or the window that holds it, is
  // hidden or minimised, and while it is parked outside its parent (a page not shown). A control
  // may skip drawing then; the window is painted again when it comes back.
  virtual bool Seen() const { return true; }

  // Position and size of the control's window in the host's client pixels.
  virtual Rect Bounds() const = 0;

  // Window-owned looks of the control's surface: border style 0 none / 1 fixed single, appearance
  // 0 flat / 1 three-dimensional, and whether the window takes input. The inner size (ScaleWidth x
  // ScaleHeight) follows from the border; the surface is resized and OnResize called if it changes.
  virtual void SetWindowBorder(int /*borderStyle*/, int /*appearance*/) {}
  virtual void SetWindowEnabled(bool /*enabled*/) {}

  // The control's own window handle (0 while it has none).
  virtual WindowHandle Window() const { return 0; }
  // Moves the keyboard focus to the next (forward) or previous control in tab order, as Tab and
  // Shift+Tab do in a dialog.
  virtual void MoveFocus(bool /*forward*/) {}
  // Shapes the control's window; the binding replaces any previous shape and redraws the window.
  virtual void SetWindowRegion(const WindowRegion& /*region*/) {}
  // Tells screen readers that something they may be showing changed (child as in Describe).
  virtual void RaiseAccessibleEvent(AccessibleEvent /*event*/, long /*child*/) {}
};

}  // namespace kestrune
