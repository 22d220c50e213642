#include "app/form_main.h"

#include <cstdio>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "fakes/fake_clock.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_history_rows.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_process_snapshot.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_rule_table.h"
#include "fakes/fake_state_file.h"
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
    api.AddWindow(0x50, 5, L"Other");
    api.AddWindow(0x60, 6, L"Second");
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
  FakeHistoryRows rows;
  FakeClock clock;
  FakeFileDialog dialog;
  FakeFileSystem files;
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  BoostCycle boost{api, codePage, changes};
  History history{{rows, clock, boxes, dialog, files, codePage}, std::wstring(kHomePage)};
  FakeTray tray{log};
  WindowHook hook{window, tray};
  FakeHookInstaller installer{log};
  FormMain form{{info, countLabel, home, help, tabs},
                {window, boxes, boost, history, page, settings, hook, installer, tray}};
};

TEST_F(FormMainTest, LoadRunsItsStepsInOrder) {
  StoreAccelerating("50");
  boost.SetState({7, 8, 9});
  form.Load();
  // The settings load first (CheckAlwaysTop, checked by design, is unchecked by the missing AlwaysTop
  // and sets the z-order), then the stored AlwaysTop is applied again. The tray's callback is let
  // through before the icon exists, "TaskbarCreated" once it is registered.
  EXPECT_THAT(log, ElementsAre("tab-images", "tab-active", "notopmost", "notopmost", "hook+", "allow 2025", "tray+",
                               "register", "allow 49443"));
  EXPECT_THAT(tabs.captions, ElementsAre(L" 状態 ", L" ソフト設定 ", L" 加速記録 ", L" について ", L" 詳細設定 "));
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
  form.BoostAndRestrain();
  EXPECT_EQ(info.Caption(), L"Second");
  EXPECT_EQ(countLabel.Caption(), L"2");
  EXPECT_EQ(rows.RowCount(), 2);

  // Recording off: counted, not recorded.
  recording.SetChecked(false);
  api.foreground = 0x50;
  form.BoostAndRestrain();
  EXPECT_EQ(countLabel.Caption(), L"3");
  EXPECT_EQ(rows.RowCount(), 2);

  // The maximum is read from its combo at every append: without a selection it is 0, so the list
  // that holds more than that is cleared before the row is added.
  recording.SetChecked(true);
  count.SetSelectedIndex(-1);
  api.foreground = 0x60;
  form.BoostAndRestrain();
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.rows[0][0], L"1 ");

  // The same window, then acceleration off: nothing shown, counted or recorded.
  const int captions = info.captionSets + countLabel.captionSets;
  form.BoostAndRestrain();
  acceleration.SetChecked(false);
  api.foreground = 0x50;
  form.BoostAndRestrain();
  EXPECT_EQ(info.captionSets + countLabel.captionSets, captions);
  EXPECT_EQ(rows.RowCount(), 1);
  EXPECT_TRUE(boxes.shown.empty());
}

// Where the system answers real-time with high, the row names the level obtained, and the user is
// told once per run why.
TEST_F(FormMainTest, ARefusedRealtimeIsRecordedAsObtainedAndToldOnce) {
  StoreAccelerating("100");
  Store("Speed", "SpeedLevel", "2");
  api.realtimeGivesHigh = true;
  form.Load();
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(api.ClassOf(5), priority::kHigh);
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.rows[0][3], L"普通加速");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"「極限加速」にはKestruneを管理者として実行する必要があります。普通加速で加速しました。");
  EXPECT_EQ(boxes.shown[0].title, L"Kestrune");
  EXPECT_EQ(boxes.shown[0].flags, 0x30u);

  api.foreground = 0x60;
  form.BoostAndRestrain();
  EXPECT_EQ(rows.rows[1][3], L"普通加速");
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// A process an ended run left raised is given back before the first tick raises anything.
TEST_F(FormMainTest, LoadGivesBackWhatAnEndedRunLeftRaised) {
  StoreAccelerating("100");
  api.processes[6].priorityClass = priority::kRealtime;
  journal.bytes = FormatJournal({{6, 1, priority::kNormal, priority::kRealtime}});
  form.Load();
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);
  EXPECT_EQ(ParseJournal(journal.bytes), (std::vector<ChangeEntry>{{5, 1, priority::kNormal, priority::kHigh}}));
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

