// The main window from the keyboard alone, with real key input: Tab and Shift+Tab through each
// page, Ctrl+Tab between pages, the keys of the controls reached, and the focus marks.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <string>
#include <vector>

#include "app_fixture.h"
// After the fixture, which brings in <windows.h>.
#include <commctrl.h>
#include <oleacc.h>

namespace kestrune::e2e {
namespace {

// The tab order of every page: the strip first, then the page's controls in reading order, then
// the two buttons. Each page is listed in the order Ctrl+Tab reaches it from the first shown.
struct PageOrder {
  int page;
  std::vector<int> ids;
};
// The advanced page: the strip, its column of check boxes in the order of the settings table, then
// the rule list's controls.
std::vector<int> AdvancedOrder() {
  std::vector<int> order{ids::kTabStripMain};
  for (const SettingRow& row : kSettingRows)
    if (row.kind == SettingKind::Flag && row.page == kAdvancedPage) order.push_back(row.control);
  for (int id : {ids::kListRules, ids::kCommandAddLastFront, ids::kEditRuleName, ids::kCommandAddRule, ids::kComboRuleFront,
                 ids::kCommandRemoveRule, ids::kComboRuleBehind, ids::kComboLanguage, ids::kCommandMini, ids::kCommandExit})
    order.push_back(id);
  return order;
}

const PageOrder kOrders[] = {
    {3, {ids::kTabStripMain, ids::kCommandMini, ids::kCommandExit}},
    {4, AdvancedOrder()},
    {0, {ids::kTabStripMain, ids::kCommandMini, ids::kCommandExit}},
    {1,
     {ids::kTabStripMain, ids::kCheckAutoRun, ids::kCheckAutoMin, ids::kCheckAlwaysTop, ids::kCheckAcceleration,
      ids::kComboSpeed, ids::kCheckRecording, ids::kComboRecordCount, ids::kCommandMini, ids::kCommandExit}},
    {2, {ids::kTabStripMain, ids::kToolbarSpeedMain, ids::kListViewHistory, ids::kCommandMini, ids::kCommandExit}},
};

// A key as the user types it, with Shift, Ctrl or Alt held: real input to the window in front.
bool Type(WORD key, std::vector<WORD> held = {}) {
  std::vector<INPUT> keys;
  const auto add = [&](WORD code, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    keys.push_back(input);
  };
  for (WORD h : held) add(h, false);
  add(key, false);
  add(key, true);
  for (auto h = held.rbegin(); h != held.rend(); ++h) add(*h, true);
  return ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
}

// Ctrl+Tab (Ctrl+Shift+Tab backwards) and the page it must show.
bool CtrlTabTo(RunningApp& app, int page, bool backwards = false) {
  std::vector<WORD> held{VK_CONTROL};
  if (backwards) held.push_back(VK_SHIFT);
  return Type(VK_TAB, held) && WaitFor([&] { return app.ActivePage() == page; });
}

HWND Focus(const RunningApp& app) { return ThreadState(app.Main()).hwndFocus; }

bool FocusOn(const RunningApp& app, int id) {
  return WaitFor([&] { return Focus(app) == app.Control(id); });
}

// Wholly inside the main window's client area, where the user sees it.
bool InsideWindow(const RunningApp& app, int id) {
  RECT rect{}, client{};
  ::GetWindowRect(app.Control(id), &rect);
  ::GetClientRect(app.Main(), &client);
  ::MapWindowPoints(app.Main(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  return Visible(app.Control(id)) && rect.left >= client.left && rect.top >= client.top &&
         rect.right <= client.right && rect.bottom <= client.bottom;
}

// The window's UI state and the strip's, which the window hands its changes on to.
bool MarksHidden(const RunningApp& app, bool hidden) {
  for (HWND window : {app.Main(), app.Control(ids::kTabStripMain)})
    if (((::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0) != hidden) return false;
  return true;
}

// Windows hides focus marks until the keyboard is used unless the user asked to see keyboard cues at
// all times, which is Wine's default: the test runs with the Windows default and puts Wine's back.
class KeyboardCuesOnDemand {
 public:
  KeyboardCuesOnDemand() {
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &before_, 0);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, nullptr, 0);
  }
  ~KeyboardCuesOnDemand() {
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(before_)), 0);
  }
  KeyboardCuesOnDemand(const KeyboardCuesOnDemand&) = delete;
  KeyboardCuesOnDemand& operator=(const KeyboardCuesOnDemand&) = delete;

