// The running program as a user meets it: its window, its pages, the single-instance guard,
// the exit confirmation and the boost of the foreground application.
#include <gtest/gtest.h>

#include <cstdint>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

constexpr char kBoostIni[] =
    "[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n"
    "[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n";

TEST(MainWindow, ShowsCaptionPagesAndEveryControlsText) {
  RunningApp app;
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(Text(app.Main()), L"Kestrune v3.2.4");
  EXPECT_TRUE(WaitFor([&] { return Visible(app.Main()); }));

  // The about page is shown first; the other pages' controls are out of sight.
  EXPECT_EQ(app.ActivePage(), 3);
  EXPECT_TRUE(app.OnScreen(ids::kLabel4));
  EXPECT_FALSE(app.OnScreen(ids::kCheckState));
  EXPECT_EQ(app.ControlText(ids::kLabel4), L"Kestrune");
  EXPECT_EQ(app.ControlText(ids::kLabel13), L"Version:3.2.4");
  EXPECT_EQ(app.ControlText(ids::kLabelNeedHelp), L"ご質問がありますか？");
  EXPECT_EQ(app.ControlText(ids::kCommandExit), L"終了");
  EXPECT_EQ(app.ControlText(ids::kCommandMini), L"隠す");
  app.Screenshot(L"page3_about");

  struct Expected {
    int page, id;
    const wchar_t* text;
  };
  const Expected expected[] = {
      {0, ids::kLabel19, L"加速状態"},           {0, ids::kLabel1, L"加速中のプログラム:"},
      {0, ids::kLabel2, L"加速済のプログラム個数:"}, {0, ids::kLabel8, L"リアルタイム状態"},
      {0, ids::kLabel14, L"CPU"},               {0, ids::kLabel18, L"ディスクスペース"},
      {1, ids::kCheckAutoRun, L"Windows起動時に起動する"}, {1, ids::kCheckAutoMin, L"起動する時にトレイアイコンになる"},
      {1, ids::kCheckMostTop, L"ウィンドウを常に最前面表示する"}, {1, ids::kCheckState, L"加速を使用する"},
      {1, ids::kLabel10, L"加速度:"},            {1, ids::kCheckEnableRecord, L"加速使用記録"},
      {1, ids::kLabel11, L"最大記録数:"},
  };
  const wchar_t* pageNames[] = {L"page0_state", L"page1_settings", L"page2_history"};
  for (int page = 0; page < 3; ++page) {
    app.ShowPage(page);
    EXPECT_EQ(app.ActivePage(), page);
    EXPECT_FALSE(app.OnScreen(ids::kLabel4)) << page;
    for (const Expected& e : expected) {
      if (e.page != page) continue;
      EXPECT_TRUE(app.OnScreen(e.id)) << e.id;
      EXPECT_EQ(app.ControlText(e.id), e.text) << e.id;
    }
    app.Screenshot(pageNames[page]);
  }
  EXPECT_TRUE(app.OnScreen(ids::kListViewHistory));
  EXPECT_TRUE(app.OnScreen(ids::kToolbarSpeedMain));
  EXPECT_FALSE(app.OnScreen(ids::kSystemMonitorState));
}

// The state tab's picture, a chart over a bar, at 144 dpi: the bar (the picture's widest run of its
// dark grey) is 24 pixels wide, as a 16-pixel picture is at 96 dpi, and it stands clear of the
// page's edge below it instead of on it.
TEST(MainWindow, AtAHigherResolutionTheTabPicturesGrowAndStayInsideTheirTabs) {
  RunningApp app;
  {
    StartResolution dpi(144);
    ASSERT_TRUE(dpi.Set());
    ASSERT_TRUE(app.Start());
  }
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  const WindowPixels shot = app.Pixels();
  ASSERT_FALSE(shot.Empty());
  RECT window{}, strip{};
  ::GetWindowRect(app.Main(), &window);
  ::GetWindowRect(app.Control(ids::kTabStripMain), &strip);
  const int left = strip.left - window.left, top = strip.top - window.top;
  const auto at = [&](int x, int y) {
    const std::uint8_t* p = &shot.rgb[(static_cast<std::size_t>(y) * shot.width + x) * 3];
    return (p[0] << 16) | (p[1] << 8) | p[2];
  };
  constexpr int kDarkGrey = 0x505050, kPageEdge = 0x919C9B;
  const int firstTab = (strip.right - strip.left) / 6;  // the state tab's part of the row
  int widest = 0, barRow = -1, barLeft = 0;
  for (int y = top; y < top + 60 && y < shot.height; ++y) {
    for (int x = left, run = 0; x < left + firstTab && x < shot.width; ++x) {
      run = at(x, y) == kDarkGrey ? run + 1 : 0;
      if (run >= widest) {
        if (run > widest || y > barRow) barRow = y;
        widest = run;
        barLeft = x - run + 1;
      }
    }
  }
  EXPECT_EQ(widest, 24);
  ASSERT_GE(barRow, 0);
  int edge = barRow + 1;
  while (edge < shot.height && at(barLeft + 12, edge) != kPageEdge) ++edge;
  EXPECT_LT(edge, barRow + 16) << "no page edge below the picture";
  EXPECT_GE(edge - barRow, 3) << "the picture's last row " << barRow << ", the page's edge " << edge;
  app.Screenshot(L"dpi144_tab_pictures");
}

