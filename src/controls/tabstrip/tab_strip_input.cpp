// Mouse, keyboard, access keys, wheel, focus, the hover timer and the reactions to the raw window
// messages of the control's window and of the form that hosts it.
#include <algorithm>

#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_error.h"
#include "platform/rounding.h"

namespace kestrune::tabstrip {

namespace {
constexpr std::uint32_t kWmActivate = 0x0006;
constexpr std::uint32_t kWmSysColorChange = 0x0015;
constexpr std::uint32_t kWmMouseMove = 0x0200;
constexpr std::uint32_t kWmLButtonDown = 0x0201;
constexpr std::uint32_t kWmLButtonUp = 0x0202;
constexpr std::uint32_t kWmSizing = 0x0214;
constexpr std::uint32_t kWmMoving = 0x0216;
constexpr std::uint32_t kWmExitSizeMove = 0x0232;
constexpr std::uint32_t kWmThemeChanged = 0x031A;
constexpr std::uint32_t kWmTimer = 0x0113;
constexpr std::uint32_t kWmMouseWheel = 0x020A;
constexpr std::uint32_t kWmMouseLeave = 0x02A3;

constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;

// Holds the re-entrancy guard for the length of one input reaction.
class RefreshingScope {
 public:
  explicit RefreshingScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~RefreshingScope() { flag_ = false; }
  RefreshingScope(const RefreshingScope&) = delete;
  RefreshingScope& operator=(const RefreshingScope&) = delete;

