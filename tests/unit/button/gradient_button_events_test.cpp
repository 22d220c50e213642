// The gradient button's interaction states and the order of its events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button_rig.h"

namespace kestrune::button {
namespace {

using testing::ButtonRig;
using Log = std::vector<std::string>;

class GradientButtonEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.button.InitNew();
    rig.events.log.clear();
  }
  const Log& log() const { return rig.events.log; }
  ButtonRig rig;
};

TEST_F(GradientButtonEventsTest, SpacePressAndReleaseActLikeAClick) {
  rig.button.OnKeyDown(32, 0);
  EXPECT_EQ(rig.button.ButtonState(), 2);
  rig.button.OnKeyPress(32);
  rig.button.OnKeyUp(32, 0);
  EXPECT_EQ(log(), (Log{"KeyDown 32,0", "MouseDown 1,1,1,1", "KeyPress 32", "KeyUp 32,0", "MouseUp 1,1,1,1", "Click"}));
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_EQ(rig.button.LastButton(), 1);
}

TEST_F(GradientButtonEventsTest, AnotherKeyReleasedDuringSpaceMakesNoClick) {
  rig.button.OnKeyDown(32, 0);
  rig.button.OnKeyDown(65, 0);
  EXPECT_EQ(rig.button.LastKeyCode(), 65);
  rig.button.OnKeyUp(65, 0);
  rig.button.OnKeyUp(32, 0);  // the last key down was not space any more
  EXPECT_EQ(log(), (Log{"KeyDown 32,0", "MouseDown 1,1,1,1", "KeyDown 65,0", "KeyUp 65,0", "KeyUp 32,0"}));
  // A space key up without its key down does nothing either.
  rig.events.log.clear();
  rig.button.OnKeyUp(32, 0);
  EXPECT_EQ(log(), (Log{"KeyUp 32,0"}));
}

TEST_F(GradientButtonEventsTest, TheHostCanSwallowAKeyThroughTheReference) {
  rig.events.swallowKeyDown = true;
  rig.button.OnKeyDown(32, 0);
  rig.button.OnKeyUp(32, 0);
  EXPECT_EQ(log(), (Log{"KeyDown 32,0", "KeyUp 32,0"}));
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_EQ(rig.button.LastKeyCode(), 0);
}

TEST_F(GradientButtonEventsTest, ArrowKeysMoveTheFocusAndEnterDoesNothing) {
  for (int key : {39, 40, 37, 38, 13}) rig.button.OnKeyDown(key, 0);
  EXPECT_EQ(rig.host.focusMoves, (std::vector<std::string>{"next", "next", "previous", "previous"}));
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_TRUE(rig.button.WantsArrowKeys());
  EXPECT_EQ(rig.button.LastKeyCode(), 13);
}

TEST_F(GradientButtonEventsTest, LeftPressReleaseAndClick) {
  rig.button.OnMouseDown(1, 0, 10, 8);
  EXPECT_EQ(rig.button.ButtonState(), 2);
  rig.button.OnMouseUp(1, 0, 10, 8);
  EXPECT_EQ(rig.button.ButtonState(), 0);
  rig.button.OnClick();
  EXPECT_EQ(log(), (Log{"MouseDown 1,0,10,8", "MouseUp 1,0,10,8", "Click"}));
}

TEST_F(GradientButtonEventsTest, RightButtonShowsNoPressedLookAndItsClickKeepsTheState) {
  rig.button.DrawButton(0, true);
  const int presents = rig.surface.PresentCount();
  rig.button.OnMouseDown(2, 0, 5, 5);
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_EQ(rig.button.LastButton(), 2);
  EXPECT_GT(rig.surface.PresentCount(), presents);
  const Rgb face = rig.Pixel(10, 21);
  rig.button.OnMouseUp(2, 0, 5, 5);
  rig.button.OnClick();
  EXPECT_EQ(log(), (Log{"MouseDown 2,0,5,5", "MouseUp 2,0,5,5", "Click"}));
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_EQ(rig.Pixel(10, 21), face);

  // With a left press pending, a right-button click must not reset it.
  rig.button.OnMouseDown(1, 0, 5, 5);
  rig.button.OnMouseDown(2, 0, 5, 5);
  rig.button.OnClick();
  EXPECT_EQ(rig.button.ButtonState(), 2);
}

