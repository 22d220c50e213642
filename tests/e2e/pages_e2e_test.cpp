// The four pages of the running program's tab strip: which controls each page shows, switching
// by keyboard, wheel and mouse, and dragging the window by the strip or the window background.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <thread>
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
    {0, ids::kLabel19},       {0, ids::kLabel1},         {0, ids::kLabelInfo},      {0, ids::kLabel2},
    {0, ids::kLabelCount},    {0, ids::kLabel8},         {0, ids::kSystemMonitorState}, {0, ids::kLabel14},
    {0, ids::kLabel18},       {0, ids::kShape1},         {0, ids::kShape5},         {0, ids::kImage1},
    {1, ids::kLabel9},        {1, ids::kCheckAutoRun},   {1, ids::kCheckAutoMin},   {1, ids::kCheckMostTop},
    {1, ids::kLabel3},        {1, ids::kCheckState},     {1, ids::kLabel10},        {1, ids::kComboSpeed},
    {1, ids::kLabel6},        {1, ids::kCheckEnableRecord}, {1, ids::kLabel11},     {1, ids::kComboAutoCleanCount},
    {1, ids::kImage2},        {2, ids::kToolbarSpeedMain}, {2, ids::kListViewHistory}, {2, ids::kImage3},
    {3, ids::kLabel4},        {3, ids::kLabel13},        {3, ids::kLabel7},         {3, ids::kLabel12},
    {3, ids::kLabel5},        {3, ids::kLabelHomePage},  {3, ids::kLabelNeedHelp},  {3, ids::kImage4},
};

bool StartShown(RunningApp& app) { return app.Start() && WaitFor([&] { return Visible(app.Main()); }); }

HWND Strip(const RunningApp& app) { return app.Control(ids::kTabStripMain); }

// One key at a time, as the strip ignores keys that arrive while it is still switching.
bool KeyTo(RunningApp& app, UINT key, int expectedPage) {
  ::PostMessageW(Strip(app), WM_KEYDOWN, key, 1);
  ::PostMessageW(Strip(app), WM_KEYUP, key, 0xC0000001);
  return WaitFor([&] { return app.ActivePage() == expectedPage; }, 3s);
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
  return WaitFor([&] { return app.ActivePage() == expectedPage; }, 3s);
}

bool WheelTo(RunningApp& app, short delta, int expectedPage) {
  POINT at{100, 12};
  ::ClientToScreen(Strip(app), &at);
  ::PostMessageW(Strip(app), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(at.x, at.y));
  return WaitFor([&] { return app.ActivePage() == expectedPage; }, 3s);
}