// The form with its advanced page: the four settings at start-up, the list's editing, giving back
// when acceleration stops, and the quick reaction's look.
class AdvancedFormTest : public FormMainTest {
 protected:
  AdvancedFormTest() {
    api.processes[5].path = L"C:\\Apps\\Other.exe";
    api.processes[6].path = L"C:\\Apps\\second.exe";
    form.AttachAdvanced(advanced);
  }
  struct FakeFlagBoxes : FlagBoxes {
    CheckBox& Of(Setting flag) override { return boxes[flag]; }
    std::map<Setting, FakeCheckBox> boxes;
  } flags;
  FakeCheckBox& restoreOriginal = flags.boxes[Setting::RestoreOriginal];
  FakeCheckBox& restoreOnStop = flags.boxes[Setting::RestoreOnStop];
  FakeCheckBox& instant = flags.boxes[Setting::InstantReaction];
  FakeCheckBox& restrain = flags.boxes[Setting::RestrainBackground];
  FakeRuleTable list;
  FakeComboBox front, behind;
  FakeTextBox name;
  FakeForegroundWatch watch;
  AdvancedPage advanced{{flags, list, front, behind, name},
                        {settings, boost, api, watch, boxes}};
};

TEST_F(AdvancedFormTest, AFileWithoutTheSectionGainsItsDefaultsAndNothingElseChanges) {
  StoreAccelerating("50");
  form.Load();
  EXPECT_EQ(store.Get("Advanced", "RestoreOriginal"), "0");
  EXPECT_EQ(store.Get("Advanced", "RestoreOnStop"), "0");
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "");
  EXPECT_TRUE(store.Get("Advanced", "Exclude").has_value());
  EXPECT_EQ(store.Get("Advanced", "InstantReaction"), "0");
  EXPECT_FALSE(restoreOriginal.Checked() || restoreOnStop.Checked() || instant.Checked());
  EXPECT_EQ(watch.starts, 0);
  EXPECT_EQ(api.ClassOf(5), priority::kHigh);  // the first tick as before
}

TEST_F(AdvancedFormTest, StoredValuesAreLoadedAndWrittenBackInNormalForm) {
  Store("Advanced", "RestoreOriginal", "1");
  Store("Advanced", "RestoreOnStop", " 1 ");
  Store("Advanced", "InstantReaction", "1.0");
  Store("Advanced", "Exclude", " b.exe | C:\\x\\A.exe || b.EXE ");
  form.Load();
  EXPECT_TRUE(restoreOriginal.Checked() && restoreOnStop.Checked() && instant.Checked());
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"b.exe", L"A.exe"}));
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "b.exe|A.exe");
  EXPECT_EQ(store.Get("Advanced", "InstantReaction"), "1");
  EXPECT_EQ(watch.hooks + watch.timers, 2);
  // Ending releases what the start acquired, exactly once.
  boxes.answer = mb::kIdYes;
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_EQ(watch.hooks + watch.timers + watch.badStops, 0);
}

TEST_F(AdvancedFormTest, TheListIsEditedAndStoredAtOnce) {
  StoreAccelerating("50");
  form.Load();  // "Other" (process 5) comes to the front
  name.text = L"  D:\\Games\\game.exe ";
  advanced.OnAddClick();
  EXPECT_EQ(name.text, L"");
  name.text = L"GAME.EXE";  // already listed: refused, the text stays for correcting
  advanced.OnAddClick();
  name.text = L"bad?.exe";
  advanced.OnAddClick();
  EXPECT_EQ(name.text, L"bad?.exe");
  api.processes[5].path = L"C:\\x\\Stranger.exe";  // "Other" ended and its id went to another program
  advanced.OnAddLastFrontClick();
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"game.exe", L"Other.exe"}));
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "game.exe|Other.exe");

  list.SetSelectedIndex(0);
  advanced.OnRemoveClick();
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"Other.exe"}));
  EXPECT_EQ(list.selected, 0);
  advanced.OnRemoveClick();
  list.SetSelectedIndex(-1);
  advanced.OnRemoveClick();  // nothing selected: nothing to remove
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "");
}