 private:
  BOOL before_ = TRUE;
};

// A real click on the strip's page area, clear of every page's controls. The press starts the
// window's drag loop and the release ends it; the strip has the focus then. Each click lands beside
// the last one, farther off than the double-click rectangle: a second press on the same spot within
// the double-click time is a double-click, which starts no drag.
bool ClickStrip(RunningApp& app) {
  static bool besideTheLast = false;
  besideTheLast = !besideTheLast;
  const HWND strip = app.Control(ids::kTabStripMain);
  RECT client{};
  ::GetClientRect(strip, &client);
  POINT at{client.right - 5 - (besideTheLast ? 0 : 4 * ::GetSystemMetrics(SM_CXDOUBLECLK)), client.bottom - 5};
  ::ClientToScreen(strip, &at);
  const auto inMoveLoop = [&] { return (ThreadState(app.Main()).flags & GUI_INMOVESIZE) != 0; };
  if (!MovePointerTo(at) || !PressLeftButton(true) || !WaitFor(inMoveLoop)) return false;
  return PressLeftButton(false) && WaitFor([&] { return !inMoveLoop(); }) && FocusOn(app, ids::kTabStripMain);
}

bool StartInFront(RunningApp& app) {
  return app.Start() && WaitFor([&] { return Visible(app.Main()); }) && BringToFront(app.Main()) && ClickStrip(app);
}

TEST(Keyboard, TabAndShiftTabFollowEachPagesOrderAndCtrlTabMovesToTheNextPage) {
  RunningApp app;
  ASSERT_TRUE(StartInFront(app));
  std::set<int> reached;
  for (std::size_t p = 0; p < std::size(kOrders); ++p) {
    const PageOrder& order = kOrders[p];
    ASSERT_EQ(app.ActivePage(), order.page);
    ASSERT_EQ(Focus(app), app.Control(ids::kTabStripMain)) << "page " << order.page;
    // Tab all the way round to the strip again, then Shift+Tab all the way back.
    for (std::size_t i = 1; i <= order.ids.size(); ++i) {
      const int id = order.ids[i % order.ids.size()];
      ASSERT_TRUE(Type(VK_TAB));
      ASSERT_TRUE(FocusOn(app, id)) << "Tab " << i << " on page " << order.page << " should reach " << id;
      EXPECT_TRUE(InsideWindow(app, id)) << id;
      reached.insert(id);
    }
    for (std::size_t i = order.ids.size(); i-- > 0;) {
      ASSERT_TRUE(Type(VK_TAB, {VK_SHIFT}));
      ASSERT_TRUE(FocusOn(app, order.ids[i])) << "Shift+Tab on page " << order.page << " should reach " << order.ids[i];
    }
    ASSERT_TRUE(CtrlTabTo(app, kOrders[(p + 1) % std::size(kOrders)].page)) << "Ctrl+Tab from page " << order.page;
  }
  EXPECT_GE(reached.size(), 8u);
}

TEST(Keyboard, KeysWorkTheControlsReachedAndAPageSwitchLeavesNoFocusOutOfSight) {
  RunningApp app;
  ASSERT_TRUE(StartInFront(app));
  ASSERT_TRUE(CtrlTabTo(app, 4));
  ASSERT_TRUE(CtrlTabTo(app, 0));
  ASSERT_TRUE(CtrlTabTo(app, 1));
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(Type(VK_TAB));
  ASSERT_TRUE(FocusOn(app, ids::kCheckAcceleration));
  app.Screenshot(L"keyboard_check_state_focused");

  // Space ticks "加速を使用する", which stores the setting at once.
  ASSERT_FALSE(Checked(app.Control(ids::kCheckAcceleration)));
  ASSERT_TRUE(Type(VK_SPACE));
  EXPECT_TRUE(WaitFor([&] { return Checked(app.Control(ids::kCheckAcceleration)); }));
  EXPECT_TRUE(WaitFor([&] { return IniValue(app.IniBytes(), "Normal", "EnableSpeed") == "1"; }))
      << app.IniBytes();

  // In the pick-only list the arrow keys choose, and Alt+Down opens the list.
  ASSERT_TRUE(Type(VK_TAB));
  ASSERT_TRUE(FocusOn(app, ids::kComboSpeed));
  const std::wstring before = app.ControlText(ids::kComboSpeed);
  ASSERT_TRUE(Type(before == L"普通加速" ? VK_DOWN : VK_UP));
  EXPECT_TRUE(WaitFor([&] { return app.ControlText(ids::kComboSpeed) != before; }));
  const HWND combo = app.Control(ids::kComboSpeed);
  ASSERT_TRUE(Type(VK_DOWN, {VK_MENU}));
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }));
  ASSERT_TRUE(Type(VK_ESCAPE));
  EXPECT_TRUE(WaitFor([&] { return ::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; }));

  // Ctrl+Shift+Tab from the list goes back a page; the list is parked then, so the strip takes the focus.
  EXPECT_TRUE(CtrlTabTo(app, 0, true));
  EXPECT_TRUE(FocusOn(app, ids::kTabStripMain));

  // On the history page the toolbar shows its first button hot; the right arrow moves on to
  // "記録保存", which Space presses: with no rows it says so.
  ASSERT_TRUE(CtrlTabTo(app, 1));
  ASSERT_TRUE(CtrlTabTo(app, 2));
  ASSERT_TRUE(Type(VK_TAB));
  ASSERT_TRUE(FocusOn(app, ids::kToolbarSpeedMain));
  const HWND toolbar = app.Control(ids::kToolbarSpeedMain);
  EXPECT_EQ(::SendMessageW(toolbar, TB_GETHOTITEM, 0, 0), 0);
  ASSERT_TRUE(Type(VK_RIGHT));
  ASSERT_TRUE(WaitFor([&] { return ::SendMessageW(toolbar, TB_GETHOTITEM, 0, 0) == 1; }));
  ASSERT_TRUE(Type(VK_SPACE));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"Kestrune")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"記録がありません。");
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L"Kestrune") == nullptr; }));
  ASSERT_TRUE(CtrlTabTo(app, 3));
  ASSERT_TRUE(CtrlTabTo(app, 4));
  ASSERT_TRUE(CtrlTabTo(app, 0));

  // An own button's arrow keys move on in the window's order: past "終了" comes the strip, not a
  // control parked on another page.
  ASSERT_TRUE(Type(VK_TAB));
  ASSERT_TRUE(FocusOn(app, ids::kCommandMini));
  ASSERT_TRUE(Type(VK_RIGHT));
  ASSERT_TRUE(FocusOn(app, ids::kCommandExit));
  ASSERT_TRUE(Type(VK_DOWN));
  ASSERT_TRUE(FocusOn(app, ids::kTabStripMain));
  ASSERT_TRUE(Type(VK_TAB, {VK_SHIFT}));
  ASSERT_TRUE(FocusOn(app, ids::kCommandExit));
  ASSERT_TRUE(Type(VK_UP));
  ASSERT_TRUE(FocusOn(app, ids::kCommandMini));

  // Enter presses the focused own button: "隠す" hides the window to the tray.
  ASSERT_TRUE(Type(VK_RETURN));
  EXPECT_TRUE(WaitFor([&] { return !Visible(app.Main()); }));
}