void ClickStrip(RunningApp& app, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
  const WPARAM button = down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
  ::PostMessageW(Strip(app), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  ::PostMessageW(Strip(app), down, button, MAKELPARAM(x, y));
  ::PostMessageW(Strip(app), up, 0, MAKELPARAM(x, y));
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
  const wchar_t* shots[] = {L"pages_0_state", L"pages_1_settings", L"pages_2_history", L"pages_3_about"};
  for (int page : {3, 0, 1, 2}) {
    app.ShowPage(page);
    ASSERT_EQ(app.ActivePage(), page);
    for (const PageControl& c : kPageControls) {
      EXPECT_EQ(app.OnScreen(c.id), c.page == page) << "control " << c.id << " on page " << page;
    }
    // The strip and the two buttons stand outside the pages.
    EXPECT_TRUE(app.OnScreen(ids::kTabStripMain));
    EXPECT_TRUE(app.OnScreen(ids::kCommandMini));
    EXPECT_TRUE(app.OnScreen(ids::kCommandExit));
    app.Screenshot(shots[page]);
  }
}

TEST(Pages, KeysAndWheelStepThroughThePagesAndWrapAtTheEnds) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  ASSERT_EQ(app.ActivePage(), 3);
  EXPECT_TRUE(KeyTo(app, VK_RIGHT, 0)) << "right arrow on the last page goes to the first";
  EXPECT_TRUE(KeyTo(app, VK_LEFT, 3)) << "left arrow on the first page goes to the last";
  EXPECT_TRUE(KeyTo(app, VK_LEFT, 2));
  EXPECT_TRUE(KeyTo(app, VK_RIGHT, 3));

  // Page Down and Page Up switch only together with Ctrl.
  ::PostMessageW(Strip(app), WM_KEYDOWN, VK_NEXT, 1);
  ::PostMessageW(Strip(app), WM_KEYDOWN, VK_PRIOR, 1);
  EXPECT_TRUE(StaysOn(app, 3));
  // Ctrl must be in the program's own key state, so these keys are real input: the strip takes the
  // focus when pressed, then Ctrl and the page key arrive in order through the input queue.
  ::SetForegroundWindow(app.Main());
  ClickStrip(app, 4, 30);
  EXPECT_TRUE(CtrlKeyTo(app, VK_NEXT, 0));
  EXPECT_TRUE(CtrlKeyTo(app, VK_NEXT, 1));
  EXPECT_TRUE(CtrlKeyTo(app, VK_PRIOR, 0));
  EXPECT_TRUE(CtrlKeyTo(app, VK_PRIOR, 3));

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
  // the right meets tab 0, 1, 2 and 3 in turn.
  constexpr int kRowY = 12;
  constexpr int kStep = 16;
  std::array<int, 4> begins{-1, -1, -1, -1};
  int x = 4;
  for (int tab = 0; tab < 4 && x < 440; ++tab) {
    for (; x < 440; x += kStep) {
      ClickStrip(app, x, kRowY);
      if (WaitFor([&] { return app.ActivePage() == tab; }, 400ms)) break;
    }
    begins[static_cast<std::size_t>(tab)] = x;
    x += kStep;
  }
  for (int tab = 0; tab < 4; ++tab) ASSERT_GE(begins[static_cast<std::size_t>(tab)], 0) << "tab " << tab << " not found";
  ASSERT_LT(begins[0], 30) << "the first tab starts at the strip's left edge";

  // The middle of each tab, reached from every other tab.
  std::array<int, 4> middles{};
  for (std::size_t tab = 0; tab < 3; ++tab) middles[tab] = (begins[tab] + begins[tab + 1]) / 2;
  middles[3] = begins[3] + (begins[3] - begins[2]) / 2;
  // Every tab reached by a click, going both ways along the row.
  for (int to : {2, 0, 3, 1, 2}) {
    ClickStrip(app, middles[static_cast<std::size_t>(to)], kRowY);
    EXPECT_TRUE(WaitFor([&] { return app.ActivePage() == to; }, 3s))
        << "tab " << to << " at x " << middles[static_cast<std::size_t>(to)];
  }

  // Below the tab row, and with the right button, a press selects nothing.
  ClickStrip(app, middles[1], kRowY);
  ASSERT_TRUE(WaitFor([&] { return app.ActivePage() == 1; }, 3s));
  ClickStrip(app, middles[2], 120);
  EXPECT_TRUE(StaysOn(app, 1));
  ClickStrip(app, middles[2], kRowY, WM_RBUTTONDOWN, WM_RBUTTONUP);
  EXPECT_TRUE(StaysOn(app, 1));
  app.Screenshot(L"pages_after_clicks");
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(window, &p);
  return p;
}

// Presses the real left button at `from`, moves the pointer by (dx, dy) in small steps, releases.
void RealDrag(POINT from, int dx, int dy) {
  MovePointerTo(from);
  std::this_thread::sleep_for(150ms);
  PressLeftButton(true);
  std::this_thread::sleep_for(150ms);
  for (int i = 1; i <= 5; ++i) {
    MovePointerTo({from.x + dx * i / 5, from.y + dy * i / 5});
    std::this_thread::sleep_for(60ms);
  }
  PressLeftButton(false);
}

TEST(Pages, PressingTheStripOrTheBackgroundAndMovingDragsTheWindow) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  ::SetForegroundWindow(app.Main());
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
    RealDrag(ScreenPoint(place.window, place.x, place.y), dx, dy);
    RECT after{};
    const auto movedBy = [&] {
      ::GetWindowRect(app.Main(), &after);
      // The pointer's absolute coordinates are rounded to the input scale: allow a pixel.
      return std::abs(after.left - before.left - dx) <= 1 && std::abs(after.top - before.top - dy) <= 1;
    };
    EXPECT_TRUE(WaitFor(movedBy, 3s)) << place.name << ": moved by " << after.left - before.left << ","
                                      << after.top - before.top;
    EXPECT_EQ(app.ActivePage(), 3) << place.name;
    EXPECT_TRUE(Visible(app.Main()));
    dx = -dx;
    dy = -dy;
  }
}

}  // namespace
}  // namespace kestrune::e2e
