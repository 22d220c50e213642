// The running program as a user meets it: its window, its pages, the single-instance guard,
// the exit confirmation and the acceleration of the foreground application.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>

#include "app/win32/control_table.h"
#include "app_fixture.h"

#include <sddl.h>  // after windows.h, which it needs

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
  EXPECT_TRUE(app.OnScreen(ids::kLabelTitle));
  EXPECT_FALSE(app.OnScreen(ids::kCheckAcceleration));
  EXPECT_EQ(app.ControlText(ids::kLabelTitle), L"Kestrune");
  EXPECT_EQ(app.ControlText(ids::kLabelVersion), L"Version:3.2.4");
  EXPECT_EQ(app.ControlText(ids::kLabelNeedHelp), L"ご質問がありますか？");
  EXPECT_EQ(app.ControlText(ids::kCommandExit), L"終了");
  EXPECT_EQ(app.ControlText(ids::kCommandMini), L"隠す");
  app.Screenshot(L"page3_about");

  struct Expected {
    int page, id;
    const wchar_t* text;
  };
  const Expected expected[] = {
      {0, ids::kLabelStateHeading, L"加速状態"},           {0, ids::kLabelInfoCaption, L"加速中のプログラム:"},
      {0, ids::kLabelCountCaption, L"加速済のプログラム個数:"}, {0, ids::kLabelMonitorHeading, L"リアルタイム状態"},
      {0, ids::kLabelLegendCpu, L"CPU"},               {0, ids::kLabelLegendDisk, L"ディスクスペース"},
      {1, ids::kCheckAutoRun, L"Windows起動時に起動する"}, {1, ids::kCheckAutoMin, L"起動する時にトレイアイコンになる"},
      {1, ids::kCheckAlwaysTop, L"ウィンドウを常に最前面表示する"}, {1, ids::kCheckAcceleration, L"加速を使用する"},
      {1, ids::kLabelSpeedCaption, L"加速度:"},            {1, ids::kCheckRecording, L"加速使用記録"},
      {1, ids::kLabelRecordCountCaption, L"最大記録数:"},
  };
  const wchar_t* pageNames[] = {L"page0_state", L"page1_settings", L"page2_history"};
  for (int page = 0; page < 3; ++page) {
    app.ShowPage(page);
    EXPECT_EQ(app.ActivePage(), page);
    EXPECT_FALSE(app.OnScreen(ids::kLabelTitle)) << page;
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

// What a start at one resolution makes: every control's rectangle in the client area, and each
// page's client pixels (`size` of them from the top left) with what the comparison leaves out: the
// live diagram, and what the system draws from its metrics (the check boxes, the combo boxes, the
// list's scroll bar). Wine draws those at the resolution the program started at, and a message
// sent by hand does not change that, where Windows draws them at the window's.
struct Layout {
  std::vector<RECT> controls;
  std::vector<WindowPixels> pages;
  std::vector<std::vector<RECT>> blanks;  // per page
  SIZE window{};
  SIZE client{};
};

bool DrawnFromSystemMetrics(const ControlRow& row) {
  return row.kind == ControlKind::Combo || row.kind == ControlKind::Check;
}

// The client rectangles a page's comparison leaves out.
std::vector<RECT> BlanksOf(const RunningApp& app) {
  std::vector<RECT> blanks;
  const auto inClient = [&](HWND control, RECT rect) {
    ::MapWindowPoints(control, app.Main(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  };
  for (const ControlRow& row : MainWindowControls()) {
    if (row.id != ids::kSystemMonitorState && !DrawnFromSystemMetrics(row)) continue;
    RECT rect{};
    ::GetWindowRect(app.Control(row.id), &rect);
    blanks.push_back(inClient(nullptr, rect));
  }
  const HWND list = app.Control(ids::kListViewHistory);
  RECT outside{}, inside{};
  ::GetWindowRect(list, &outside);
  ::GetClientRect(list, &inside);
  outside = inClient(nullptr, outside);
  inside = inClient(list, inside);
  blanks.push_back({outside.left, inside.bottom, outside.right, outside.bottom});
  return blanks;
}

Layout LayoutOf(RunningApp& app, SIZE size = {}) {
  Layout layout;
  RECT window{}, client{};
  ::GetWindowRect(app.Main(), &window);
  ::GetClientRect(app.Main(), &client);
  layout.window = {window.right - window.left, window.bottom - window.top};
  layout.client = size.cx > 0 ? size : SIZE{client.right, client.bottom};
  for (const ControlRow& row : MainWindowControls()) {
    RECT rect{};
    ::GetWindowRect(app.Control(row.id), &rect);
    ::MapWindowPoints(nullptr, app.Main(), reinterpret_cast<POINT*>(&rect), 2);
    layout.controls.push_back(rect);
  }
  POINT origin{0, 0};
  ::ClientToScreen(app.Main(), &origin);
  for (int page = 0; page < RunningApp::kPages; ++page) {
    EXPECT_TRUE(app.ShowPage(page));
    layout.blanks.push_back(BlanksOf(app));
    const WindowPixels shot = app.Pixels();
    WindowPixels clip{layout.client.cx, layout.client.cy, {}};
    for (int y = 0; y < clip.height; ++y) {
      for (int x = 0; x < clip.width; ++x) {
        const int sx = origin.x - window.left + x, sy = origin.y - window.top + y;
        for (int c = 0; c < 3; ++c)
          clip.rgb.push_back(sx < shot.width && sy < shot.height
                                 ? shot.rgb[(static_cast<std::size_t>(sy) * shot.width + sx) * 3 + c] : 0);
      }
    }
    layout.pages.push_back(std::move(clip));
  }
  return layout;
}

// Blanks the rectangles in the picture.
void Blank(WindowPixels& picture, const std::vector<RECT>& blanks) {
  for (const RECT& r : blanks)
    for (int y = std::max(0L, r.top); y < std::min<long>(picture.height, r.bottom); ++y)
      for (int x = std::max(0L, r.left); x < std::min<long>(picture.width, r.right); ++x)
        for (int c = 0; c < 3; ++c) picture.rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3 + c] = 0;
}

// Tells the window it now stands on a screen of `dpi`, with the rectangle Windows suggests. The
// rectangle lives in the program's memory, as it would when Windows sends the message.
bool SendResolutionChange(HWND window, int dpi, const RECT& suggested) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  const HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
  if (process == nullptr) return false;
  void* remote = ::VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  DWORD_PTR answer = 0;
  const bool sent = remote != nullptr && ::WriteProcessMemory(process, remote, &suggested, sizeof(RECT), nullptr) &&
                    ::SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                                          SMTO_BLOCK, 20000, &answer) != 0;
  if (remote != nullptr) ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  ::CloseHandle(process);
  return sent;
}

