// The notification-area icon and the window hook of the running program: hiding to the tray,
// restoring, the tray menu, a re-created taskbar and logging off.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;

constexpr UINT kTrayCallback = 2025;
constexpr char kBoostIni[] =
    "[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n"
    "[Record]\r\nEnableRecord=0\r\nRecordCount=50\r\n";

HWND PopupMenuOf(RunningApp& app) { return FindTopWindow(app.ProcessId(), L"#32768", nullptr, true); }

// Copies whose ending is not under test are simply ended by the fixture: a regular exit costs
// seconds under Wine without a window manager (the shell and the X server are waited for).
bool StartShown(RunningApp& app) { return app.Start() && WaitFor([&] { return Visible(app.Main()); }); }

void Hide(RunningApp& app) {
  app.PressButton(ids::kCommandMini);
  WaitFor([&] { return !Visible(app.Main()); });
}

void CloseMenu(RunningApp& app, HWND menu) {
  // The menu's own loop takes the key from the queue.
  ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  WaitFor([&] { return PopupMenuOf(app) == nullptr; });
}

// The probe the other tests rely on: the shell knows the icon exactly while the program runs.
TEST(Tray, IconExistsWhileRunningAndIsGoneAfterLogOff) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  HWND main = app.Main();
  EXPECT_TRUE(TrayIconExists(main));
  EXPECT_FALSE(TrayIconExists(main, 1)) << "an icon id the program never added";
  app.EndSession();
  ASSERT_FALSE(app.Proc().Running());
  EXPECT_EQ(app.Proc().ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(main));
}

TEST(Tray, HideKeepsTheProgramTickingAndADoubleClickOnTheIconRestoresIt) {
  RunningApp app(kBoostIni);
  ASSERT_TRUE(StartShown(app));
  HelperApp a(L"Helper A");
  HelperApp b(L"Helper B");
  ASSERT_NE(a.Window(), nullptr);
  ASSERT_NE(b.Window(), nullptr);

  Hide(app);
  ASSERT_FALSE(Visible(app.Main()));
  EXPECT_TRUE(app.Proc().Running());
  EXPECT_TRUE(TrayIconExists(app.Main()));

  // The one-second timer goes on while hidden: real switches are still counted. (A tick that comes
  // while the foreground passes from one helper's process to the other sees no window in front and
  // counts a switch of its own, so the counter is only known to grow.)
  ASSERT_TRUE(a.BringToFront());
  ASSERT_TRUE(WaitFor([&] { return app.ControlText(ids::kLabelInfo) == L"Helper A"; }));
  const int count = app.SwitchCount();
  ASSERT_TRUE(b.BringToFront());
  EXPECT_TRUE(WaitFor([&] { return app.ControlText(ids::kLabelInfo) == L"Helper B"; }));
  EXPECT_GT(app.SwitchCount(), count);
  EXPECT_FALSE(Visible(app.Main()));

  ::SendMessageW(app.Main(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  EXPECT_FALSE(::IsIconic(app.Main()));
  // A second double-click while shown changes nothing.
  ::SendMessageW(app.Main(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(Visible(app.Main()));
  EXPECT_FALSE(::IsIconic(app.Main()));

  // Minimised by the system (taskbar button, system menu): hidden as well, and restored whole.
  ::SendMessageW(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitFor([&] { return !Visible(app.Main()); }));
  EXPECT_TRUE(TrayIconExists(app.Main()));
  ::SendMessageW(app.Main(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return Visible(app.Main()) && !::IsIconic(app.Main()); }));
}

TEST(Tray, OnlyTheTrayCallbackWithADoubleClickRestoresAHiddenWindow) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  Hide(app);
  ASSERT_FALSE(Visible(app.Main()));
  for (UINT message : {kTrayCallback - 1, kTrayCallback + 1, static_cast<UINT>(WM_APP + 1)}) {
    ::SendMessageW(app.Main(), message, 0, WM_LBUTTONDBLCLK);
    ::SendMessageW(app.Main(), message, 0, WM_RBUTTONDOWN);
  }
  // The callback message with other mouse notifications does nothing either.
  ::SendMessageW(app.Main(), kTrayCallback, 0, WM_LBUTTONDOWN);
  ::SendMessageW(app.Main(), kTrayCallback, 0, WM_MOUSEMOVE);
  EXPECT_FALSE(WaitFor([&] { return Visible(app.Main()) || PopupMenuOf(app) != nullptr; }, 1s));
  ::SendMessageW(app.Main(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
}

TEST(Tray, RightButtonOffersTheMenuOnlyWhileHiddenAndItsFirstItemShowsTheWindow) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  ::PostMessageW(app.Main(), kTrayCallback, 0, WM_RBUTTONDOWN);
  EXPECT_FALSE(WaitFor([&] { return PopupMenuOf(app) != nullptr; }, 1500ms));

  Hide(app);
  ASSERT_FALSE(Visible(app.Main()));
  // Posted: the menu runs its own loop inside the program until it is closed.
  ::PostMessageW(app.Main(), kTrayCallback, 0, WM_RBUTTONDOWN);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (menu = PopupMenuOf(app)) != nullptr; }));
  CloseMenu(app, menu);
  EXPECT_EQ(PopupMenuOf(app), nullptr);
  EXPECT_FALSE(Visible(app.Main())) << "dismissing the menu must not show the window";

  // Choosing "について" with the keyboard shows the window again.
  ::PostMessageW(app.Main(), kTrayCallback, 0, WM_RBUTTONDOWN);
  ASSERT_TRUE(WaitFor([&] { return (menu = PopupMenuOf(app)) != nullptr; }));
  ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  if (HWND left = PopupMenuOf(app)) CloseMenu(app, left);
}

