#pragma once
// The contract between an own control (portable) and the one Win32 binding that hosts it.
//
// A control is constructed with references to its ControlHost and its Surface, both of which outlive
// it. The binding then calls exactly one of InitNew (first placement, no saved settings) or Load
// (saved settings), and afterwards forwards the window's events through the On... handlers.
// Handlers may throw ControlError; the binding catches at the message boundary.
#include <optional>
#include <string>

#include "platform/accessible.h"
#include "platform/property_bag.h"

namespace kestrune {

// Mouse buttons and shift states as the toolkit reports them to event handlers.
namespace mouse {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
}  // namespace mouse
namespace shiftstate {
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;
}  // namespace shiftstate

class OwnControl {
 public:
  virtual ~OwnControl() = default;

  // Persistence. InitNew sets the defaults of a newly placed control; Load restores a saved set;
  // Save writes every persisted key (a value equal to its default may be left out by the bag).
  virtual void InitNew() = 0;
  virtual void Load(const PropertyBag& bag) = 0;
  virtual void Save(PropertyBag& bag) = 0;

  // Paints the whole control into its surface and presents it.
  virtual void Redraw() = 0;

  // The window is being painted from the retained image (the binding blits after this returns).
  virtual void OnPaint() {}
  // The window became visible.
  virtual void OnShow() {}
  // The surface has already been resized to the new inner size when this runs.
  virtual void OnResize(int width, int height) = 0;
  // The window is about to be destroyed; the host is still usable here.
  virtual void OnDestroy() {}

  // Mouse: button and shift as in the mouse/shiftstate namespaces; x and y in surface pixels.
  virtual void OnMouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void OnMouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void OnMouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  // A release has run its course: after OnMouseUp and the click it may have made.
  virtual void OnMouseReleased(int /*button*/) {}
  virtual void OnClick() {}
  virtual void OnDblClick() {}
  // delta as the platform reports it: positive away from the user, 120 per notch.
  virtual void OnMouseWheel(int /*delta*/, int /*shift*/) {}
  virtual void OnMouseLeave() {}

  // Keyboard: key codes are the platform's virtual-key codes, charCode the typed character.
  virtual void OnKeyDown(int /*keyCode*/, int /*shift*/) {}
  virtual void OnKeyUp(int /*keyCode*/, int /*shift*/) {}
  virtual void OnKeyPress(int /*charCode*/) {}
  // One of the characters given to ControlHost::SetAccessKeys was pressed with Alt (lower case).
  virtual void OnAccessKeyPress(wchar_t /*key*/) {}
  virtual void OnGotFocus() {}
  virtual void OnLostFocus() {}
  // Arrow keys reach the control only when it asks for them (otherwise dialogs use them to move focus).
  virtual bool WantsArrowKeys() const { return false; }
  // A push button: Enter presses it while it has the focus, as a dialog presses its focused button
  // (the host then calls OnClick).
  virtual bool IsPushButton() const { return false; }

  // A periodic timer started through ControlHost::StartTimer elapsed.
  virtual void OnTimer(int /*timerId*/) {}

  // An ambient property of the host (font, back colour, user mode) changed.
  virtual void OnAmbientChanged() {}

  // The top-level window that hosts the control was activated or deactivated, or the system's colours
  // or visual style changed. Only a control created to hear its host window is told.
  virtual void OnHostActivated() {}
  virtual void OnHostColorsChanged() {}

  // The control's caption, if it has one (the window's text for assistive tools and tests).
  virtual std::wstring Text() const { return {}; }

  // What a screen reader is told about the control as it stands; none for a control that leaves it
  // to the system.
  virtual std::optional<AccessibleDescription> Describe() const { return std::nullopt; }
  // A reader asked for the default action of the control (child 0) or of its part child.
  virtual void DoDefaultAction(long /*child*/) {}
};

}  // namespace kestrune
