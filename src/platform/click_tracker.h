#pragma once
// What an own control's window makes of the mouse buttons going down and up: which handler hears
// of it, when a click follows, and when the window holds the mouse capture. The window binding asks
// it for each button message and carries out the answer.
//
// The rules are the toolkit's: a press focuses the window and captures the mouse until the last
// held button goes up; the second press of a left double click is reported as the double click
// itself (it neither focuses nor reports a press) and its release makes no click; a click is a left
// release, after a left press, over the window.

namespace kestrune {

struct MouseStep {
  enum class Report { MouseDown, DblClick, MouseUp };
  Report report = Report::MouseDown;
  bool takeFocus = false;       // focus the window, unless it has the focus already
  bool capture = false;         // capture the mouse, so that the release comes here too
  bool releaseCapture = false;  // no button is held any more
  bool clickIfInside = false;   // after the MouseUp handler: a click when the pointer is over the window
};

class ClickTracker {
 public:
  // button: mouse::kLeft, kRight or kMiddle. secondOfDouble: the platform reports this press as the
  // second of a double click.
  MouseStep Press(int button, bool secondOfDouble);
  // buttonsStillHeld: the mouse:: flags of the buttons that are down after this release.
  MouseStep Release(int button, int buttonsStillHeld);

 private:
  bool leftPressed_ = false;  // a left press that may end in a click
};

}  // namespace kestrune