TEST_F(GradientButtonEventsTest, HoverStartsTheLeaveTimerAndLeavingEndsIt) {
  rig.button.OnMouseMove(0, 0, 20, 10);
  EXPECT_TRUE(rig.button.IsMouseOver());
  EXPECT_TRUE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));
  EXPECT_EQ(rig.host.runningTimers[GradientButton::kLeaveTimerId], 10u);
  // Further moves leave the running timer alone, so its countdown is not reset by each of them.
  rig.button.OnMouseMove(0, 0, 21, 10);
  rig.button.OnMouseMove(1, 0, 80, 10);
  EXPECT_EQ(rig.host.timerStarts.size(), 1u);
  // The hover ring (type 1, XP blue) is drawn in rectcolor.
  EXPECT_GT(rig.surface.CountColor(0x58C3FA), 0);

  rig.host.cursor = Point{74, 22};  // still inside
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  EXPECT_TRUE(rig.button.IsMouseOver());
  rig.host.cursor = Point{75, 23};  // the far edge still counts as inside
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  EXPECT_TRUE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));

  rig.host.cursor = Point{76, 5};
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  EXPECT_FALSE(rig.button.IsMouseOver());
  EXPECT_FALSE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));
  EXPECT_EQ(rig.surface.CountColor(0x58C3FA), 0);
  EXPECT_EQ(log(), (Log{"MouseMove 0,0,20,10", "MouseMove 0,0,21,10", "MouseOut"}));
  // The next move over the button starts it again.
  rig.button.OnMouseMove(0, 0, 20, 10);
  EXPECT_TRUE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));
  EXPECT_EQ(rig.host.timerStarts.size(), 2u);
}

TEST_F(GradientButtonEventsTest, MovesOutsideTheAreaOrWithOtherButtonsRaiseNothing) {
  rig.button.OnMouseMove(2, 0, 5, 5);
  rig.button.OnMouseMove(4, 0, 5, 5);
  EXPECT_FALSE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));
  rig.button.OnMouseMove(0, 0, -1, 5);
  rig.button.OnMouseMove(0, 0, 5, 24);
  EXPECT_TRUE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));  // the timer still watches
  EXPECT_FALSE(rig.button.IsMouseOver());
  EXPECT_TRUE(log().empty());
}

TEST_F(GradientButtonEventsTest, LeavingWhileHeldDrawsNormalAndComingBackDrawsPressed) {
  rig.button.OnMouseDown(1, 0, 5, 5);
  rig.button.OnMouseMove(1, 0, 6, 5);
  const Rgb pressedRow = rig.Pixel(10, 21);
  EXPECT_EQ(rig.button.ButtonState(), 2);

  rig.host.cursor = Point{-3, 5};
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_NE(rig.Pixel(10, 21), pressedRow);

  rig.button.OnMouseMove(1, 0, 6, 5);
  EXPECT_EQ(rig.button.ButtonState(), 2);
  EXPECT_EQ(rig.Pixel(10, 21), pressedRow);

  // Released outside: the window reports no click, the button draws normal.
  rig.host.cursor = Point{-3, 5};
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  rig.button.OnMouseUp(1, 0, -3, 5);
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_EQ(log(), (Log{"MouseDown 1,0,5,5", "MouseMove 1,0,6,5", "MouseOut", "MouseMove 1,0,6,5", "MouseOut",
                        "MouseUp 1,0,-3,5"}));
}

TEST_F(GradientButtonEventsTest, DoubleClickPressesAgainWithoutASecondClick) {
  rig.button.OnMouseDown(1, 0, 5, 5);
  rig.button.OnMouseUp(1, 0, 5, 5);
  rig.button.OnClick();
  rig.button.OnDblClick();
  EXPECT_EQ(rig.button.ButtonState(), 2);
  rig.button.OnMouseUp(1, 0, 5, 5);
  EXPECT_EQ(log(), (Log{"MouseDown 1,0,5,5", "MouseUp 1,0,5,5", "Click", "MouseDown 1,1,1,1", "MouseUp 1,0,5,5"}));

  // After a right press the double click does nothing.
  rig.events.log.clear();
  rig.button.OnMouseDown(2, 0, 5, 5);
  rig.button.OnDblClick();
  EXPECT_EQ(log(), (Log{"MouseDown 2,0,5,5"}));
}

TEST_F(GradientButtonEventsTest, AccessKeyClicks) {
  rig.button.OnAccessKeyPress(L'x');
  EXPECT_EQ(log(), (Log{"Click"}));
}

