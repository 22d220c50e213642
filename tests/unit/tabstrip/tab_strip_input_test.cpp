#include <gtest/gtest.h>

#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::Rig;

constexpr int kRight = 39, kLeft = 37, kPageDown = 34, kPageUp = 33;

void Wheel(TabStrip& s, int delta) { s.OnMouseWheel(delta, 0); }

// A loaded control (so the pointer, the wheel and the host form are followed) with four 75-pixel tabs in 300 pixels.
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

TEST(TabStripInput, TheHostsNeighbourStepWrapsAsCtrlPageKeysDoWithoutAKeyEvent) {
  Loaded f;
  TabStrip& s = f.s();
  s.SelectNeighbourTab(false);
  EXPECT_EQ(s.ActiveTab(), 3);
  s.SelectNeighbourTab(true);
  EXPECT_EQ(s.ActiveTab(), 0);
  s.SelectNeighbourTab(true);
  EXPECT_EQ(s.ActiveTab(), 1);
  s.SetTabEnabled(2, false);
  s.SelectNeighbourTab(true);
  EXPECT_EQ(s.ActiveTab(), 1);
  EXPECT_EQ((std::vector<std::string>{"BeforeTabSwitch 3", "TabSwitch 0", "BeforeTabSwitch 0", "TabSwitch 3",
                                      "BeforeTabSwitch 1", "TabSwitch 0"}),
            f.rig.events.log);
}

