#include "platform/click_tracker.h"

#include "platform/own_control.h"

namespace kestrune {

MouseStep ClickTracker::Press(int button, bool secondOfDouble) {
  MouseStep step;
  step.capture = true;
  if (button == mouse::kLeft && secondOfDouble) {
    step.report = MouseStep::Report::DblClick;
    leftPressed_ = false;
    return step;
  }
  // The right and middle buttons' double clicks are two plain presses.
  step.report = MouseStep::Report::MouseDown;
  step.takeFocus = true;
  if (button == mouse::kLeft) leftPressed_ = true;
  return step;
}

MouseStep ClickTracker::Release(int button, int buttonsStillHeld) {
  MouseStep step;
  step.report = MouseStep::Report::MouseUp;
  step.releaseCapture = buttonsStillHeld == 0;
  if (button == mouse::kLeft) {
    step.clickIfInside = leftPressed_;
    leftPressed_ = false;
  }
  return step;
}

}  // namespace kestrune
