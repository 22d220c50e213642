// Mouse, keyboard, access keys, focus and the hover timer: what the user does to the strip.
#include <algorithm>

#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_accessibility.h"
#include "controls/tabstrip/tab_strip_error.h"
#include "platform/rounding.h"

namespace kestrune::tabstrip {

namespace {

constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;
}  // namespace

// --- Mouse on the surface ------------------------------------------------------------------------

void TabStrip::OnMouseDown(int button, int shift, float x, float y) {
  Guarded("OnMouseDown", [&] {
    if (refreshing_) return;
    int b = button, s = shift;
    float fx = x, fy = y;
    Events().MouseDown(b, s, fx, fy);
    if (b != mouse::kLeft) return;
    refreshing_ = true;
    AtExit clear([&] { refreshing_ = false; });
    SelectTabAt(fx, fy);
  });
  if (button == mouse::kLeft) Guarded("OnMouseDown", [&] { FollowCloseBoxButton(true); });
}

// The first enabled tab whose rectangle holds the point, within the tab row, becomes active.
void TabStrip::SelectTabAt(float x, float y) {
  Guarded("SelectTabAt", [&] {
    if (HighlightsHover(model_.tabTheme) && hoverDrawn_) {
      hoverDrawn_ = false;
      SetHoverTimer(0);
    }
    const int xi = RoundEvenInt(x), yi = RoundEvenInt(y);
    if (yi > model_.StripHeight()) return;
    for (int i = 0; i < model_.tabCount; ++i) {
      const TabRecord& tab = model_.Tab(i);
      const Rect& r = tab.tabRect;
      if (xi >= r.left && xi <= r.right && yi >= r.top && yi <= r.bottom && tab.enabled) {
        if (i != model_.activeTab) SetActiveTab(i);
        return;
      }
    }
  });
}

void TabStrip::OnMouseMove(int button, int shift, float x, float y) {
  Guarded("OnMouseMove", [&] {
    int b = button, s = shift;
    float fx = x, fy = y;
    Events().MouseMove(b, s, fx, fy);
    HoverTabAt(fx, fy);
  });
  Guarded("OnMouseMove", [&] { FollowPointer(); });
}

// In the XP looks an enabled tab other than the active one lights up under the mouse.
void TabStrip::HoverTabAt(float x, float y) {
  Guarded("HoverTabAt", [&] {
    if (!HighlightsHover(model_.tabTheme)) return;
    const int xi = RoundEvenInt(x), yi = RoundEvenInt(y);
    if (hoverDrawn_) return;
    if (yi > model_.StripHeight()) return;
    for (int i = 0; i < model_.tabCount; ++i) {
      const TabRecord& tab = model_.Tab(i);
      if (xi >= tab.tabRect.left && xi <= tab.tabRect.right && tab.enabled) {
        if (i != model_.activeTab) {
          hoverTab_ = i;
          if (model_.tabStyle == kTabbedDialog || model_.tabStyle == kPropertyPages) ShowHoverHighlight();
          Present();
        }
        return;
      }
    }
  });
}

void TabStrip::OnMouseUp(int button, int shift, float x, float y) {
  Guarded("OnMouseUp", [&] {
    if (refreshing_) return;
    int b = button, s = shift;
    float fx = x, fy = y;
    Events().MouseUp(b, s, fx, fy);
  });
}

void TabStrip::OnClick() {
  Guarded("OnClick", [&] { Events().Click(); });
}
void TabStrip::OnDblClick() {
  Guarded("OnDblClick", [&] { Events().DblClick(); });
}

// --- Hover timer ---------------------------------------------------------------------------------

void TabStrip::SetHoverTimer(unsigned intervalMs) {
  try {
    if (intervalMs > 0) host_.StartTimer(kHoverTimerId, intervalMs);
    else host_.StopTimer(kHoverTimerId);
  } catch (...) {
  }
}

// Ticks come for every strip, loaded at run time or not: a highlight drawn on a strip that follows
// no pointer would otherwise never be taken away and would block every later one.
void TabStrip::OnTimer(int timerId) {
  if (timerId == kHoverTimerId) OnHoverTimer();
}

void TabStrip::OnHoverTimer() {
  Guarded("OnHoverTimer", [&] {
    if (!HighlightsHover(model_.tabTheme)) {
      // The theme changed away from one with a highlight; its full redraw has already painted the
      // highlight over, and nothing else would ever stop the timer.
      SetHoverTimer(0);
      hoverDrawn_ = false;
      return;
    }
    cursorPos_ = host_.CursorPos();
    const Rect& h = hoverRect_;
    if (cursorPos_.x < h.left || cursorPos_.x > h.right || cursorPos_.y < h.top || cursorPos_.y > h.bottom) {
      SetHoverTimer(0);
      hoverDrawn_ = false;
      ToggleHoverHighlight();
      Present();
    }
  });
}

// --- Keyboard, access keys, focus ----------------------------------------------------------------

void TabStrip::OnKeyDown(int keyCode, int shift) {
  Guarded("OnKeyDown", [&] {
    const bool ctrl = (shift & shiftstate::kCtrl) != 0;
    if (keyCode == kKeyRight || (keyCode == kKeyPageDown && ctrl)) StepTab(true);
    else if (keyCode == kKeyLeft || (keyCode == kKeyPageUp && ctrl)) StepTab(false);
    int k = keyCode, s = shift;
    Events().KeyDown(k, s);
  });
}

void TabStrip::SelectNeighbourTab(bool forward) {
  Guarded("SelectNeighbourTab", [&] { StepTab(forward); });
}

void TabStrip::StepTab(bool forward) {
  // A key that arrives while a switch lets pending messages run (a held arrow key repeats) would
  // start a second switch inside the first and move every control twice, leaving no page on
  // screen. As with a press and an access key, it moves nothing then.
  if (refreshing_) return;
  refreshing_ = true;
  AtExit clear([&] { refreshing_ = false; });
  const int active = model_.activeTab, last = model_.tabCount - 1;
  // A disabled neighbour blocks the step: the keys do not jump over it.
  if (forward) {
    if (active < last) {
      if (TabEnabled(active + 1)) SetActiveTab(active + 1);
    } else if (TabEnabled(0)) {
      SetActiveTab(0);
    }
  } else if (active == 0) {
    if (model_.tabCount > 1 && TabEnabled(last)) SetActiveTab(last);
  } else if (model_.tabCount > 1 && TabEnabled(active - 1)) {
    SetActiveTab(active - 1);
  }
}

void TabStrip::OnKeyUp(int keyCode, int shift) {
  Guarded("OnKeyUp", [&] {
    int k = keyCode, s = shift;
    Events().KeyUp(k, s);
  });
}

void TabStrip::OnKeyPress(int charCode) {
  Guarded("OnKeyPress", [&] {
    int c = charCode;
    Events().KeyPress(c);
  });
}

void TabStrip::OnAccessKeyPress(wchar_t key) {
  Guarded("OnAccessKeyPress", [&] {
    int code = static_cast<int>(key);
    if (code >= 97 && code <= 122) code -= 32;
    for (int i = 0; i < model_.tabCount; ++i) {
      const TabRecord& tab = model_.Tab(i);
      if (tab.accessKey == code && i != model_.activeTab && tab.enabled) {
        SwitchByUser(i);
        return;
      }
    }
  });
}

void TabStrip::SwitchByUser(int tab) {
  if (refreshing_) return;
  refreshing_ = true;
  AtExit clear([&] { refreshing_ = false; });
  SetActiveTab(tab);
}

std::optional<AccessibleDescription> TabStrip::Describe() const {
  return DescribeTabStrip(model_, isFocused_, surface_.ScaleWidth(), surface_.ScaleHeight());
}

void TabStrip::DoDefaultAction(long child) {
  Guarded("DoDefaultAction", [&] {
    const int tab = static_cast<int>(child) - 1;
    // Only what the user could choose: an enabled tab of an enabled strip, not the one shown.
    if (!model_.enabled || !model_.ValidIndex(tab) || tab == model_.activeTab || !model_.Tab(tab).enabled) return;
    SwitchByUser(tab);
  });
}

void TabStrip::OnGotFocus() {
  Guarded("OnGotFocus", [&] {
    hoverTab_ = model_.activeTab;
    isFocused_ = true;
    UpdateFocusMark();
    host_.RaiseAccessibleEvent(AccessibleEvent::kFocus, model_.activeTab + 1);
  });
}

void TabStrip::OnLostFocus() {
  Guarded("OnLostFocus", [&] {
    hoverTab_ = model_.activeTab;
    isFocused_ = false;
    UpdateFocusMark();
  });
}

}  // namespace kestrune::tabstrip