TEST(MainWindow, SecondStartShowsTheNoticeAndLeavesTheFirstRunning) {
  RunningApp first;
  ASSERT_TRUE(first.Start());
  Process second;
  ASSERT_TRUE(second.Start(first.Dir().File(L"kestrune.exe")));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(second.Id(), L"Kestrune")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"Kestruneは実行中です。");
  EXPECT_EQ(FindTopWindow(second.Id(), L"KestruneMainWindow"), nullptr);
  PressDialogButton(box, IDOK);
  EXPECT_TRUE(second.WaitExit(kPatience));
  EXPECT_TRUE(first.Proc().Running());
  EXPECT_TRUE(Visible(first.Main()));
}

TEST(MainWindow, ExitAnsweredNoKeepsRunningAndLogOffEndsWithoutAsking) {
  RunningApp app;
  ASSERT_TRUE(app.Start());
  app.PressButton(ids::kCommandExit);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"確認してください。")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"終了しますか？");
  PressDialogButton(box, IDNO);
  EXPECT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L"確認してください。") == nullptr; }));
  // The answer is handled once the program answers a message after the box is gone: a window that
  // was closing would be gone by then.
  EXPECT_TRUE(RoundTrip(app.Main()));
  EXPECT_TRUE(app.Proc().Running());
  EXPECT_TRUE(Visible(app.Main()));

  app.EndSession();
  EXPECT_FALSE(app.Proc().Running());
  EXPECT_EQ(app.Proc().ExitCode(), 0u);
}

class Boost : public ::testing::TestWithParam<std::pair<const char*, DWORD>> {};

TEST_P(Boost, ForegroundSwitchRaisesTheNewOwnerAndRestoresThePrevious) {
  std::string ini = kBoostIni;
  ini.replace(ini.find("SpeedLevel=1"), 12, GetParam().first);
  RunningApp app(ini);
  ASSERT_TRUE(app.Start());
  HelperApp a(L"Helper A");
  HelperApp b(L"Helper B");
  ASSERT_NE(a.Window(), nullptr);
  ASSERT_NE(b.Window(), nullptr);

  // The program's own one-second tick takes each switch.
  ASSERT_TRUE(a.BringToFront());
  EXPECT_TRUE(WaitFor([&] { return app.ControlText(ids::kLabelInfo) == L"Helper A"; }));
  ASSERT_TRUE(b.BringToFront());
  EXPECT_TRUE(WaitFor([&] { return app.ControlText(ids::kLabelInfo) == L"Helper B"; }));
  // Raised within the same tick that named B.
  EXPECT_EQ(PriorityClassOf(b.ProcessId()), GetParam().second);
  EXPECT_EQ(PriorityClassOf(a.ProcessId()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  // A tick that comes while the foreground passes from one helper's process to the other sees no
  // window in front and counts that as a switch too: at least the two.
  const int count = app.SwitchCount();
  EXPECT_GE(count, 2);

  // Recording is on: every switch is a row; the last one names B.
  HWND list = app.Control(ids::kListViewHistory);
  const int rows = ListViewRowCount(list);
  EXPECT_EQ(rows, count);
  ASSERT_GT(rows, 0);
  EXPECT_EQ(ListViewCell(list, rows - 1, 2), L"Helper B");
  EXPECT_EQ(ListViewCell(list, rows - 1, 0), std::to_wstring(rows) + L" ");
}

INSTANTIATE_TEST_SUITE_P(Levels, Boost,
                         ::testing::Values(std::make_pair("SpeedLevel=1", static_cast<DWORD>(HIGH_PRIORITY_CLASS)),
                                           std::make_pair("SpeedLevel=2", static_cast<DWORD>(REALTIME_PRIORITY_CLASS))));

}  // namespace
}  // namespace kestrune::e2e