// Moved from a 96-dpi screen to a 144-dpi one, the window is the window a start at 144 dpi makes:
// the same rectangles for every control, parked ones included, and the same pixels on every page.
TEST(MainWindow, ArrivingAtAHigherResolutionLooksLikeStartingThere) {
  Layout started;
  {
    RunningApp app;
    {
      StartResolution dpi(144);
      ASSERT_TRUE(dpi.Set());
      ASSERT_TRUE(app.Start());
    }
    ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
    started = LayoutOf(app);
    app.Screenshot(L"dpi144_started");
  }
  RunningApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  RECT window{};
  ::GetWindowRect(app.Main(), &window);
  ASSERT_TRUE(SendResolutionChange(app.Main(), 144, {window.left, window.top, window.left + started.window.cx,
                                                     window.top + started.window.cy}));
  Layout arrived = LayoutOf(app, started.client);
  app.Screenshot(L"dpi144_arrived");
  const auto rows = MainWindowControls();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RECT& a = started.controls[i];
    const RECT& b = arrived.controls[i];
    EXPECT_TRUE(::EqualRect(&a, &b) != FALSE) << "control " << rows[i].id << ": started " << a.left << "," << a.top
                                              << "-" << a.right << "," << a.bottom << ", arrived " << b.left << ","
                                              << b.top << "-" << b.right << "," << b.bottom;
  }
  for (int page = 0; page < RunningApp::kPages; ++page) {
    for (Layout* layout : {&started, &arrived}) {
      Blank(layout->pages[page], started.blanks[page]);
      Blank(layout->pages[page], arrived.blanks[page]);
    }
    const RECT box = DifferenceBox(started.pages[page], arrived.pages[page], 0);
    if (::IsRectEmpty(&box)) continue;
    ADD_FAILURE() << "page " << page << " differs in " << box.left << "," << box.top << "-" << box.right << ","
                  << box.bottom;
    const std::wstring name = ArtifactDir() + L"\\dpi144_page" + std::to_wstring(page);
    SavePng(started.pages[page], name + L"_started.png");
    SavePng(arrived.pages[page], name + L"_arrived.png");
  }
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

// A copy run as administrator holds the single-instance guard with rights that a copy without
// elevation lacks (here: a guard that refuses every open): a second start still finds it and leaves.
TEST(MainWindow, ASecondStartThatMayNotOpenTheGuardStillLeaves) {
  RunningApp app;  // not started: its folder holds the program
  PSECURITY_DESCRIPTOR denying = nullptr;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;GA;;;WD)", 1, &denying, nullptr));
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), denying, FALSE};
  const std::unique_ptr<void, decltype(&::CloseHandle)> guard(
      ::CreateMutexW(&attributes, FALSE, L"Local\\Kestrune.SingleInstance"), &::CloseHandle);
  ::LocalFree(denying);
  Process second;
  ASSERT_TRUE(guard && second.Start(app.Dir().File(L"kestrune.exe")));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(second.Id(), L"Kestrune")) != nullptr; }));
  PressDialogButton(box, IDOK);
  EXPECT_TRUE(second.WaitExit(kPatience));
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
