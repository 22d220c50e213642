// What the strip follows once it is loaded at run time: the pointer entering and leaving, the wheel,
// the close boxes, and the form that hosts it (activation, colours). A strip placed without a saved
// set, or in a designer, follows none of them.
#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_error.h"

namespace kestrune::tabstrip {

void TabStrip::ScrollTabs(int direction) {
  Guarded("ScrollTabs", [&] {
    if (direction < 0) SetActiveTab(model_.activeTab + 1);
    else if (model_.activeTab > 0) SetActiveTab(model_.activeTab - 1);
  });
}

void TabStrip::OnMouseWheel(int delta, int /*shift*/) {
  Guarded("OnMouseWheel", [&] {
    if (!watching_ || !TabEnabled(model_.activeTab) || !model_.useMouseWheelScroll) return;
    // Negative is towards the user.
    if (delta < 0) Events().MouseScrollUp();
    else Events().MouseScrollDown();
    ScrollTabs(delta);
  });
}

void TabStrip::OnMouseLeave() {
  Guarded("OnMouseLeave", [&] {
    if (!watching_) return;
    mouseInside_ = false;
    Events().MouseLeave();
  });
}

void TabStrip::OnMouseReleased(int button) {
  if (button == mouse::kLeft) Guarded("OnMouseReleased", [&] { FollowCloseBoxButton(false); });
}

void TabStrip::OnHostActivated() {
  Guarded("OnHostActivated", [&] {
    if (!watching_) return;
    hoverTab_ = model_.activeTab;
    Refresh();
  });
}

void TabStrip::OnHostColorsChanged() {
  Guarded("OnHostColorsChanged", [&] {
    if (watching_) Refresh();
  });
}

// Entering, moving in and leaving the close box of one tab.
void TabStrip::TrackCloseBox(int tab) {
  const Rect& box = model_.Tab(tab).closeBoxRect;
  float x = static_cast<float>(cursorPos_.x), y = static_cast<float>(cursorPos_.y);
  if (!box.Contains(cursorPos_)) {
    inControlBox_ = false;
    Events().ControlBoxExit();
    DrawCloseBox(0, tab);
  } else if (inControlBox_) {
    Events().ControlBoxHover(x, y);
    DrawCloseBox(1, tab);
  } else {
    inControlBox_ = true;
    Events().ControlBoxEnter();
    DrawCloseBox(1, tab);
  }
}

void TabStrip::FollowPointer() {
  if (!watching_) return;
  if (!mouseInside_) {
    mouseInside_ = true;
    Events().MouseEnter();
  }
  cursorPos_ = host_.CursorPos();
  float x = static_cast<float>(cursorPos_.x), y = static_cast<float>(cursorPos_.y);
  if (HighlightsHover(model_.tabTheme)) {
    // The XP looks follow the close box of the tab under the mouse: the active or the hovered one.
    auto under = [&](int tab) { return model_.ValidIndex(tab) && model_.Tab(tab).tabRect.Contains(cursorPos_); };
    if (under(model_.activeTab)) {
      int tab = model_.activeTab;
      Events().MouseHover(tab, x, y);
      if (model_.useControlBox) TrackCloseBox(model_.activeTab);
    } else if (under(hoverTab_)) {
      int tab = hoverTab_;
      Events().MouseHover(tab, x, y);
      if (model_.useControlBox) TrackCloseBox(hoverTab_);
    }
    return;
  }
  if (!model_.useControlBox) return;
  for (int i = 0; i < model_.tabCount; ++i) {
    if (model_.Tab(i).closeBoxRect.Contains(cursorPos_)) {
      hoverTab_ = i;
      if (inControlBox_) {
        Events().ControlBoxHover(x, y);
      } else {
        inControlBox_ = true;
        Events().ControlBoxEnter();
      }
      DrawCloseBox(1, i);
      return;
    }
    if (i == hoverTab_) {
      inControlBox_ = false;
      Events().ControlBoxExit();
      DrawCloseBox(0, i);
    }
  }
}

// A press on a close box shows it pressed; a release removes the tab under the cursor, wherever
// the press was.
void TabStrip::FollowCloseBoxButton(bool press) {
  if (!watching_ || !model_.useControlBox) return;
  cursorPos_ = host_.CursorPos();
  for (int i = 0; i < model_.tabCount; ++i) {
    if (!model_.Tab(i).closeBoxRect.Contains(cursorPos_)) continue;
    float x = static_cast<float>(cursorPos_.x), y = static_cast<float>(cursorPos_.y);
    inControlBox_ = true;
    if (press) {
      Events().ControlBoxMouseDown(x, y);
      DrawCloseBox(2, i);
    } else {
      Events().ControlBoxMouseUp(x, y);
      RemoveTab(i);
    }
    return;
  }
}

}  // namespace kestrune::tabstrip
