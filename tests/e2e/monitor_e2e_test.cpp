// The resource monitor in the running window: it scrolls on its own, and nothing else moves.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <thread>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;

std::wstring UnixArtifactDir() {
  wchar_t buffer[1024] = {};
  const DWORD n = ::GetEnvironmentVariableW(L"KESTRUNE_ARTIFACTS_UNIX", buffer, 1024);
  return std::wstring(buffer, n < 1024 ? n : 0);
}

// Where two screenshots differ, as ImageMagick measures it: {x, y, w, h}, or w = 0 when equal.
bool DifferenceBox(const std::wstring& a, const std::wstring& b, RECT& box) {
  const std::wstring dir = UnixArtifactDir();
  const std::wstring out = L"monitor_difference.txt";
  std::wstringstream command;
  command << L"/wait /unix /usr/bin/convert " << dir << L"/" << a << L".png " << dir << L"/" << b
          << L".png -compose difference -composite -fuzz 1% -trim -format \"%w %h %X %Y\" info:" << dir << L"/"
          << out;
  const std::wstring file = ArtifactDir() + L"\\" + out;
  ::DeleteFileW(file.c_str());
  Process convert;
  if (!convert.Start(L"C:\\windows\\system32\\start.exe", command.str()) || !WaitForFile(file)) return false;
  const std::string text = ReadFileBytes(file);
  int w = 0, h = 0, x = 0, y = 0;
  if (std::sscanf(text.c_str(), "%d %d %d %d", &w, &h, &x, &y) != 4) return false;
  box = {x, y, x + w, y + h};
  return true;
}

TEST(Monitor, ScrollsWhileTheRestOfTheWindowStaysStill) {
  RunningApp app;
  ASSERT_TRUE(app.Start());
  app.ShowPage(0);
  ASSERT_TRUE(app.OnScreen(ids::kSystemMonitorState));
  std::this_thread::sleep_for(1500ms);  // a few samples in
  app.Screenshot(L"monitor_a");
  std::this_thread::sleep_for(1000ms);  // two more ticks at 500 ms
  app.Screenshot(L"monitor_b");

  RECT window{}, monitor{};
  ::GetWindowRect(app.Main(), &window);
  ::GetWindowRect(app.Control(ids::kSystemMonitorState), &monitor);
  ::OffsetRect(&monitor, -window.left, -window.top);

  RECT box{};
  ASSERT_TRUE(DifferenceBox(L"monitor_a", L"monitor_b", box));
  // ImageMagick reports an empty difference as a 1 x 1 box at the origin with no offset.
  ASSERT_GT(box.right - box.left, 1) << "the diagram did not move";
  EXPECT_GE(box.left, monitor.left);
  EXPECT_GE(box.top, monitor.top);
  EXPECT_LE(box.right, monitor.right);
  EXPECT_LE(box.bottom, monitor.bottom);
}

}  // namespace
}  // namespace kestrune::e2e
