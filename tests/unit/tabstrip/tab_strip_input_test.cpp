#include <gtest/gtest.h>

#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::Rig;

constexpr int kRight = 39, kLeft = 37, kPageDown = 34, kPageUp = 33;

RawMessage Raw(std::uint32_t message, bool fromHost = false) {
  RawMessage m;
  m.message = message;
  m.fromHostWindow = fromHost;
  return m;
}

// A loaded control (so the hook reactions are live) with four 75-pixel tabs in 300 pixels.
struct Loaded {
  explicit Loaded(int theme = kThemeClassic, bool userMode = true) {
    rig.host.userMode = userMode;
    PropertyBag bag;
    bag.Set<std::int32_t>("TabCount", 4);
    bag.Set<std::int32_t>("TabTheme", theme);
    bag.Set<std::wstring>("TabCaption(2)", L"&Third");
    bag.Set<std::int32_t>("TabAccessKey(2)", L'T');
    rig.strip->Load(bag);
    rig.strip->Refresh();
    rig.events.log.clear();
  }
  TabStrip& s() { return *rig.strip; }
  Rig rig;
};

TEST(TabStripInput, LeftPressSelectsTheFirstEnabledTabHit) {
  Loaded f;
  f.s().OnMouseDown(1, 0, 160.4f, 10.0f);
  EXPECT_EQ(f.s().ActiveTab(), 2);
  EXPECT_EQ((std::vector<std::string>{"MouseDown", "BeforeTabSwitch 2", "TabSwitch 0"}), f.rig.events.log);

  f.s().OnMouseDown(1, 0, 75.0f, 10.0f);  // the shared edge belongs to the first tab in index order
  EXPECT_EQ(f.s().ActiveTab(), 0);
  f.s().OnMouseDown(1, 0, 100.0f, 23.0f);  // below the tab row
  EXPECT_EQ(f.s().ActiveTab(), 0);
  f.s().OnMouseDown(2, 0, 100.0f, 10.0f);  // right button
  EXPECT_EQ(f.s().ActiveTab(), 0);
  f.s().SetTabEnabled(1, false);
  f.s().OnMouseDown(1, 0, 100.0f, 10.0f);
  EXPECT_EQ(f.s().ActiveTab(), 0);

  // The host may move the press in its MouseDown handler; the control uses the moved position.
  f.rig.events.moveMouseDownTo = {{250.0f, 5.0f}};
  f.s().OnMouseDown(1, 0, 10.0f, 10.0f);
  EXPECT_EQ(f.s().ActiveTab(), 3);
}

TEST(TabStripInput, KeyboardStepsOverNoDisabledTab) {
  Loaded f;
  TabStrip& s = f.s();
  s.OnKeyDown(kRight, 0);
  EXPECT_EQ(s.ActiveTab(), 1);
  s.OnKeyDown(kPageDown, 0);  // without Ctrl: only the event
  EXPECT_EQ(s.ActiveTab(), 1);
  EXPECT_EQ(f.rig.events.log.back(), "KeyDown 34");
  s.OnKeyDown(kPageDown, shiftstate::kCtrl);
  EXPECT_EQ(s.ActiveTab(), 2);
  s.OnKeyDown(kRight, 0);
  s.OnKeyDown(kRight, 0);  // last tab wraps to tab 0
  EXPECT_EQ(s.ActiveTab(), 0);
  s.OnKeyDown(kLeft, 0);  // tab 0 wraps to the last
  EXPECT_EQ(s.ActiveTab(), 3);
  s.SetTabEnabled(2, false);
  s.OnKeyDown(kLeft, 0);  // a disabled neighbour blocks the step
  EXPECT_EQ(s.ActiveTab(), 3);
  s.OnKeyDown(kPageUp, shiftstate::kCtrl);
  EXPECT_EQ(s.ActiveTab(), 3);
  s.SetTabEnabled(0, false);
  s.OnKeyDown(kRight, 0);  // wrapping needs tab 0 enabled
  EXPECT_EQ(s.ActiveTab(), 3);

  Rig one;
  one.New().SetTabCount(1);
  one.strip->OnKeyDown(kLeft, 0);
  EXPECT_EQ(one.strip->ActiveTab(), 0);
}