TEST_F(GradientButtonEventsTest, DisabledButtonIgnoresInputButFollowsFocus) {
  rig.button.SetEnabled(false);
  rig.button.OnMouseDown(1, 0, 5, 5);
  rig.button.OnMouseMove(0, 0, 5, 5);
  rig.button.OnMouseUp(1, 0, 5, 5);
  rig.button.OnClick();
  rig.button.OnDblClick();
  rig.button.OnKeyDown(32, 0);
  rig.button.OnKeyPress(32);
  rig.button.OnKeyUp(32, 0);
  rig.button.OnKeyDown(39, 0);
  rig.button.OnAccessKeyPress(L'x');
  rig.host.cursor = Point{-5, -5};
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  EXPECT_TRUE(log().empty());
  EXPECT_TRUE(rig.host.focusMoves.empty());
  EXPECT_FALSE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));
  EXPECT_EQ(rig.button.ButtonState(), 0);

  rig.button.OnGotFocus();
  EXPECT_TRUE(rig.button.HasFocus());
  rig.button.OnLostFocus();
  EXPECT_FALSE(rig.button.HasFocus());
}

TEST_F(GradientButtonEventsTest, ButtonDisabledUnderThePointerStopsItsTimerAndHoversAgainOnceEnabled) {
  rig.button.OnMouseMove(0, 0, 20, 10);
  ASSERT_TRUE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));
  rig.button.SetEnabled(false);
  rig.host.cursor = Point{20, 10};  // still over it
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  EXPECT_FALSE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));
  EXPECT_FALSE(rig.button.IsMouseOver());

  rig.button.SetEnabled(true);
  EXPECT_EQ(rig.surface.CountColor(0x58C3FA), 0);  // no hover ring for a pointer nobody watched
  rig.button.OnMouseMove(0, 0, 21, 10);
  EXPECT_TRUE(rig.host.TimerRunning(GradientButton::kLeaveTimerId));
  EXPECT_TRUE(rig.button.IsMouseOver());
  EXPECT_GT(rig.surface.CountColor(0x58C3FA), 0);
  EXPECT_EQ(log(), (Log{"MouseMove 0,0,20,10", "MouseMove 0,0,21,10"}));  // no MouseOut while disabled
}

TEST_F(GradientButtonEventsTest, WithoutAListenerNothingBreaks) {
  rig.button.SetListener(nullptr);
  rig.button.OnKeyDown(32, 0);
  rig.button.OnKeyPress(32);
  rig.button.OnKeyUp(32, 0);
  rig.button.OnMouseMove(0, 0, 3, 3);
  rig.host.cursor = Point{-1, 0};
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_FALSE(rig.button.IsMouseOver());
}

TEST_F(GradientButtonEventsTest, DrawButtonSkipsUnchangedUnforcedDrawings) {
  const int start = rig.surface.PresentCount();
  rig.button.DrawButton(0, false);
  rig.button.DrawButton(0, false);
  EXPECT_EQ(rig.surface.PresentCount(), start);  // InitNew already drew state 0 with this caption
  rig.button.DrawButton(2, false);
  rig.button.DrawButton(2, false);
  EXPECT_EQ(rig.surface.PresentCount(), start + 1);
  rig.button.SetCaption(L"Other");
  const int afterCaption = rig.surface.PresentCount();
  rig.button.DrawButton(2, false);
  EXPECT_EQ(rig.surface.PresentCount(), afterCaption);
  rig.button.DrawButton(2, true);
  EXPECT_EQ(rig.surface.PresentCount(), afterCaption + 1);
}

TEST(CommandDrawing, ZeroWidthDrawsEveryLookWithoutCaption) {
  for (int type = 1; type <= 5; ++type) {
    ButtonRig rig(0, 23);
    rig.button.InitNew();
    rig.button.SetButtonType(static_cast<ButtonKind>(type));
    rig.button.OnMouseDown(1, 0, 0, 0);
    rig.button.SetEnabled(false);
    EXPECT_EQ(rig.button.ButtonState(), 2) << type;
  }
}

TEST(CommandDrawing, ZeroHeightDrawsNothingAndKeepsTheState) {
  ButtonRig rig(75, 0);
  rig.button.InitNew();
  const int presents = rig.surface.PresentCount();
  rig.button.DrawButton(2, true);
  EXPECT_EQ(rig.surface.PresentCount(), presents);
  EXPECT_EQ(rig.button.ButtonState(), 0);
}

}  // namespace
}  // namespace kestrune::button
