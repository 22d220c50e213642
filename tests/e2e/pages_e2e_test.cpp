// The five pages of the running program's tab strip: which controls each page shows, switching
// by keyboard, wheel and mouse, and dragging the window by the strip or the window background.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;

struct PageControl {
  int page, id;
};

// Every control that stands on one page only.
constexpr PageControl kPageControls[] = {
    {0, ids::kLabelStateHeading},       {0, ids::kLabelInfoCaption},         {0, ids::kLabelInfo},      {0, ids::kLabelCountCaption},
    {0, ids::kLabelCount},    {0, ids::kLabelMonitorHeading},         {0, ids::kSystemMonitorState}, {0, ids::kLabelLegendCpu},
    {0, ids::kLabelLegendDisk},       {0, ids::kSwatchCpu},         {0, ids::kSwatchDisk},         {0, ids::kImageState},
    {1, ids::kLabelGeneralHeading},        {1, ids::kCheckAutoRun},   {1, ids::kCheckAutoMin},   {1, ids::kCheckAlwaysTop},
    {1, ids::kLabelAccelerationHeading},        {1, ids::kCheckAcceleration},     {1, ids::kLabelSpeedCaption},        {1, ids::kComboSpeed},
    {1, ids::kLabelRecordingHeading},        {1, ids::kCheckRecording}, {1, ids::kLabelRecordCountCaption},     {1, ids::kComboRecordCount},
    {1, ids::kImageSettings},        {2, ids::kToolbarSpeedMain}, {2, ids::kListViewHistory}, {2, ids::kImageHistory},
    {3, ids::kLabelTitle},        {3, ids::kLabelVersion},        {3, ids::kLabelPerformance},         {3, ids::kLabelSafety},
    {3, ids::kLabelCopyright},        {3, ids::kLabelHomePage},  {3, ids::kLabelNeedHelp},  {3, ids::kImageAbout},
    {4, ids::kLabelGiveBack}, {4, ids::kCheckRestoreOriginal}, {4, ids::kCheckRestoreOnStop},
    {4, ids::kCheckInstantReaction}, {4, ids::kLabelRules}, {4, ids::kListRules}, {4, ids::kEditRuleName},
    {4, ids::kCommandAddRule}, {4, ids::kCommandAddLastFront}, {4, ids::kCommandRemoveRule}, {4, ids::kImageAdvanced},
};

bool StartShown(RunningApp& app) { return app.Start() && WaitFor([&] { return Visible(app.Main()); }); }

HWND Strip(const RunningApp& app) { return app.Control(ids::kTabStripMain); }

// One key at a time: the strip lets pending messages run while it moves the pages' controls, and a
// key that came meanwhile would start a second switch inside the first. The caption changes only
// after the last control has moved.
bool KeyTo(RunningApp& app, UINT key, int expectedPage) {
  ::PostMessageW(Strip(app), WM_KEYDOWN, key, 1);
  ::PostMessageW(Strip(app), WM_KEYUP, key, 0xC0000001);
  return WaitFor([&] { return app.ActivePage() == expectedPage; });
}

bool CtrlKeyTo(RunningApp& app, WORD key, int expectedPage) {
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_CONTROL, key, key, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  if (::SendInput(4, keys, sizeof(INPUT)) != 4) return false;
  return WaitFor([&] { return app.ActivePage() == expectedPage; });
}

bool WheelTo(RunningApp& app, short delta, int expectedPage) {
  POINT at{100, 12};
  ::ClientToScreen(Strip(app), &at);
  ::PostMessageW(Strip(app), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(at.x, at.y));
  return WaitFor([&] { return app.ActivePage() == expectedPage; });
}

bool InMoveLoop(const RunningApp& app) { return (ThreadState(app.Main()).flags & GUI_INMOVESIZE) != 0; }

std::vector<RECT> ChildPlaces(const RunningApp& app) {
  std::vector<RECT> places;
  ::EnumChildWindows(
      app.Main(),
      [](HWND child, LPARAM param) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        reinterpret_cast<std::vector<RECT>*>(param)->push_back(rect);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&places));
  return places;
}

bool SamePlaces(const std::vector<RECT>& a, const std::vector<RECT>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (::EqualRect(&a[i], &b[i]) == FALSE) return false;
  return true;
}