TEST(Tray, MenuExitShowsTheWindowAndAsksFirst) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  Hide(app);
  ASSERT_FALSE(Visible(app.Main()));
  ::PostMessageW(app.Main(), kTrayCallback, 0, WM_RBUTTONDOWN);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (menu = PopupMenuOf(app)) != nullptr; }));
  // Up from no selection picks the last item, "終了".
  ::PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
  ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"確認してください。")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"終了しますか？");
  EXPECT_TRUE(Visible(app.Main())) << "the window is shown before the question";
  PressDialogButton(box, IDNO);
  EXPECT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L"確認してください。") == nullptr; }));
  EXPECT_TRUE(app.Proc().Running());
  EXPECT_TRUE(Visible(app.Main()));
  EXPECT_TRUE(TrayIconExists(app.Main()));
}

TEST(Tray, LogOffWhileHiddenEndsWithoutAsking) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  HWND main = app.Main();
  Hide(app);
  ASSERT_FALSE(Visible(main));
  ::SendMessageW(main, WM_QUERYENDSESSION, 0, 0);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.Proc().WaitExit(kPatience));
  EXPECT_EQ(FindMessageBox(app.ProcessId(), L"確認してください。"), nullptr);
  EXPECT_EQ(app.Proc().ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(main));
}

TEST(Tray, StartMinimisedNeverShowsTheWindowButHasTheIcon) {
  RunningApp app("[Normal]\r\nAutoMin=1\r\n[Record]\r\nRecordCount=50\r\n");
  ASSERT_TRUE(app.Start());
  HWND main = app.Main();
  ASSERT_TRUE(TrayIconExists(main));
  // Watched over two of the program's ticks: the window does not flash up.
  EXPECT_FALSE(WaitFor([&] { return Visible(main); }, 2500ms));
  EXPECT_TRUE(Checked(app.Control(ids::kCheckAutoMin)));
  EXPECT_TRUE(app.Proc().Running());
  ::SendMessageW(main, kTrayCallback, 0, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return Visible(main); }));
  EXPECT_FALSE(::IsIconic(main));
  app.Screenshot(L"tray_restored_after_start_minimised");
}

TEST(Tray, ARecreatedTaskbarGetsTheIconBack) {
  RunningApp app;
  ASSERT_TRUE(StartShown(app));
  HWND main = app.Main();
  ASSERT_TRUE(TrayIconExists(main));
  ASSERT_TRUE(DeleteTrayIcon(main));
  ASSERT_FALSE(TrayIconExists(main));
  ::SendMessageW(main, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitFor([&] { return TrayIconExists(main); }));
  EXPECT_TRUE(Visible(main));
}

}  // namespace
}  // namespace kestrune::e2e