// A stored list longer than its read buffer: it shows without the name the buffer cut and is not
// written back. At its limit an addition is refused with a message, and room made by removing a
// name takes one again.
TEST_F(AdvancedFormTest, TheListIsNeverCut) {
  std::string stored;  // 820 names of 9 bytes: 8199 bytes, of which 8191 are read
  std::vector<std::wstring> shown;
  for (int i = 1; i <= 820; ++i) {
    char n[16];
    std::snprintf(n, sizeof n, "n%04d.exe", i);
    stored += (i > 1 ? "|" : "") + std::string(n);
    if (i < 820) shown.push_back(codePage.ToWide(n));
  }
  Store("Advanced", "Exclude", stored.c_str());
  form.Load();
  EXPECT_EQ(list.items, shown);
  EXPECT_EQ(store.Get("Advanced", "Exclude"), stored);

  name.text = L"x.exe";
  advanced.OnAddClick();
  EXPECT_EQ(list.items, shown);
  EXPECT_EQ(name.text, L"x.exe");
  EXPECT_EQ(store.Get("Advanced", "Exclude"), stored);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, UiText(TextId::ExcludeListFull));

  list.SetSelectedIndex(0);
  advanced.OnRemoveClick();
  advanced.OnAddClick();
  EXPECT_EQ(list.items.back(), L"x.exe");
  EXPECT_EQ(list.items.size(), 819u);
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// RestoreOnStop by the three ways acceleration stops; without it the raised process keeps its class.
TEST_F(AdvancedFormTest, StoppingGivesBackTheRaisedProcessOnlyWithRestoreOnStop) {
  for (const bool onStop : {false, true}) {
    for (int way = 0; way < 3; ++way) {
      store.Set("Advanced", "RestoreOnStop", onStop ? "1" : "0");
      StoreAccelerating("50");
      api.processes[5].priorityClass = priority::kNormal;
      hook.ClearShutdownFlag();
      form.Load();
      ASSERT_EQ(api.ClassOf(5), priority::kHigh);
      if (way == 0) {
        acceleration.SetChecked(false);
        form.OnCheckAccelerationClick();
        EXPECT_EQ(store.Get("Normal", "EnableSpeed"), "0");
      } else if (way == 1) {
        boxes.answer = mb::kIdYes;
        EXPECT_TRUE(form.QueryUnload());
      } else {
        hook.Handle({msg::kQueryEndSession, 0, 0}, [](const WindowMessage&) { return std::intptr_t{1}; });
        EXPECT_TRUE(form.QueryUnload());
      }
      EXPECT_EQ(api.ClassOf(5), onStop ? priority::kNormal : priority::kHigh) << onStop << way;
    }
  }
}

// The quick look acts on a moved foreground exactly as the timer would, and a tick after it finds
// nothing left to do: a switch is acted on once.
TEST_F(AdvancedFormTest, TheQuickLookActsOnceAndOnlyWithAccelerationOn) {
  StoreAccelerating("50");
  form.Load();
  const int sets = api.sets;
  form.OnQuickLook();  // nothing moved
  EXPECT_EQ(api.sets, sets);
  api.foreground = 0x60;
  form.OnQuickLook();
  form.BoostAndRestrain();
  form.OnQuickLook();
  EXPECT_EQ(api.sets - sets, 2);
  EXPECT_EQ(countLabel.Caption(), L"2");
  EXPECT_EQ(rows.RowCount(), 2);

  acceleration.SetChecked(false);
  api.foreground = 0x50;
  const int queries = api.foregroundQueries;
  form.OnQuickLook();
  EXPECT_EQ(api.foregroundQueries, queries);
}

