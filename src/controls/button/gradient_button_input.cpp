// Mouse, keyboard, focus and timer handling of the gradient button.
#include <cstdint>

#include "controls/button/gradient_button.h"
#include "controls/button/button_accessibility.h"

namespace kestrune::button {

namespace {

constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

std::int16_t Narrow(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

void GradientButton::Press(int button, int shift, float x, float y) {
  lastButton_ = button;
  // The right button never shows the pressed look; the click it may produce keeps the state too.
  if (button != mouse::kRight) buttonState_ = kStatePressed;
  DrawButton(buttonState_, true);
  host_.RaiseAccessibleEvent(AccessibleEvent::kStateChange, 0);
  if (events_) {
    std::int16_t b = Narrow(button), s = Narrow(shift);
    events_->MouseDown(b, s, x, y);
  }
}

void GradientButton::Release(int button, int shift, float x, float y) {
  if (button != mouse::kRight) buttonState_ = kStateNormal;
  DrawButton(buttonState_, true);
  host_.RaiseAccessibleEvent(AccessibleEvent::kStateChange, 0);
  if (events_) {
    std::int16_t b = Narrow(button), s = Narrow(shift);
    events_->MouseUp(b, s, x, y);
  }
}

void GradientButton::HandleClick() {
  if (lastButton_ == mouse::kLeft) buttonState_ = kStateNormal;
  DrawButton(buttonState_, true);
  surface_.Present();
  if (events_) events_->Click();
}

void GradientButton::OnMouseDown(int button, int shift, float x, float y) {
  if (!enabled_) return;
  Press(button, shift, x, y);
}

void GradientButton::OnMouseUp(int button, int shift, float x, float y) {
  if (!enabled_) return;
  Release(button, shift, x, y);
}

void GradientButton::OnMouseMove(int button, int shift, float x, float y) {
  if (!enabled_) return;
  if (button != 0 && button != mouse::kLeft) return;
  // The timer notices the pointer leaving. It is started once: restarting a platform timer resets its
  // countdown, and a stream of moves outside the button would then hold its leave test off.
  if (!leaveTimerRunning_) {
    host_.StartTimer(kLeaveTimerId, kLeaveTimerIntervalMs);
    leaveTimerRunning_ = true;
  }
  const bool inside = x >= 0 && x <= static_cast<float>(surface_.ScaleWidth()) && y >= 0 &&
                      y <= static_cast<float>(surface_.ScaleHeight());
  if (!inside) return;
  if (events_) {
    std::int16_t b = Narrow(button), s = Narrow(shift);
    events_->MouseMove(b, s, x, y);
  }
  if (button == mouse::kLeft) {
    // Coming back over the button with the left button held shows the pressed look again.
    DrawButton(kStatePressed, false);
  } else if (!isMouseOver_) {
    isMouseOver_ = true;
    DrawButton(kStateNormal, true);
  }
}

void GradientButton::OnTimer(int timerId) {
  if (timerId != kLeaveTimerId) return;
  if (!enabled_) {
    // Disabled under the pointer: the leave test must not run, and no later tick would stop the
    // timer. Stop it now; the hover is forgotten, so a move after enabling shows it afresh.
    host_.StopTimer(kLeaveTimerId);
    leaveTimerRunning_ = false;
    isMouseOver_ = false;
    return;
  }
  const Point p = host_.CursorPos();
  const bool outside = p.x < 0 || p.y < 0 || p.x > surface_.ScaleWidth() || p.y > surface_.ScaleHeight();
  if (!outside) return;
  host_.StopTimer(kLeaveTimerId);
  leaveTimerRunning_ = false;
  if (events_) events_->MouseOut();
  isMouseOver_ = false;
  // A held button loses its pressed look while the pointer is away.
  DrawButton(kStateNormal, true);
}

void GradientButton::OnClick() {
  if (!enabled_) return;
  HandleClick();
}

void GradientButton::OnDblClick() {
  if (!enabled_) return;
  // The second press of a double click shows the pressed look but makes no second Click.
  if (lastButton_ == mouse::kLeft) Press(mouse::kLeft, 1, 1.0f, 1.0f);
}

void GradientButton::OnKeyDown(int keyCode, int shift) {
  if (!enabled_) return;
  std::int16_t code = Narrow(keyCode), s = Narrow(shift);
  if (events_) events_->KeyDown(code, s);
  lastKeyCode_ = code & 0xFF;
  switch (code) {
    case kKeySpace: Press(mouse::kLeft, 1, 1.0f, 1.0f); break;
    case kKeyRight:
    case kKeyDown: host_.MoveFocus(true); break;
    case kKeyLeft:
    case kKeyUp: host_.MoveFocus(false); break;
    default: break;
  }
}

void GradientButton::OnKeyPress(int charCode) {
  if (!enabled_) return;
  std::int16_t ascii = Narrow(charCode);
  if (events_) events_->KeyPress(ascii);
}

void GradientButton::OnKeyUp(int keyCode, int shift) {
  if (!enabled_) return;
  std::int16_t code = Narrow(keyCode), s = Narrow(shift);
  if (events_) events_->KeyUp(code, s);
  if (lastKeyCode_ == kKeySpace && code == kKeySpace) {
    Release(mouse::kLeft, 1, 1.0f, 1.0f);
    lastButton_ = mouse::kLeft;
    HandleClick();
  }
}

void GradientButton::OnAccessKeyPress(wchar_t /*key*/) {
  if (!enabled_) return;
  HandleClick();
}

void GradientButton::OnGotFocus() {
  hasFocus_ = true;
  DrawButton(buttonState_, true);
  host_.RaiseAccessibleEvent(AccessibleEvent::kFocus, 0);
}

void GradientButton::OnLostFocus() {
  hasFocus_ = false;
  DrawButton(buttonState_, true);
}

std::optional<AccessibleDescription> GradientButton::Describe() const {
  return DescribeButton(ButtonFacts{caption_, enabled_, buttonState_ == kStatePressed, hasFocus_, width_, height_});
}

void GradientButton::DoDefaultAction(long child) {
  if (child != 0 || !enabled_) return;
  // What a left click at the button's corner raises: MouseDown, MouseUp, Click.
  Press(mouse::kLeft, 0, 1, 1);
  Release(mouse::kLeft, 0, 1, 1);
  HandleClick();
}

}  // namespace kestrune::button