// Tab typed right behind Ctrl+Tab, in one go: it is already queued while the strip moves the
// controls, and must still move the focus on from the strip once the new page shows.
TEST(Keyboard, ATabTypedDuringAPageSwitchIsNotLost) {
  RunningApp app;
  ASSERT_TRUE(StartInFront(app));
  ASSERT_TRUE(CtrlTabTo(app, 4));
  ASSERT_TRUE(Type(VK_TAB));
  ASSERT_TRUE(FocusOn(app, ids::kCheckRestoreOriginal));
  std::vector<INPUT> keys;
  for (const auto& [key, up] : {std::pair{VK_CONTROL, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_CONTROL, true},
                                {VK_TAB, false}, {VK_TAB, true}}) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    keys.push_back(input);
  }
  ASSERT_EQ(::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
  ASSERT_TRUE(WaitFor([&] { return app.ActivePage() == 0; }));
  EXPECT_TRUE(FocusOn(app, ids::kCommandMini)) << "focus on " << ::GetDlgCtrlID(Focus(app));
}

// A page switch made while the window is inactive (a reader's default action on a tab) parks the
// control that had the focus: activation gives the focus to the strip, not back to that control.
TEST(Keyboard, ActivationAfterASwitchMadeInTheBackgroundFocusesNoParkedControl) {
  RunningApp app;
  ASSERT_TRUE(StartInFront(app));
  ASSERT_TRUE(CtrlTabTo(app, 4));
  ASSERT_TRUE(Type(VK_TAB));
  ASSERT_TRUE(FocusOn(app, ids::kCheckRestoreOriginal));
  HelperApp other(L"Helper A");
  ASSERT_TRUE(other.BringToFront());
  ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
  IAccessible* strip = nullptr;
  ASSERT_EQ(::AccessibleObjectFromWindow(app.Control(ids::kTabStripMain), static_cast<DWORD>(OBJID_CLIENT),
                                         kIidAccessible, reinterpret_cast<void**>(&strip)),
            S_OK);
  VARIANT first{};
  first.vt = VT_I4;
  first.lVal = 1;
  EXPECT_EQ(strip->accDoDefaultAction(first), S_OK);
  strip->Release();
  ::CoUninitialize();
  ASSERT_TRUE(WaitFor([&] { return app.ActivePage() == 0; }));
  ASSERT_TRUE(BringToFront(app.Main()));
  EXPECT_TRUE(FocusOn(app, ids::kTabStripMain)) << "focus on " << ::GetDlgCtrlID(Focus(app));
}

TEST(Keyboard, FocusMarksShowAfterKeysAndHideAfterAClick) {
  KeyboardCuesOnDemand cues;
  RunningApp app;
  ASSERT_TRUE(StartInFront(app));
  EXPECT_TRUE(WaitFor([&] { return MarksHidden(app, true); })) << "hidden after the click";
  app.Screenshot(L"keyboard_marks_hidden_at_start");
  ASSERT_TRUE(Type(VK_TAB, {VK_SHIFT}));
  ASSERT_TRUE(FocusOn(app, ids::kCommandExit));
  EXPECT_TRUE(WaitFor([&] { return MarksHidden(app, false); })) << "shown once a key is used";
  app.Screenshot(L"keyboard_marks_shown_exit");
  ASSERT_TRUE(Type(VK_TAB));
  ASSERT_TRUE(FocusOn(app, ids::kTabStripMain));
  app.Screenshot(L"keyboard_marks_shown_strip");
  ASSERT_TRUE(ClickStrip(app));
  EXPECT_TRUE(WaitFor([&] { return MarksHidden(app, true); })) << "hidden again after a click";
  app.Screenshot(L"keyboard_marks_hidden_strip");
}

}  // namespace
}  // namespace kestrune::e2e