TEST(TabStripInput, AccessKeysSelectEnabledOtherTabs) {
  Loaded f;
  TabStrip& s = f.s();
  EXPECT_EQ(f.rig.host.accessKeys, L"T");
  s.OnAccessKeyPress(L't');
  EXPECT_EQ(s.ActiveTab(), 2);
  f.rig.events.log.clear();
  s.OnAccessKeyPress(L'T');  // the active tab's own key does nothing
  EXPECT_TRUE(f.rig.events.log.empty());
  s.SetActiveTab(0);
  s.SetTabEnabled(2, false);
  s.OnAccessKeyPress(L't');
  EXPECT_EQ(s.ActiveTab(), 0);
}

TEST(TabStripInput, WheelScrollsWhenAllowed) {
  Loaded f;
  TabStrip& s = f.s();
  s.OnMouseWheel(120, 0);  // away from the user on tab 0: nothing but the event
  EXPECT_EQ(s.ActiveTab(), 0);
  EXPECT_EQ(f.rig.events.log.back(), "MouseScrollDown");
  s.SetActiveTab(3);
  s.OnMouseWheel(-120, 0);  // towards the user on the last tab: tab 0
  EXPECT_EQ(s.ActiveTab(), 0);
  s.OnMouseWheel(-120, 0);
  EXPECT_EQ(s.ActiveTab(), 1);
  s.OnMouseWheel(120, 0);
  EXPECT_EQ(s.ActiveTab(), 0);

  s.SetTabEnabled(0, false);
  f.rig.events.log.clear();
  s.OnMouseWheel(-120, 0);  // the active tab is disabled: nothing at all
  EXPECT_TRUE(f.rig.events.log.empty());
  s.SetTabEnabled(0, true);
  s.SetUseMouseWheelScroll(false);
  s.OnMouseWheel(-120, 0);
  EXPECT_TRUE(f.rig.events.log.empty());

  Rig fresh;  // no saved set: no hook, no wheel
  fresh.New().OnMouseWheel(-120, 0);
  EXPECT_EQ(fresh.strip->ActiveTab(), 0);
}

TEST(TabStripInput, HoverHighlightFollowsTheMouseInXpThemes) {
  Loaded f(kThemeXP);
  TabStrip& s = f.s();
  s.OnMouseMove(0, 0, 30.0f, 10.0f);  // over the active tab: no highlight
  EXPECT_FALSE(s.HoverDrawn());
  s.OnMouseMove(0, 0, 160.0f, 10.0f);
  EXPECT_TRUE(s.HoverDrawn());
  EXPECT_EQ(s.HoverTab(), 2);
  s.OnMouseMove(0, 0, 250.0f, 10.0f);  // a highlight is shown: the timer removes it first
  EXPECT_EQ(s.HoverTab(), 2);
  s.OnMouseDown(1, 0, 160.0f, 10.0f);  // a press takes the highlight away and switches
  EXPECT_FALSE(s.HoverDrawn());
  EXPECT_FALSE(f.rig.host.TimerRunning(TabStrip::kHoverTimerId));
  EXPECT_EQ(s.ActiveTab(), 2);

  Loaded classic;
  classic.s().OnMouseMove(0, 0, 160.0f, 10.0f);
  EXPECT_FALSE(classic.s().HoverDrawn());
}

