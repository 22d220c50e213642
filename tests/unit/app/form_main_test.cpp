#include "app/form_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_history_rows.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_processes.h"
#include "settings_page_rig.h"

namespace kestrune {
namespace {

using namespace testing;
using ::testing::ElementsAre;

// The whole form over in-memory controls, files and desktop.
class FormMainTest : public ::testing::Test, protected SettingsPageRig {
 protected:
  FormMainTest() {
    api.AddProcess(1);
    api.AddProcess(5);
    api.AddProcess(6);
    api.AddWindow(0x50, 5, "Other");
    api.AddWindow(0x60, 6, "Second");
    api.foreground = 0x50;
  }
  void Store(const char* section, const char* key, const char* value) { store.Set(section, key, value); }
  // Acceleration and recording on, normal level, the given maximum.
  void StoreAccelerating(const char* recordCount) {
    Store("Normal", "EnableSpeed", "1");
    Store("Speed", "SpeedLevel", "1");
    Store("Record", "EnableRecord", "1");
    Store("Record", "RecordCount", recordCount);
  }

  FakeProcessApi api;
  FakeLabel info, countLabel, home, help;
  FakeTabPages tabs{log};
  FakeMessageBoxes boxes;
  FakeHistoryRows rows;
  FakeClock clock;
  FakeFileDialog dialog;
  FakeFileSystem files;
  BoostCycle boost{api, codePage};
  History history{{rows, clock, boxes, dialog, files, codePage}, std::wstring(kHomePage)};
  FakeTray tray{log};
  WindowHook hook{window, tray};
  FakeHookInstaller installer{log};
  FormMain form{{autoMin, state, enableRecord, speed, count, info, countLabel, home, help, tabs},
                {window, boxes, boost, history, page, settings, hook, installer, tray}};
};

TEST_F(FormMainTest, LoadRunsItsStepsInOrder) {
  StoreAccelerating("50");
  boost.SetState({7, 8, 9});
  form.Load();
  // The settings load first (CheckMostTop, checked by design, is unchecked by the missing AlwaysTop
  // and sets the z-order), then the stored AlwaysTop is applied again. The tray's callback is let
  // through before the icon exists, "TaskbarCreated" once it is registered.
  EXPECT_THAT(log, ElementsAre("tab-images", "tab-active", "notopmost", "notopmost", "hook+", "allow 2025", "tray+",
                               "register", "allow 49443"));
  EXPECT_THAT(tabs.captions, ElementsAre(L" 状態 ", L" ソフト設定 ", L" 加速記録 ", L" について "));
  EXPECT_EQ(tabs.active, 3);
  EXPECT_EQ(tabs.height, 25);
  EXPECT_EQ(speed.Text(), L"普通加速");
  // The boost state was cleared and the first tick ran at once, with the loaded level: the first
  // switch counts 1 and raised the window's owner to the high class.
  EXPECT_EQ(boost.State().switchCount, 1);
  EXPECT_EQ(api.ClassOf(5), priority::kHigh);
  EXPECT_EQ(countLabel.Caption(), L"1");
  EXPECT_FALSE(home.Hot());
  EXPECT_FALSE(help.Hot());
}

TEST_F(FormMainTest, LoadAppliesAlwaysOnTopAndStartMinimised) {
  Store("Normal", "AlwaysTop", "1");
  Store("Normal", "AutoMin", "1");
  form.Load();
  EXPECT_THAT(log, ElementsAre("tab-images", "tab-active", "topmost", "hook+", "allow 2025", "tray+", "minimize",
                               "register", "allow 49443"));
}

TEST_F(FormMainTest, TheTimerShowsAndRecordsWhatTheTickAsks) {
  StoreAccelerating("100");
  clock.time = L"9:05:07";
  form.Load();  // the first switch, to "Other"
  EXPECT_EQ(info.Caption(), L"Other");
  EXPECT_EQ(info.tooltip, L"Other");
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.rows[0], (std::vector<std::wstring>{L"1 ", L"9:05:07", L"Other", L"普通加速"}));

  api.foreground = 0x60;
  form.OnTimerMain();
  EXPECT_EQ(info.Caption(), L"Second");
  EXPECT_EQ(countLabel.Caption(), L"2");
  EXPECT_EQ(rows.RowCount(), 2);

  // Recording off: counted, not recorded.
  enableRecord.SetChecked(false);
  api.foreground = 0x50;
  form.OnTimerMain();
  EXPECT_EQ(countLabel.Caption(), L"3");
  EXPECT_EQ(rows.RowCount(), 2);

  // The maximum is read from its combo at every append: without a selection it is 0, so the list
  // that holds more than that is cleared before the row is added.
  enableRecord.SetChecked(true);
  count.SetSelectedIndex(-1);
  api.foreground = 0x60;
  form.OnTimerMain();
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.rows[0][0], L"1 ");

  // The same window, then acceleration off: nothing shown, counted or recorded.
  const int captions = info.captionSets + countLabel.captionSets;
  form.OnTimerMain();
  state.SetChecked(false);
  api.foreground = 0x50;
  form.OnTimerMain();
  EXPECT_EQ(info.captionSets + countLabel.captionSets, captions);
  EXPECT_EQ(rows.RowCount(), 1);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FormMainTest, UnloadAsksAndNoKeepsEverything) {
  form.Load();
  log.clear();
  boxes.answer = 7;  // IDNO
  EXPECT_FALSE(form.QueryUnload());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"終了しますか？");
  EXPECT_EQ(boxes.shown[0].title, L"確認してください。");
  EXPECT_EQ(boxes.shown[0].flags, 0x24u);
  EXPECT_TRUE(log.empty());

  boxes.answer = mb::kIdYes;
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_THAT(log, ElementsAre("tray-", "hook-"));
}

TEST_F(FormMainTest, LoggingOffEndsWithoutAsking) {
  form.Load();
  hook.Handle({msg::kQueryEndSession, 0, 0}, [](const WindowMessage&) { return std::intptr_t{1}; });
  log.clear();
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_THAT(log, ElementsAre("tray-", "hook-"));
}

TEST_F(FormMainTest, ButtonsMenuAndLinks) {
  form.OnCommandMiniClick();
  form.OnCommandExitClick();
  form.OnBackgroundMouseDown();
  EXPECT_THAT(log, ElementsAre("minimize", "close", "drag"));

  log.clear();
  form.OnMenuMainScreen();  // visible: nothing
  window.visible = false;
  form.OnMenuMainScreen();
  EXPECT_THAT(log, ElementsAre("show", "restore"));

  log.clear();
  window.visible = false;
  form.OnMenuExit();
  EXPECT_THAT(log, ElementsAre("show", "close"));

  form.OnMenuUpdate();
  EXPECT_EQ(window.lastUrl, kHomePage);

  home.SetHot(false);
  help.SetHot(false);
  form.OnLinkMouseMove(home);
  EXPECT_TRUE(home.Hot());
  EXPECT_FALSE(help.Hot());
  form.OnBackgroundMouseMove();
  form.OnBackgroundMouseMove();
  EXPECT_FALSE(home.Hot());
}

TEST(SingleInstanceGuard, SecondCopyShowsTheNoticeAndStops) {
  FakeMessageBoxes boxes;
  EXPECT_TRUE(PassSingleInstanceGuard(false, boxes));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(PassSingleInstanceGuard(true, boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Kestruneは実行中です。");
  EXPECT_EQ(boxes.shown[0].title, L"Kestrune");
  EXPECT_EQ(boxes.shown[0].flags, 0x30u);
}

}  // namespace
}  // namespace kestrune