// The hook and the timer are held only while the setting is on and released by what acquired
// them; one the system refuses is never released. A hook that has delivered makes the timer
// needless, and a refused hook can never stop it.
TEST(QuickReactionTest, HoldsTheWatchOnlyWhileNeededAndReleasesWhatItAcquired) {
  constexpr ProcessId kSelf = 7;
  constexpr ProcessId kOther = 9;
  FakeForegroundWatch watch;
  {
    QuickReaction quick(watch);
    quick.Set(true);
    quick.Set(true);
    EXPECT_EQ(watch.hooks, 1);
    EXPECT_EQ(watch.timers, 1);
    quick.Set(false);
    quick.Set(false);
    EXPECT_EQ(watch.hooks + watch.timers, 0);

    quick.Set(true);
    quick.OnHookEvent(kSelf, kSelf);  // the program's own focus change proves nothing
    EXPECT_EQ(watch.timers, 1);
    quick.OnHookEvent(0, kSelf);  // nor does a window whose owner cannot be read
    EXPECT_EQ(watch.timers, 1);
    quick.OnHookEvent(kOther, kSelf);
    EXPECT_EQ(watch.hooks, 1);
    EXPECT_EQ(watch.timers, 0);
    quick.Set(false);
    quick.Set(true);  // the hook has shown that it delivers here: no timer again
    EXPECT_EQ(watch.timers, 0);
    quick.Set(false);
  }
  EXPECT_EQ(watch.hooks + watch.timers + watch.badStops, 0);

  FakeForegroundWatch refusing;
  refusing.refuseHook = true;
  {
    QuickReaction quick(refusing);
    quick.Set(true);
    quick.OnHookEvent(kOther, kSelf);
    EXPECT_EQ(refusing.timers, 1);
  }
  EXPECT_EQ(refusing.hooks + refusing.timers + refusing.badStops, 0);

  // A system known to deliver the notification never gets the timer, unless its hook was refused.
  FakeForegroundWatch delivering;
  delivering.delivers = true;
  {
    QuickReaction quick(delivering);
    quick.Set(true);
    EXPECT_EQ(delivering.hooks, 1);
    EXPECT_EQ(delivering.timers, 0);
    quick.Set(false);
    delivering.refuseHook = true;
    quick.Set(true);
    EXPECT_EQ(delivering.timers, 1);
  }
  EXPECT_EQ(delivering.hooks + delivering.timers + delivering.badStops, 0);
}

// The background restraint through the form: readings once a second while acceleration and its own
// setting are on, its rows in the history, its line on the state page, and everything given back
// by each way it ends.
class RestraintFormTest : public AdvancedFormTest {
 protected:
  RestraintFormTest() {
    api.processes[6].path = L"C:\\b\\build.exe";
    snapshot.cores[6] = 1.0;
    form.AttachRestraint(status);
    StoreAccelerating("50");
    Store("Advanced", "RestrainBackground", "1");
    form.Load();  // "Other" (5) in front, "build" (6) spins behind it
    for (int i = 0; i < 7; ++i) form.BoostAndRestrain();
  }
  FakeProcessSnapshot snapshot{api};
  BackgroundRestraint restraint{{snapshot, api, changes, clock}};
  FakeLabel restrained, keptLow;
  RestraintStatus status{restraint, restrained, keptLow, history};
};

TEST_F(RestraintFormTest, ShowsAndRecordsTheRestrainedProgram) {
  EXPECT_TRUE(restrain.Checked());
  EXPECT_EQ(api.ClassOf(6), priority::kBelowNormal);
  EXPECT_EQ(restrained.Caption(), L"build.exe (9:05:07から)");
  ASSERT_EQ(rows.RowCount(), 2);
  EXPECT_EQ(rows.Cell(1, 2), L"抑制開始: build.exe");
  EXPECT_EQ(rows.Cell(1, 3), L"抑制");
  // In front it is let go at once, before the switch raises it.
  api.foreground = 0x60;
  form.BoostAndRestrain();
  EXPECT_EQ(api.ClassOf(6), priority::kHigh);
  EXPECT_EQ(restrained.Caption(), L"なし");
  EXPECT_EQ(rows.Cell(2, 2), L"抑制解除: build.exe");
}

TEST_F(RestraintFormTest, EachWayItEndsGivesBackAtOnce) {
  restrain.SetChecked(false);
  form.OnCheckRestrainBackgroundClick();
  EXPECT_EQ(store.Get("Advanced", "RestrainBackground"), "0");
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);

  restrain.SetChecked(true);
  form.OnCheckRestrainBackgroundClick();
  for (int i = 0; i < 7; ++i) form.BoostAndRestrain();
  ASSERT_EQ(api.ClassOf(6), priority::kBelowNormal);
  acceleration.SetChecked(false);
  form.OnCheckAccelerationClick();
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);

  acceleration.SetChecked(true);
  form.OnCheckAccelerationClick();
  for (int i = 0; i < 7; ++i) form.BoostAndRestrain();
  ASSERT_EQ(api.ClassOf(6), priority::kBelowNormal);
  boxes.answer = mb::kIdYes;
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);
  for (const ChangeEntry& entry : ParseJournal(journal.bytes)) EXPECT_NE(entry.process, 6u);
}

