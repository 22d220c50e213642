// The resource monitor in the running window: it scrolls on its own, and nothing else moves.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

// Where two screenshots differ, as ImageMagick measures it: {x, y, w, h}, or w = 0 when equal.
bool DifferenceBox(const std::wstring& a, const std::wstring& b, RECT& box) {
  const std::wstring out = L"monitor_difference.txt";
  std::wstringstream command;
  command << L"convert " << a << L".png " << b << L".png -compose difference -composite -fuzz 1% -trim -format '%w %h %X %Y' info:"
          << out << L".part";
  if (!RunInShell(command.str(), out)) return false;
  const std::string text = ReadFileBytes(ArtifactDir() + L"\\" + out);
  int w = 0, h = 0, x = 0, y = 0;
  if (std::sscanf(text.c_str(), "%d %d %d %d", &w, &h, &x, &y) != 4) return false;
  box = {x, y, x + w, y + h};
  return true;
}

TEST(Monitor, ScrollsWhileTheRestOfTheWindowStaysStill) {
  RunningApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.ShowPage(0));
  ASSERT_TRUE(app.OnScreen(ids::kSystemMonitorState));

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
    app.Screenshot(L"monitor_a");
    bool moved = false;
    for (int shot = 0; shot < 20 && !moved; ++shot) {
      app.Screenshot(L"monitor_b");
      ASSERT_TRUE(DifferenceBox(L"monitor_a", L"monitor_b", box));
      // ImageMagick reports an empty difference as a 1 x 1 box at the origin with no offset.
      moved = box.right - box.left > 1;
    }
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

}  // namespace
}  // namespace kestrune::e2e
