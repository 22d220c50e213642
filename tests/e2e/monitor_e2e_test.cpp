// The resource monitor in the running window: it scrolls on its own, and nothing else moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "app_fixture.h"
#include "window_pixels.h"

namespace kestrune::e2e {
namespace {

// A channel may differ by this much without counting as a change (about 1%).
constexpr int kTolerance = 2;

TEST(Monitor, ScrollsWhileTheRestOfTheWindowStaysStill) {
  RunningApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.ShowPage(0));
  ASSERT_TRUE(app.OnScreen(ids::kSystemMonitorState));
  // Both pictures of a pair show what the monitor drew on a tick: before its first tick it shows only
  // its background, and the first drawing's change would prove no scrolling.
  ASSERT_TRUE(WaitFor([&] { return MonitorShowsItsGrid(app); })) << "the monitor drew no diagram";

  RECT window{}, monitor{};
  ::GetWindowRect(app.Main(), &window);
  ::GetWindowRect(app.Control(ids::kSystemMonitorState), &monitor);
  ::OffsetRect(&monitor, -window.left, -window.top);

  // A pair of pictures: the second is taken again until the diagram has moved, which its own timer
  // makes it do twice a second. The labels beside it name the window in front and count switches;
  // should the system have moved the foreground meanwhile, they changed rightly, and the pair is
  // taken anew.
  RECT box{};
  int pairs = 0;
  bool still = false;
  while (!still && pairs < 5) {
    ++pairs;
    const std::wstring info = app.ControlText(ids::kLabelInfo);
    const std::wstring count = app.ControlText(ids::kLabelCount);
    const WindowPixels before = app.Pixels();
    ASSERT_FALSE(before.Empty());
    WindowPixels after;
    const bool moved = WaitFor([&] {
      after = app.Pixels();
      box = DifferenceBox(before, after, kTolerance);
      return !::IsRectEmpty(&box);
    }, std::chrono::seconds(10));
    SavePng(before, ArtifactDir() + L"\\monitor_a.png");
    SavePng(after, ArtifactDir() + L"\\monitor_b.png");
    ASSERT_TRUE(moved) << "the diagram did not move";
    still = app.ControlText(ids::kLabelInfo) == info && app.ControlText(ids::kLabelCount) == count;
  }
  std::printf("[monitor] pairs of pictures taken: %d\n", pairs);
  ASSERT_TRUE(still) << "the labels changed during every pair";
  EXPECT_GE(box.left, monitor.left);
  EXPECT_GE(box.top, monitor.top);
  EXPECT_LE(box.right, monitor.right);
  EXPECT_LE(box.bottom, monitor.bottom);
}

// Columns of the box in which a curve passes: a pixel of strong colour, which neither the near-white
// background nor the grey grid has.
int CurveColumns(const WindowPixels& pixels, const RECT& box) {
  int columns = 0;
  for (LONG x = box.left; x < box.right; ++x) {
    for (LONG y = box.top; y < box.bottom; ++y) {
      const std::uint8_t* p = &pixels.rgb[(static_cast<std::size_t>(y) * pixels.width + x) * 3];
      if (std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 100) {
        ++columns;
        break;
      }
    }
  }
  return columns;
}

// The program starts on the about page, so the monitor's first seconds pass while nobody can see it:
// its page, once shown, still draws the samples of those seconds.
TEST(Monitor, ShowsTheSamplesTakenWhileItsPageWasNotShown) {
  RunningApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_FALSE(app.OnScreen(ids::kSystemMonitorState));
  ::Sleep(4000);  // eight ticks of the monitor
  ASSERT_TRUE(app.ShowPage(0));
  ASSERT_TRUE(app.OnScreen(ids::kSystemMonitorState));
  RECT window{}, monitor{};
  ::GetWindowRect(app.Main(), &window);
  ::GetWindowRect(app.Control(ids::kSystemMonitorState), &monitor);
  ::OffsetRect(&monitor, -window.left, -window.top);
  const WindowPixels shown = app.Pixels();
  ASSERT_FALSE(shown.Empty());
  SavePng(shown, ArtifactDir() + L"\\monitor_after_other_page.png");
  EXPECT_GE(CurveColumns(shown, monitor), 6);
}

}  // namespace
}  // namespace kestrune::e2e