// Restraint switched off for a minute while nothing was held, in which the build worked; back on, the
// build is idle: the readings start afresh rather than span the pause, and it is not lowered.
TEST_F(RestraintFormTest, AfterAPauseTheReadingsStartAfresh) {
  snapshot.cores[6] = 0.0;
  snapshot.cores[5] = 1.0;  // the program in front keeps the machine busy
  for (int i = 0; i < 10; ++i) form.BoostAndRestrain();
  ASSERT_EQ(api.ClassOf(6), priority::kNormal);
  restrain.SetChecked(false);
  form.OnCheckRestrainBackgroundClick();
  snapshot.cores[6] = 1.0;
  snapshot.Pass(60);
  snapshot.cores[6] = 0.0;
  restrain.SetChecked(true);
  form.OnCheckRestrainBackgroundClick();
  for (int i = 0; i < 7; ++i) form.BoostAndRestrain();
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);
  EXPECT_EQ(restrained.Caption(), L"なし");
}

// A rule written by hand keeps its program low through the form, the restraint off; removed from the
// exclusion list in the window, the program keeps its line, now "auto,low", and is raised in front.
// The rule list: a row's choices shown in the boxes when selected, changed there and stored at once
// (its line, and Exclude for a program left alone in front); the state page and the history show
// what a rule keeps low; a removed row's program is given back at the next tick.
TEST_F(RestraintFormTest, RulesAreEditedInTheListStoredAtOnceShownAndRecorded) {
  restrain.SetChecked(false);
  form.OnCheckRestrainBackgroundClick();
  Store("Advanced", "Exclude", "build.exe");
  Store("Rules", "build.exe", "off,low");
  const int rowsBefore = rows.RowCount();
  form.Load();
  EXPECT_EQ(api.ClassOf(6), priority::kBelowNormal);
  EXPECT_EQ(keptLow.Caption(), L"build.exe (9:05:07から)");
  EXPECT_EQ(rows.Cell(rows.RowCount() - 1, 2), L"規則: build.exe");
  EXPECT_EQ(rows.Cell(rows.RowCount() - 1, 3), L"常に低く");
  EXPECT_GT(rows.RowCount(), rowsBefore);
  ASSERT_EQ(list.rows.size(), 1u);
  EXPECT_EQ(list.rows[0], (std::array<std::wstring, 3>{L"build.exe", L"加速しない", L"常に低く"}));
  EXPECT_EQ(front.ItemCount(), 4);
  EXPECT_EQ(behind.ItemCount(), 3);

  list.SetSelectedIndex(0);
  advanced.OnRuleSelected();
  EXPECT_EQ(front.Text(), L"加速しない");
  EXPECT_EQ(behind.Text(), L"常に低く");
  ASSERT_TRUE(front.Select(L"極限加速"));
  advanced.OnComboFrontClick();
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "");
  EXPECT_EQ(store.Get("Rules", "build.exe"), "realtime,low");
  EXPECT_EQ(list.rows[0][1], L"極限加速");
  EXPECT_EQ(list.selected, 0);

  // Typed names are left alone in front, as the exclusion list of old added them; a second row for
  // the same program is refused.
  name.text = L"C:\\x\\Backup.EXE";
  advanced.OnAddClick();
  name.text = L"backup.exe";
  advanced.OnAddClick();
  EXPECT_EQ(name.text, L"backup.exe");
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"build.exe", L"Backup.EXE"}));
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "Backup.EXE");
  EXPECT_FALSE(store.Get("Rules", "Backup.EXE").has_value());
  ASSERT_TRUE(behind.Select(L"抑えない"));
  advanced.OnComboBehindClick();
  EXPECT_EQ(store.Get("Rules", "Backup.EXE"), "off,free");

  list.SetSelectedIndex(0);
  advanced.OnRemoveClick();
  EXPECT_FALSE(store.Get("Rules", "build.exe").has_value());
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"Backup.EXE"}));
  form.BoostAndRestrain();
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);
  EXPECT_EQ(keptLow.Caption(), L"なし");
  EXPECT_EQ(rows.Cell(rows.RowCount() - 1, 2), L"規則解除: build.exe");
}

}  // namespace
}  // namespace kestrune