TEST(TabStripInput, HookReactionsForCloseBoxesAndTheHostForm) {
  Loaded f(kThemeFlat);
  TabStrip& s = f.s();
  s.SetUseControlBox(true);
  f.rig.events.log.clear();
  const Rect box = s.AryTabs(1).ControlBoxRect;
  f.rig.host.cursor = Point{box.left + 2, box.top + 2};
  s.OnRawMessage(true, Raw(0x200));  // before the window's own handling: ignored
  EXPECT_TRUE(f.rig.events.log.empty());
  s.OnRawMessage(false, Raw(0x200));
  s.OnRawMessage(false, Raw(0x200));
  // Tab 0 is the hover tab at first, and the cursor is outside its box: an exit comes first.
  EXPECT_EQ((std::vector<std::string>{"MouseEnter", "ControlBoxExit", "ControlBoxEnter", "ControlBoxHover"}),
            f.rig.events.log);
  EXPECT_EQ(s.HoverTab(), 1);
  f.rig.host.cursor = Point{5, 50};
  s.OnRawMessage(false, Raw(0x200));
  EXPECT_EQ(f.rig.events.log.back(), "ControlBoxExit");

  f.rig.events.log.clear();
  f.rig.host.cursor = Point{box.left + 2, box.top + 2};
  s.OnRawMessage(false, Raw(0x201));
  EXPECT_EQ(f.rig.events.log.back(), "ControlBoxMouseDown");
  s.OnRawMessage(false, Raw(0x202));  // release: the tab under the cursor goes
  EXPECT_EQ(s.TabCount(), 3);
  EXPECT_EQ(f.rig.events.log[1], "ControlBoxMouseUp");
  EXPECT_EQ(f.rig.events.log.back(), "TabRemove 1");

  s.OnMouseLeave();
  EXPECT_EQ(f.rig.events.log.back(), "MouseLeave");

  s.OnRawMessage(false, Raw(0x216, true));
  s.OnRawMessage(false, Raw(0x216, true));
  s.OnRawMessage(false, Raw(0x232, true));
  s.OnRawMessage(false, Raw(0x214, true));
  s.OnRawMessage(false, Raw(0x232, true));
  EXPECT_EQ((std::vector<std::wstring>{L"Form is moving...", L"Form is moving...", L"Finished Moving.",
                                        L"Form is sizing...", L"Finished Sizing."}),
            f.rig.events.statuses);
}

TEST(TabStripInput, XpThemesTrackTheCloseBoxOfTheActiveTab) {
  Loaded f(kThemeXP);
  TabStrip& s = f.s();
  s.SetUseControlBox(true);
  f.rig.events.log.clear();
  const Rect box = s.AryTabs(0).ControlBoxRect;
  f.rig.host.cursor = Point{box.left + 1, box.top + 1};
  s.OnRawMessage(false, Raw(0x200));
  EXPECT_EQ((std::vector<std::string>{"MouseEnter", "MouseHover 0", "ControlBoxEnter"}), f.rig.events.log);
  f.rig.host.cursor = Point{box.left - 5, box.top + 1};
  s.OnRawMessage(false, Raw(0x200));
  EXPECT_EQ(f.rig.events.log.back(), "ControlBoxExit");
}

TEST(TabStripInput, NoHookReactionsWithoutASavedSetOrInADesigner) {
  Rig fresh;
  TabStrip& s = fresh.New();
  s.SetUseControlBox(true);
  fresh.events.log.clear();
  fresh.host.cursor = Point{s.AryTabs(0).ControlBoxRect.left + 1, s.AryTabs(0).ControlBoxRect.top + 1};
  s.OnRawMessage(false, Raw(0x200));
  s.OnRawMessage(false, Raw(0x216, true));
  s.OnMouseLeave();
  EXPECT_TRUE(fresh.events.log.empty());
  EXPECT_TRUE(fresh.events.statuses.empty());

  Loaded design(kThemeClassic, false);
  design.s().OnRawMessage(false, Raw(0x216, true));
  EXPECT_TRUE(design.rig.events.statuses.empty());
}

}  // namespace
}  // namespace kestrune::tabstrip