// Presses and releases the left button over the strip at (x, y) and returns the page shown once the
// program has handled the press to the end; -1 when it never did.
//
// Every press on the strip starts a drag of the window, whose move loop runs until the button is
// released: the press is in the program's hands once that loop runs, and the release ends it. A
// switch may follow; the strip lets pending messages run before it moves each control, so once it
// has begun, each further message answered comes after one more control has moved.
int ClickedPage(RunningApp& app, int x, int y) {
  const std::vector<RECT> before = ChildPlaces(app);
  const int page = app.ActivePage();
  ::PostMessageW(Strip(app), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  ::PostMessageW(Strip(app), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  if (!WaitFor([&] { return InMoveLoop(app); })) return -1;
  ::PostMessageW(Strip(app), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  if (!WaitFor([&] { return !InMoveLoop(app); })) return -1;
  // The move loop's own end and the press's handlers may let messages through before the switch
  // starts moving controls; a switch under way moves a control before the second message answered
  // after those, so six answered messages without a move mean no switch whichever of them came first.
  bool moved = false;
  for (int answered = 0; answered < 6 && !moved; ++answered) {
    RoundTrip(app.Main());
    moved = !SamePlaces(ChildPlaces(app), before);
  }
  if (moved && !WaitFor([&] { return app.ActivePage() != page; })) return -1;
  return app.ActivePage();
}

// Nothing happens for a while: the page stays what it is.
bool StaysOn(RunningApp& app, int page) {
  return !WaitFor([&] { return app.ActivePage() != page; }, 700ms) && app.ActivePage() == page;
}

TEST(Pages, StartOnAboutAndEachPageShowsOnlyItsOwnControls) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  EXPECT_EQ(app.ActivePage(), 3);
  EXPECT_EQ(Text(Strip(app)), L" について ");
  const wchar_t* shots[] = {L"pages_0_state", L"pages_1_settings", L"pages_2_history", L"pages_3_about",
                            L"pages_4_advanced"};
  for (int page : {3, 0, 1, 2, 4}) {
    app.ShowPage(page);
    ASSERT_EQ(app.ActivePage(), page);
    for (const PageControl& c : kPageControls) {
      EXPECT_EQ(app.OnScreen(c.id), c.page == page) << "control " << c.id << " on page " << page;
    }
    // The strip and the two buttons stand outside the pages.
    EXPECT_TRUE(app.OnScreen(ids::kTabStripMain));
    EXPECT_TRUE(app.OnScreen(ids::kCommandMini));
    EXPECT_TRUE(app.OnScreen(ids::kCommandExit));
    // The guide shows this picture of the state page: with the diagram.
    if (page == 0) {
      EXPECT_TRUE(WaitFor([&] { return MonitorShowsItsGrid(app); })) << "the monitor drew no diagram";
    }
    app.Screenshot(shots[page]);
  }
}

TEST(Pages, KeysAndWheelStepThroughThePagesAndWrapAtTheEnds) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  ASSERT_EQ(app.ActivePage(), 3);
  EXPECT_TRUE(KeyTo(app, VK_RIGHT, 4));
  EXPECT_TRUE(KeyTo(app, VK_RIGHT, 0)) << "right arrow on the last page goes to the first";
  EXPECT_TRUE(KeyTo(app, VK_LEFT, 4)) << "left arrow on the first page goes to the last";
  EXPECT_TRUE(KeyTo(app, VK_LEFT, 3));
  EXPECT_TRUE(KeyTo(app, VK_LEFT, 2));
  EXPECT_TRUE(KeyTo(app, VK_RIGHT, 3));

  // Page Down and Page Up switch only together with Ctrl.
  ::PostMessageW(Strip(app), WM_KEYDOWN, VK_NEXT, 1);
  ::PostMessageW(Strip(app), WM_KEYDOWN, VK_PRIOR, 1);
  EXPECT_TRUE(StaysOn(app, 3));
  // Ctrl must be in the program's own key state, so these keys are real input. They go to the focus
  // window of the thread in front: the main window is brought to the front, and a press on the strip
  // below its tabs gives the strip the focus; both are confirmed before the first key.
  ASSERT_TRUE(BringToFront(app.Main()));
  ASSERT_EQ(ClickedPage(app, 4, 30), 3);
  ASSERT_TRUE(WaitFor([&] { return ThreadState(app.Main()).hwndFocus == Strip(app); }));
  EXPECT_TRUE(CtrlKeyTo(app, VK_NEXT, 4));
  EXPECT_TRUE(CtrlKeyTo(app, VK_NEXT, 0));
  EXPECT_TRUE(CtrlKeyTo(app, VK_NEXT, 1));
  EXPECT_TRUE(CtrlKeyTo(app, VK_PRIOR, 0));
  EXPECT_TRUE(CtrlKeyTo(app, VK_PRIOR, 4));

  // A notch towards the user moves right (from the last page to the first), away moves left and
  // stops at the first page.
  EXPECT_TRUE(WheelTo(app, -WHEEL_DELTA, 0));
  EXPECT_TRUE(WheelTo(app, -WHEEL_DELTA, 1));
  EXPECT_TRUE(WheelTo(app, WHEEL_DELTA, 0));
  ::PostMessageW(Strip(app), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_TRUE(StaysOn(app, 0));
}

TEST(Pages, ALeftClickOnATabSwitchesToItAndOtherPressesDoNot) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  ASSERT_EQ(app.ActivePage(), 3);

  // Find where each tab begins: tabs run left to right from the strip's left edge, so walking to
  // the right meets tab 0, 1, 2, 3 and 4 in turn.
  constexpr int kRowY = 12;
  constexpr int kStep = 16;
  std::array<int, 5> begins{-1, -1, -1, -1, -1};
  int x = 4;
  for (int tab = 0; tab < 5 && x < 440; ++tab) {
    for (; x < 440; x += kStep) {
      const int shown = ClickedPage(app, x, kRowY);
      ASSERT_GE(shown, 0) << "the press at x " << x << " was not handled";
      if (shown == tab) break;
    }
    begins[static_cast<std::size_t>(tab)] = x;
    x += kStep;
  }
  for (int tab = 0; tab < 5; ++tab) ASSERT_GE(begins[static_cast<std::size_t>(tab)], 0) << "tab " << tab << " not found";
  ASSERT_LT(begins[0], 30) << "the first tab starts at the strip's left edge";

  // The middle of each tab, reached from every other tab.
  std::array<int, 5> middles{};
  for (std::size_t tab = 0; tab < 4; ++tab) middles[tab] = (begins[tab] + begins[tab + 1]) / 2;
  middles[4] = begins[4] + (begins[4] - begins[3]) / 2;
  // Every tab reached by a click, going both ways along the row.
  for (int to : {2, 0, 4, 3, 1, 2}) {
    EXPECT_EQ(ClickedPage(app, middles[static_cast<std::size_t>(to)], kRowY), to)
        << "tab " << to << " at x " << middles[static_cast<std::size_t>(to)];
  }

  // Below the tab row, and with the right button, a press selects nothing.
  ASSERT_EQ(ClickedPage(app, middles[1], kRowY), 1);
  EXPECT_EQ(ClickedPage(app, middles[2], 120), 1);
  // The right button's press also starts the drag, which only a release of the left button ends:
  // nothing here can say when it has been handled, so the page is watched for a while.
  const LPARAM at = MAKELPARAM(middles[2], kRowY);
  ::PostMessageW(Strip(app), WM_MOUSEMOVE, 0, at);
  ::PostMessageW(Strip(app), WM_RBUTTONDOWN, MK_RBUTTON, at);
  ::PostMessageW(Strip(app), WM_RBUTTONUP, 0, at);
  EXPECT_TRUE(StaysOn(app, 1));
  app.Screenshot(L"pages_after_clicks");
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(window, &p);
  return p;
}

// Drags with the real left button from `from` by (dx, dy) in five steps, each one confirmed before
// the next: the press has started the window's move loop, the pointer has reached each place and the
// window has followed it, the release has ended the loop. Says which step did not come, if one did not.
std::string RealDrag(RunningApp& app, POINT from, int dx, int dy) {
  if (!MovePointerTo(from)) return "the pointer did not reach the start";
  RECT start{};
  ::GetWindowRect(app.Main(), &start);
  PressLeftButton(true);
  std::string failed;
  if (!WaitFor([&] { return InMoveLoop(app); })) failed = "the press started no move";
  for (int i = 1; i <= 5 && failed.empty(); ++i) {
    const POINT to{from.x + dx * i / 5, from.y + dy * i / 5};
    RECT now{};
    if (!MovePointerTo(to)) {
      failed = "the pointer did not reach step " + std::to_string(i);
    } else if (!WaitFor([&] {
                 ::GetWindowRect(app.Main(), &now);
                 return std::abs(now.left - start.left - (to.x - from.x)) <= 1 &&
                        std::abs(now.top - start.top - (to.y - from.y)) <= 1;
               })) {
      failed = "the window did not follow step " + std::to_string(i) + ": it moved by " +
               std::to_string(now.left - start.left) + "," + std::to_string(now.top - start.top);
    }
  }
  PressLeftButton(false);
  if (!WaitFor([&] { return !InMoveLoop(app); }) && failed.empty()) failed = "the release did not end the move";
  return failed;
}

TEST(Pages, PressingTheStripOrTheBackgroundAndMovingDragsTheWindow) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  ASSERT_TRUE(BringToFront(app.Main()));
  RECT strip{};
  ::GetClientRect(Strip(app), &strip);

  struct Place {
    const char* name;
    HWND window;
    int x, y;
  };
  // The strip to the right of its last tab, and the window's own background left of the buttons.
  const Place places[] = {{"strip", Strip(app), strip.right - 12, 12}, {"background", app.Main(), 100, 330}};
  int dx = 40, dy = 30;
  for (const Place& place : places) {
    RECT before{};
    ::GetWindowRect(app.Main(), &before);
    EXPECT_EQ(RealDrag(app, ScreenPoint(place.window, place.x, place.y), dx, dy), "") << place.name;
    RECT after{};
    ::GetWindowRect(app.Main(), &after);
    // The pointer's absolute coordinates are rounded to the input scale: allow a pixel.
    EXPECT_LE(std::abs(after.left - before.left - dx), 1) << place.name << ": moved by " << after.left - before.left;
    EXPECT_LE(std::abs(after.top - before.top - dy), 1) << place.name << ": moved by " << after.top - before.top;
    EXPECT_EQ(app.ActivePage(), 3) << place.name;
    EXPECT_TRUE(Visible(app.Main()));
    dx = -dx;
    dy = -dy;
  }
}

}  // namespace
}  // namespace kestrune::e2e