 private:
  bool& flag_;
};

bool HoverTheme(int theme) { return theme == kThemeXP || theme == kThemeBeige; }
}  // namespace

// --- Mouse on the surface ------------------------------------------------------------------------

void TabStrip::OnMouseDown(int button, int shift, float x, float y) {
  Guarded("UserControl_MouseDown", [&] {
    if (refreshing_) return;
    int b = button, s = shift;
    float fx = x, fy = y;
    Events().MouseDown(b, s, fx, fy);
    if (b != mouse::kLeft) return;
    RefreshingScope guard(refreshing_);
    pHandleMouseDown(fx, fy);
  });
}

void TabStrip::pHandleMouseDown(float x, float y) {
  Guarded("pHandleMouseDown", [&] {
    if (HoverTheme(tabTheme_) && hoverDrawn_) {
      hoverDrawn_ = false;
      SetHoverTimer(0);
    }
    const int xi = RoundEvenInt(x), yi = RoundEvenInt(y);
    if (yi > std::max(activeTabHeight_, inActiveTabHeight_)) return;
    for (int i = 0; i < tabCount_; ++i) {
      const TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
      const Rect& r = tab.TabRect;
      if (xi >= r.left && xi <= r.right && yi >= r.top && yi <= r.bottom && tab.Enabled) {
        if (i != activeTab_) SetActiveTab(i);
        return;
      }
    }
  });
}

void TabStrip::OnMouseMove(int button, int shift, float x, float y) {
  Guarded("UserControl_MouseMove", [&] {
    int b = button, s = shift;
    float fx = x, fy = y;
    Events().MouseMove(b, s, fx, fy);
    pHandleMouseMove(fx, fy);
  });
}

void TabStrip::pHandleMouseMove(float x, float y) {
  Guarded("pHandleMouseMove", [&] {
    if (!HoverTheme(tabTheme_)) return;
    const int xi = RoundEvenInt(x), yi = RoundEvenInt(y);
    if (hoverDrawn_) return;
    if (yi > std::max(activeTabHeight_, inActiveTabHeight_)) return;
    pGetCachedProperties();
    for (int i = 0; i < tabCount_; ++i) {
      const TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
      if (xi >= tab.TabRect.left && xi <= tab.TabRect.right && tab.Enabled) {
        if (i != activeTab_) {
          hoverTab_ = i;
          if (tabStyle_ == kTabbedDialog) pDrawOnMouseOverTabbed();
          else if (tabStyle_ == kPropertyPages) pDrawOnMouseOverProperty();
          surface_.Present();
          host_.Invalidate();
        }
        return;
      }
    }
  });
}

void TabStrip::OnMouseUp(int button, int shift, float x, float y) {
  Guarded("UserControl_MouseUp", [&] {
    if (refreshing_) return;
    int b = button, s = shift;
    float fx = x, fy = y;
    Events().MouseUp(b, s, fx, fy);
  });
}

void TabStrip::OnClick() {
  Guarded("UserControl_Click", [&] { Events().Click(); });
}
void TabStrip::OnDblClick() {
  Guarded("UserControl_DblClick", [&] { Events().DblClick(); });
}

// --- Hover timer ---------------------------------------------------------------------------------

void TabStrip::SetHoverTimer(unsigned intervalMs) {
  try {
    if (intervalMs > 0) host_.StartTimer(kHoverTimerId, intervalMs);
    else host_.StopTimer(kHoverTimerId);
  } catch (...) {
  }
}

// Ticks come through the binding for every control, hooked or not: a highlight drawn on a control
// without the hook would otherwise never be taken away and would block every later one.
void TabStrip::OnTimer(int timerId) {
  if (timerId == kHoverTimerId) TimerEvent();
}

void TabStrip::TimerEvent() {
  Guarded("TimerEvent", [&] {
    if (!HoverTheme(tabTheme_)) return;
    cursorPos_ = host_.CursorPos();
    const Rect& h = hoverRect_;
    if (cursorPos_.x < h.left || cursorPos_.x > h.right || cursorPos_.y < h.top || cursorPos_.y > h.bottom) {
      SetHoverTimer(0);
      hoverDrawn_ = false;
      pDrawOverXOred();
      surface_.Present();
      host_.Invalidate();
    }
  });
}

// --- Keyboard, access keys, focus ----------------------------------------------------------------

void TabStrip::OnKeyDown(int keyCode, int shift) {
  Guarded("UserControl_KeyDown", [&] {
    // A key that arrives while a switch lets pending messages run (a held arrow key repeats) would
    // start a second switch inside the first and move every control twice, leaving no page on
    // screen. As with a press and an access key, it moves nothing then.
    if (!refreshing_) {
      RefreshingScope guard(refreshing_);
      const bool ctrl = (shift & shiftstate::kCtrl) != 0;
      const int last = tabCount_ - 1;
      if (keyCode == kKeyRight || (keyCode == kKeyPageDown && ctrl)) {
        if (activeTab_ < last) {
          if (TabEnabled(activeTab_ + 1)) SetActiveTab(activeTab_ + 1);
        } else if (TabEnabled(0)) {
          SetActiveTab(0);
        }
      } else if (keyCode == kKeyLeft || (keyCode == kKeyPageUp && ctrl)) {
        if (activeTab_ == 0) {
          if (tabCount_ > 1 && TabEnabled(last)) SetActiveTab(last);
        } else if (tabCount_ > 1 && TabEnabled(activeTab_ - 1)) {
          SetActiveTab(activeTab_ - 1);
        }
      }
    }
    int k = keyCode, s = shift;
    Events().KeyDown(k, s);
  });
}

void TabStrip::OnKeyUp(int keyCode, int shift) {
  Guarded("UserControl_KeyUp", [&] {
    int k = keyCode, s = shift;
    Events().KeyUp(k, s);
  });
}

void TabStrip::OnKeyPress(int charCode) {
  Guarded("UserControl_KeyPress", [&] {
    int c = charCode;
    Events().KeyPress(c);
  });
}

void TabStrip::OnAccessKeyPress(wchar_t key) {
  Guarded("UserControl_AccessKeyPress", [&] {
    int code = static_cast<int>(key);
    if (code >= 97 && code <= 122) code -= 32;
    for (int i = 0; i < tabCount_; ++i) {
      const TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
      if (tab.AccessKey == code && i != activeTab_ && tab.Enabled) {
        if (refreshing_) return;
        RefreshingScope guard(refreshing_);
        SetActiveTab(i);
        return;
      }
    }
  });
}

void TabStrip::OnGotFocus() {
  Guarded("UserControl_GotFocus", [&] {
    hoverTab_ = activeTab_;
    isFocused_ = true;
    pShowHideFocus();
  });
}

void TabStrip::OnLostFocus() {
  Guarded("UserControl_LostFocus", [&] {
    hoverTab_ = activeTab_;
    isFocused_ = false;
    pShowHideFocus();
  });
}

// --- The hook ------------------------------------------------------------------------------------

void TabStrip::InstallHooks() {
  hooks_.HookWindow(kOwnWindowKey);
  for (std::uint32_t m : {kWmMouseMove, kWmMouseLeave, kWmMouseWheel, kWmLButtonDown, kWmLButtonUp})
    hooks_.HookMessage(kOwnWindowKey, m, hookphase::kAfter);
  hooks_.HookMessage(kOwnWindowKey, kWmTimer, hookphase::kBefore);
  hooks_.HookWindow(kFormWindowKey);
  for (std::uint32_t m : {kWmActivate, kWmMoving, kWmSizing, kWmExitSizeMove, kWmSysColorChange, kWmThemeChanged})
    hooks_.HookMessage(kFormWindowKey, m, hookphase::kAfter);
}

void TabStrip::OnRawMessage(bool before, const RawMessage& message) {
  const MessageHookTable::Entry* entry = hooks_.Find(message.fromHostWindow ? kFormWindowKey : kOwnWindowKey);
  if (entry == nullptr) return;
  if ((before ? entry->before : entry->after).Contains(message.message)) SubclassProc(before, message);
}

void TabStrip::ScrollTabs(int direction) {
  Guarded("ScrollTabs", [&] {
    if (direction < 0) SetActiveTab(activeTab_ + 1);
    else if (activeTab_ > 0) SetActiveTab(activeTab_ - 1);
  });
}

void TabStrip::SubclassProc(bool /*before*/, const RawMessage& message) {
  Guarded("SubclassProc", [&] {
    switch (message.message) {
      case kWmMouseMove: HookMouseMove(); break;
      case kWmMouseLeave:
        mouseInside_ = false;
        Events().MouseLeave();
        break;
      case kWmMouseWheel: {
        if (!TabEnabled(activeTab_) || !useMouseWheelScroll_) break;
        // The wheel distance is the signed high word of wParam; negative is towards the user.
        const auto delta = static_cast<std::int16_t>((message.wParam >> 16) & 0xFFFF);
        if (delta < 0) Events().MouseScrollUp();
        else Events().MouseScrollDown();
        ScrollTabs(delta);
        break;
      }
      case kWmLButtonDown: HookControlBoxPress(true); break;
      case kWmLButtonUp: HookControlBoxPress(false); break;
      case kWmTimer:
        // The binding hands every tick to OnTimer, hooked or not, so nothing is left to do here.
        break;
      case kWmActivate:
        hoverTab_ = activeTab_;
        Refresh();
        break;
      case kWmSysColorChange:
      case kWmThemeChanged: Refresh(); break;
      case kWmMoving:
        moving_ = true;
        Events().Status(L"Form is moving...");
        break;
      case kWmSizing:
        moving_ = false;
        Events().Status(L"Form is sizing...");
        break;
      case kWmExitSizeMove: Events().Status(moving_ ? L"Finished Moving." : L"Finished Sizing."); break;
      default: break;
    }
  });
}

void TabStrip::ControlBoxTrack(int tab) {
  const Rect& box = tabs_[static_cast<std::size_t>(tab)].ControlBoxRect;
  float x = static_cast<float>(cursorPos_.x), y = static_cast<float>(cursorPos_.y);
  if (!box.Contains(cursorPos_)) {
    inControlBox_ = false;
    Events().ControlBoxExit();
    DrawControlBox(0, tab);
  } else if (inControlBox_) {
    Events().ControlBoxHover(x, y);
    DrawControlBox(1, tab);
  } else {
    inControlBox_ = true;
    Events().ControlBoxEnter();
    DrawControlBox(1, tab);
  }
}

void TabStrip::HookMouseMove() {
  if (!mouseInside_) {
    mouseInside_ = true;
    Events().MouseEnter();
  }
  cursorPos_ = host_.CursorPos();
  float x = static_cast<float>(cursorPos_.x), y = static_cast<float>(cursorPos_.y);
  if (HoverTheme(tabTheme_)) {
    if (activeTab_ >= 0 && activeTab_ < tabCount_ &&
        tabs_[static_cast<std::size_t>(activeTab_)].TabRect.Contains(cursorPos_)) {
      int tab = activeTab_;
      Events().MouseHover(tab, x, y);
      if (useControlBox_) ControlBoxTrack(activeTab_);
    } else if (hoverTab_ >= 0 && hoverTab_ < tabCount_ &&
               tabs_[static_cast<std::size_t>(hoverTab_)].TabRect.Contains(cursorPos_)) {
      int tab = hoverTab_;
      Events().MouseHover(tab, x, y);
      if (useControlBox_) ControlBoxTrack(hoverTab_);
    }
    return;
  }
  if (!useControlBox_) return;
  for (int i = 0; i < tabCount_; ++i) {
    if (tabs_[static_cast<std::size_t>(i)].ControlBoxRect.Contains(cursorPos_)) {
      hoverTab_ = i;
      if (inControlBox_) {
        Events().ControlBoxHover(x, y);
      } else {
        inControlBox_ = true;
        Events().ControlBoxEnter();
      }
      DrawControlBox(1, i);
      return;
    }
    if (i == hoverTab_) {
      inControlBox_ = false;
      Events().ControlBoxExit();
      DrawControlBox(0, i);
    }
  }
}

void TabStrip::HookControlBoxPress(bool press) {
  if (!useControlBox_) return;
  cursorPos_ = host_.CursorPos();
  for (int i = 0; i < tabCount_; ++i) {
    if (!tabs_[static_cast<std::size_t>(i)].ControlBoxRect.Contains(cursorPos_)) continue;
    float x = static_cast<float>(cursorPos_.x), y = static_cast<float>(cursorPos_.y);
    inControlBox_ = true;
    if (press) {
      Events().ControlBoxMouseDown(x, y);
      DrawControlBox(2, i);
    } else {
      Events().ControlBoxMouseUp(x, y);
      RemoveTab(i);
    }
    return;
  }
}

}  // namespace kestrune::tabstrip
