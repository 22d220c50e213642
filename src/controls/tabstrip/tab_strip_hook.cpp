// The reactions to the window messages the strip hooks, of its own window (mouse entering and
// leaving, the wheel, the close boxes) and of the form that hosts it (activation, colours,
// moving and sizing).
#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_error.h"

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
}  // namespace

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
  if ((before ? entry->before : entry->after).Contains(message.message)) ReactToHookedMessage(message);
}

void TabStrip::ScrollTabs(int direction) {
  Guarded("ScrollTabs", [&] {
    if (direction < 0) SetActiveTab(model_.activeTab + 1);
    else if (model_.activeTab > 0) SetActiveTab(model_.activeTab - 1);
  });
}

void TabStrip::ReactToHookedMessage(const RawMessage& message) {
  Guarded("ReactToHookedMessage", [&] {
    switch (message.message) {
      case kWmMouseMove: OnHookedMouseMove(); break;
      case kWmMouseLeave:
        mouseInside_ = false;
        Events().MouseLeave();
        break;
      case kWmMouseWheel: {
        if (!TabEnabled(model_.activeTab) || !model_.useMouseWheelScroll) break;
        // The wheel distance is the signed high word of wParam; negative is towards the user.
        const auto delta = static_cast<std::int16_t>((message.wParam >> 16) & 0xFFFF);
        if (delta < 0) Events().MouseScrollUp();
        else Events().MouseScrollDown();
        ScrollTabs(delta);
        break;
      }
      case kWmLButtonDown: OnHookedButton(true); break;
      case kWmLButtonUp: OnHookedButton(false); break;
      case kWmTimer:
        // The binding hands every tick to OnTimer, hooked or not, so nothing is left to do here.
        break;
      case kWmActivate:
        hoverTab_ = model_.activeTab;
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

void TabStrip::OnHookedMouseMove() {
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
void TabStrip::OnHookedButton(bool press) {
  if (!model_.useControlBox) return;
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