TEST(TabStripInput, AKeyArrivingWhileASwitchMovesTheControlsMovesNothing) {
  Loaded f;
  TabStrip& s = f.s();
  auto& first = f.rig.host.AddContained("first", 40, 0);
  auto& second = f.rig.host.AddContained("second", 60, 0);
  // The second key comes in while the first key's switch lets pending messages run.
  int nested = 0;
  f.rig.host.onPendingMessages = [&] {
    if (nested++ == 0) s.OnKeyDown(kRight, 0);
  };
  s.OnKeyDown(kRight, 0);
  EXPECT_EQ(s.ActiveTab(), 1);
  EXPECT_EQ(first.Left(), 40 + s.ParkOffset());
  EXPECT_EQ(second.Left(), 60 + s.ParkOffset());
  EXPECT_EQ((std::vector<std::string>{"BeforeTabSwitch 1", "KeyDown 39", "TabSwitch 0", "KeyDown 39"}),
            f.rig.events.log);
  // The guard is left as the outer switch found it: the next key switches again.
  f.rig.host.onPendingMessages = nullptr;
  s.OnKeyDown(kRight, 0);
  EXPECT_EQ(s.ActiveTab(), 2);
  EXPECT_EQ(first.Left(), 40 + 2 * s.ParkOffset());
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
  Wheel(s, 120);  // away from the user on tab 0: nothing but the event
  EXPECT_EQ(s.ActiveTab(), 0);
  EXPECT_EQ(f.rig.events.log.back(), "MouseScrollDown");
  s.SetActiveTab(3);
  Wheel(s, -120);  // towards the user on the last tab: tab 0
  EXPECT_EQ(s.ActiveTab(), 0);
  Wheel(s, -120);
  EXPECT_EQ(s.ActiveTab(), 1);
  Wheel(s, 120);
  EXPECT_EQ(s.ActiveTab(), 0);

  s.SetTabEnabled(0, false);
  f.rig.events.log.clear();
  Wheel(s, -120);  // the active tab is disabled: nothing at all
  EXPECT_TRUE(f.rig.events.log.empty());
  s.SetTabEnabled(0, true);
  s.Set<bool>("UseMouseWheelScroll", false);
  Wheel(s, -120);
  EXPECT_TRUE(f.rig.events.log.empty());

  Rig fresh;  // no saved set: no wheel
  Wheel(fresh.New(), -120);
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

TEST(TabStripInput, CloseBoxesFollowThePointerAndTheLeftButton) {
  Loaded f(kThemeFlat);
  TabStrip& s = f.s();
  s.Set<bool>("UseControlBox", true);
  f.rig.events.log.clear();
  const Rect box = s.Tab(1).closeBoxRect;
  f.rig.host.cursor = Point{box.left + 2, box.top + 2};
  s.OnMouseMove(0, 0, 5.0f, 50.0f);  // the cursor, not the reported point, decides
  s.OnMouseMove(0, 0, 5.0f, 50.0f);
  // Tab 0 is the hover tab at first, and the cursor is outside its box: an exit comes first.
  EXPECT_EQ((std::vector<std::string>{"MouseEnter", "ControlBoxExit", "ControlBoxEnter", "ControlBoxHover"}),
            f.rig.events.log);
  EXPECT_EQ(s.HoverTab(), 1);
  f.rig.host.cursor = Point{5, 50};
  s.OnMouseMove(0, 0, 5.0f, 50.0f);
  EXPECT_EQ(f.rig.events.log.back(), "ControlBoxExit");

  f.rig.events.log.clear();
  f.rig.host.cursor = Point{box.left + 2, box.top + 2};
  s.OnMouseDown(mouse::kRight, 0, 5.0f, 50.0f);  // only the left button presses a box
  EXPECT_EQ(f.rig.events.log.back(), "MouseDown");
  s.OnMouseDown(mouse::kLeft, 0, 5.0f, 50.0f);
  EXPECT_EQ(f.rig.events.log.back(), "ControlBoxMouseDown");
  s.OnMouseUp(mouse::kLeft, 0, 5.0f, 50.0f);
  EXPECT_EQ(s.TabCount(), 4);  // the release has not run its course yet
  s.OnMouseReleased(mouse::kLeft);  // the tab under the cursor goes
  EXPECT_EQ(s.TabCount(), 3);
  EXPECT_EQ((std::vector<std::string>{"MouseDown", "MouseDown", "ControlBoxMouseDown", "MouseUp", "ControlBoxMouseUp",
                                      "TabRemove 1"}),
            f.rig.events.log);

  s.OnMouseLeave();
  EXPECT_EQ(f.rig.events.log.back(), "MouseLeave");
}

TEST(TabStripInput, TheHostFormsActivationAndColourChangesRedraw) {
  Loaded f(kThemeXP);
  TabStrip& s = f.s();
  s.SetHoverTab(2);
  const int before = f.rig.host.invalidateCount;
  s.OnHostActivated();
  EXPECT_EQ(s.HoverTab(), 0);
  s.OnHostColorsChanged();
  EXPECT_EQ(f.rig.host.invalidateCount, before + 2);
}

TEST(TabStripInput, XpThemesTrackTheCloseBoxOfTheActiveTab) {
  Loaded f(kThemeXP);
  TabStrip& s = f.s();
  s.Set<bool>("UseControlBox", true);
  f.rig.events.log.clear();
  const Rect box = s.Tab(0).closeBoxRect;
  f.rig.host.cursor = Point{box.left + 1, box.top + 1};
  s.OnMouseMove(0, 0, 0.0f, 50.0f);
  EXPECT_EQ((std::vector<std::string>{"MouseEnter", "MouseHover 0", "ControlBoxEnter"}), f.rig.events.log);
  f.rig.host.cursor = Point{box.left - 5, box.top + 1};
  s.OnMouseMove(0, 0, 0.0f, 50.0f);
  EXPECT_EQ(f.rig.events.log.back(), "ControlBoxExit");
}

TEST(TabStripInput, NothingIsFollowedWithoutASavedSetInADesignerOrAfterTheTeardown) {
  Rig fresh;
  TabStrip& s = fresh.New();
  s.Set<bool>("UseControlBox", true);
  s.SetHoverTab(2);
  fresh.events.log.clear();
  fresh.host.cursor = Point{s.Tab(0).closeBoxRect.left + 1, s.Tab(0).closeBoxRect.top + 1};
  s.OnMouseMove(0, 0, 0.0f, 50.0f);
  s.OnMouseLeave();
  s.OnHostActivated();
  EXPECT_TRUE(fresh.events.log.empty());
  EXPECT_EQ(s.HoverTab(), 2);

  Loaded design(kThemeClassic, false);
  design.s().OnMouseLeave();
  EXPECT_TRUE(design.rig.events.log.empty());

  Loaded f(kThemeXP);
  EXPECT_TRUE(f.s().Watching());
  f.s().Teardown();
  EXPECT_FALSE(f.s().Watching());
  EXPECT_EQ(f.s().ActiveTab(), 0);
}

}  // namespace
}  // namespace kestrune::tabstrip
