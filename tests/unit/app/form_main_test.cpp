// The main window's behaviour through the whole program over in-memory controls, files and desktop:
// the start-up and shut-down, the tick, the tray and the session, the buttons and links, the
// advanced page's settings and list, and the background restraint.
#include "app/form_main.h"

#include <cstdio>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "program_rig.h"

namespace kestrune {
namespace {

using namespace testing;
using ::testing::ElementsAre;

class FormMainTest : public ::testing::Test, protected testing::ProgramRig {
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
  void StoreAccelerating(const char* maximum) {
    Store("Normal", "EnableSpeed", "1");
    Store("Speed", "SpeedLevel", "1");
    Store("Record", "EnableRecord", "1");
    Store("Record", "RecordCount", maximum);
  }
  AccelerationCycle& cycle = program.Acceleration();
};

TEST_F(FormMainTest, StartRunsItsStepsInOrder) {
  StoreAccelerating("50");
  cycle.SetState({7, 8, 9});
  program.Start();
  // The settings load first and the window is told once of what they hold (the z-order of the missing
  // AlwaysTop). The tray's notifications are let through before the icon exists, "TaskbarCreated" at
  // the end.
  EXPECT_THAT(log, ElementsAre("tab-images", "tab-active", "notopmost", "accept tray", "tray+", "accept taskbar"));
  EXPECT_THAT(tabs.captions, ElementsAre(L" 状態 ", L" ソフト設定 ", L" 加速記録 ", L" について ", L" 詳細設定 "));
  EXPECT_EQ(tabs.active, 3);
  EXPECT_EQ(tabs.height, 25);
  EXPECT_EQ(speed.Text(), L"普通加速");
  // The acceleration state was cleared and the first tick ran at once, with the loaded level: the
  // first switch counts 1 and raised the window's owner to the high class.
  EXPECT_EQ(cycle.State().switchCount, 1);
  EXPECT_EQ(api.ClassOf(5), priority::kHigh);
  EXPECT_EQ(count.Caption(), L"1");
  EXPECT_FALSE(homePage.Hot());
  EXPECT_FALSE(needHelp.Hot());
}

TEST_F(FormMainTest, StartAppliesAlwaysOnTopAndStartMinimised) {
  Store("Normal", "AlwaysTop", "1");
  Store("Normal", "AutoMin", "1");
  program.Start();
  EXPECT_THAT(log, ElementsAre("tab-images", "tab-active", "topmost", "accept tray", "tray+", "hide", "accept taskbar"));
}

TEST_F(FormMainTest, TheTimerShowsAndRecordsWhatTheTickAsks) {
  StoreAccelerating("100");
  clock.time = L"9:05:07";
  program.Start();  // the first switch, to "Other"
  EXPECT_EQ(info.Caption(), L"Other");
  EXPECT_EQ(info.tooltip, L"Other");
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.rows[0], (std::vector<std::wstring>{L"1 ", L"9:05:07", L"Other", L"普通加速"}));

  api.foreground = 0x60;
  program.OnTick();
  EXPECT_EQ(info.Caption(), L"Second");
  EXPECT_EQ(count.Caption(), L"2");
  EXPECT_EQ(rows.RowCount(), 2);

  // Recording off: counted, not recorded.
  Click(Setting::Recording);
  api.foreground = 0x50;
  program.OnTick();
  EXPECT_EQ(count.Caption(), L"3");
  EXPECT_EQ(rows.RowCount(), 2);

  // The maximum is the setting's at every append: at 50, a list that holds more is cleared before
  // the row is added.
  Click(Setting::Recording);
  Pick(Setting::RecordCount, 0);
  while (rows.RowCount() < 51) program.Records().Append(L"t", SpeedLevel::Normal, 100);
  api.foreground = 0x60;
  program.OnTick();
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.rows[0][0], L"1 ");
  EXPECT_EQ(program.Records().Rows().size(), 1u);

  // The same window, then acceleration off: nothing shown, counted or recorded.
  const int captions = info.captionSets + count.captionSets;
  program.OnTick();
  Click(Setting::Acceleration);
  api.foreground = 0x50;
  program.OnTick();
  EXPECT_EQ(info.captionSets + count.captionSets, captions);
  EXPECT_EQ(rows.RowCount(), 1);
  EXPECT_TRUE(boxes.shown.empty());
}

// Where the system answers real-time with high, the row names the level obtained, and the user is
// told once per run why.
TEST_F(FormMainTest, ARefusedRealtimeIsRecordedAsObtainedAndToldOnce) {
  StoreAccelerating("100");
  Store("Speed", "SpeedLevel", "2");
  api.realtimeGivesHigh = true;
  program.Start();
  EXPECT_EQ(speed.Text(), L"極限加速");
  EXPECT_EQ(api.ClassOf(5), priority::kHigh);
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows.rows[0][3], L"普通加速");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"「極限加速」にはKestruneを管理者として実行する必要があります。普通加速で加速しました。");
  EXPECT_EQ(boxes.shown[0].title, L"Kestrune");
  EXPECT_EQ(boxes.shown[0].flags, 0x30u);

  api.foreground = 0x60;
  program.OnTick();
  EXPECT_EQ(rows.rows[1][3], L"普通加速");
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// A process an ended run left raised is given back before the first tick raises anything.
TEST_F(FormMainTest, StartGivesBackWhatAnEndedRunLeftRaised) {
  StoreAccelerating("100");
  api.processes[6].priorityClass = priority::kRealtime;
  journal.bytes = FormatJournal({{6, 1, priority::kNormal, priority::kRealtime}});
  program.Start();
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);
  EXPECT_EQ(ParseJournal(journal.bytes),
            (std::vector<ChangeEntry>{{5, 1, priority::kNormal, 0, false, priority::kHigh}}));
}

TEST_F(FormMainTest, ClosingAsksAndNoKeepsEverything) {
  program.Start();
  log.clear();
  boxes.answer = 7;  // IDNO
  EXPECT_FALSE(program.OnCloseAsked());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"終了しますか？");
  EXPECT_EQ(boxes.shown[0].title, L"確認してください。");
  EXPECT_EQ(boxes.shown[0].flags, 0x24u);
  EXPECT_TRUE(log.empty());

  boxes.answer = mb::kIdYes;
  EXPECT_TRUE(program.OnCloseAsked());
  EXPECT_THAT(log, ElementsAre("tray-"));
}

TEST_F(FormMainTest, LoggingOffEndsWithoutAsking) {
  program.Start();
  program.OnSessionEnding();
  log.clear();
  EXPECT_TRUE(program.OnCloseAsked());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_THAT(log, ElementsAre("tray-"));
}

TEST_F(FormMainTest, ButtonsMenuAndLinks) {
  program.Run(Command::HideToTray);
  program.Run(Command::AskToExit);
  program.OnBackgroundPressed();
  EXPECT_THAT(log, ElementsAre("hide", "close", "drag"));

  log.clear();
  window.visible = true;
  program.Run(Command::ShowWindow);  // visible: nothing
  window.visible = false;
  program.Run(Command::ShowWindow);
  EXPECT_THAT(log, ElementsAre("show", "restore"));

  log.clear();
  window.visible = false;
  program.Run(Command::ExitFromTray);
  EXPECT_THAT(log, ElementsAre("show", "close"));

  program.Run(Command::OpenHomePage);
  EXPECT_EQ(window.lastUrl, kHomePage);

  homePage.SetHot(false);
  needHelp.SetHot(false);
  program.OnPointerOverLink(homePage);
  EXPECT_TRUE(homePage.Hot());
  EXPECT_FALSE(needHelp.Hot());
  const int styles = homePage.styleSets;
  program.OnBackgroundPointerMoved();
  program.OnBackgroundPointerMoved();
  EXPECT_FALSE(homePage.Hot());
  EXPECT_EQ(homePage.styleSets, styles + 1);
}

// The tray icon, a minimised window and a re-created taskbar. The icon's double-click and its menu
// act only while the window is hidden; the window minimised by the system goes to the tray.
TEST_F(FormMainTest, TrayAndTaskbar) {
  program.OnTrayClicked(TrayClick::DoubleClick);
  program.OnTrayClicked(TrayClick::RightButton);
  EXPECT_TRUE(log.empty());
  program.OnMinimised();
  EXPECT_THAT(log, ElementsAre("hide"));
  log.clear();
  program.OnTrayClicked(TrayClick::RightButton);
  EXPECT_THAT(log, ElementsAre("foreground", "menu"));
  log.clear();
  program.OnTrayClicked(TrayClick::DoubleClick);
  EXPECT_THAT(log, ElementsAre("show", "restore"));
  log.clear();
  program.OnTaskbarCreated();
  EXPECT_THAT(log, ElementsAre("tray+"));
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

// The form with the advanced page's settings: the start-up, the list's editing, giving back when
// acceleration stops, and the quick reaction's look.
class AdvancedFormTest : public FormMainTest {
 protected:
  AdvancedFormTest() {
    api.processes[5].path = L"C:\\Apps\\Other.exe";
    api.processes[6].path = L"C:\\Apps\\second.exe";
  }
  FakeCheckBox& restoreOriginal = Check(Setting::RestoreOriginal);
  FakeCheckBox& restoreOnStop = Check(Setting::RestoreOnStop);
  FakeCheckBox& instant = Check(Setting::InstantReaction);
  FakeCheckBox& restrain = Check(Setting::RestrainBackground);
  FakeRuleTable& list = rules;
  FakeComboBox& front = ruleFront;
  FakeComboBox& behind = ruleBehind;
  FakeTextBox& name = ruleName;
};

TEST_F(AdvancedFormTest, AFileWithoutTheSectionGainsItsDefaultsAndNothingElseChanges) {
  StoreAccelerating("50");
  program.Start();
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
  program.Start();
  EXPECT_TRUE(restoreOriginal.Checked() && restoreOnStop.Checked() && instant.Checked());
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"b.exe", L"A.exe"}));
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "b.exe|A.exe");
  EXPECT_EQ(store.Get("Advanced", "InstantReaction"), "1");
  EXPECT_EQ(watch.hooks + watch.timers, 2);
  // Ending releases what the start acquired, exactly once.
  boxes.answer = mb::kIdYes;
  EXPECT_TRUE(program.OnCloseAsked());
  EXPECT_EQ(watch.hooks + watch.timers + watch.badStops, 0);
}

TEST_F(AdvancedFormTest, TheListIsEditedAndStoredAtOnce) {
  StoreAccelerating("50");
  program.Start();  // "Other" (process 5) comes to the front
  name.text = L"  D:\\Games\\game.exe ";
  program.Run(Command::AddTypedName);
  EXPECT_EQ(name.text, L"");
  name.text = L"GAME.EXE";  // already listed: refused, the text stays for correcting
  program.Run(Command::AddTypedName);
  name.text = L"bad?.exe";
  program.Run(Command::AddTypedName);
  EXPECT_EQ(name.text, L"bad?.exe");
  api.processes[5].path = L"C:\\x\\Stranger.exe";  // "Other" ended and its id went to another program
  program.Run(Command::AddLastFront);
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"game.exe", L"Other.exe"}));
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "game.exe|Other.exe");
  EXPECT_NE(program.Settings().Rules().Find(L"other.exe"), nullptr);  // the tick's rules follow

  SelectRule(0);
  program.Run(Command::RemoveRule);
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"Other.exe"}));
  EXPECT_EQ(list.selected, 0);
  program.Run(Command::RemoveRule);
  SelectRule(-1);
  program.Run(Command::RemoveRule);  // nothing selected: nothing to remove
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "");
  EXPECT_TRUE(program.Settings().Rules().Empty());
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
  program.Start();
  EXPECT_EQ(list.items, shown);
  EXPECT_EQ(store.Get("Advanced", "Exclude"), stored);

  name.text = L"x.exe";
  program.Run(Command::AddTypedName);
  EXPECT_EQ(list.items, shown);
  EXPECT_EQ(name.text, L"x.exe");
  EXPECT_EQ(store.Get("Advanced", "Exclude"), stored);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, UiText(TextId::ExcludeListFull));

  SelectRule(0);
  program.Run(Command::RemoveRule);
  program.Run(Command::AddTypedName);
  EXPECT_EQ(list.items.back(), L"x.exe");
  EXPECT_EQ(list.items.size(), 819u);
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// RestoreOnStop by the three ways acceleration stops; without it the raised process keeps its class.
TEST_F(AdvancedFormTest, StoppingGivesBackTheRaisedProcessOnlyWithRestoreOnStop) {
  for (const bool onStop : {false, true}) {
    for (int way = 0; way < 3; ++way) {
      testing::ProgramRig rig;
      rig.api.AddProcess(5);
      rig.api.AddWindow(0x50, 5, L"Other");
      rig.api.foreground = 0x50;
      rig.store.Set("Advanced", "RestoreOnStop", onStop ? "1" : "0");
      for (const char* key : {"EnableSpeed", "AlwaysTop"}) rig.store.Set("Normal", key, "1");
      rig.store.Set("Speed", "SpeedLevel", "1");
      rig.program.Start();
      ASSERT_EQ(rig.api.ClassOf(5), priority::kHigh);
      if (way == 0) {
        rig.Click(Setting::Acceleration);
        EXPECT_EQ(rig.store.Get("Normal", "EnableSpeed"), "0");
      } else if (way == 1) {
        rig.boxes.answer = mb::kIdYes;
        EXPECT_TRUE(rig.program.OnCloseAsked());
      } else {
        rig.program.OnSessionEnding();
        EXPECT_TRUE(rig.program.OnCloseAsked());
        EXPECT_TRUE(rig.boxes.shown.empty());
      }
      EXPECT_EQ(rig.api.ClassOf(5), onStop ? priority::kNormal : priority::kHigh) << onStop << way;
    }
  }
}

// The quick look acts on a moved foreground exactly as the timer would, and a tick after it finds
// nothing left to do: a switch is acted on once.
TEST_F(AdvancedFormTest, TheQuickLookActsOnceAndOnlyWithAccelerationOn) {
  StoreAccelerating("50");
  program.Start();
  const int sets = api.sets;
  program.OnQuickLook();  // nothing moved
  EXPECT_EQ(api.sets, sets);
  api.foreground = 0x60;
  program.OnQuickLook();
  program.OnTick();
  program.OnQuickLook();
  EXPECT_EQ(api.sets - sets, 2);
  EXPECT_EQ(count.Caption(), L"2");
  EXPECT_EQ(rows.RowCount(), 2);

  Click(Setting::Acceleration);
  api.foreground = 0x50;
  const int queries = api.foregroundQueries;
  program.OnQuickLook();
  EXPECT_EQ(api.foregroundQueries, queries);
}

// The system's notification: another program's window proves that the hook delivers, so the timer
// stops, and the look runs as the timer's would.
TEST_F(AdvancedFormTest, ANotificationAboutAnotherProgramStopsTheTimerAndLooks) {
  StoreAccelerating("50");
  Store("Advanced", "InstantReaction", "1");
  program.Start();
  ASSERT_EQ(watch.timers, 1);
  program.OnForegroundEvent(1);  // this program's own window proves nothing
  EXPECT_EQ(watch.timers, 1);
  api.foreground = 0x60;
  program.OnForegroundEvent(6);
  EXPECT_EQ(watch.timers, 0);
  EXPECT_EQ(count.Caption(), L"2");
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
    StoreAccelerating("50");
    Store("Advanced", "RestrainBackground", "1");
    program.Start();  // "Other" (5) in front, "build" (6) spins behind it
    for (int i = 0; i < 7; ++i) program.OnTick();
  }
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
  program.OnTick();
  EXPECT_EQ(api.ClassOf(6), priority::kHigh);
  EXPECT_EQ(restrained.Caption(), L"なし");
  EXPECT_EQ(rows.Cell(2, 2), L"抑制解除: build.exe");
}

TEST_F(RestraintFormTest, EachWayItEndsGivesBackAtOnce) {
  Click(Setting::RestrainBackground);
  EXPECT_EQ(store.Get("Advanced", "RestrainBackground"), "0");
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);

  Click(Setting::RestrainBackground);
  for (int i = 0; i < 7; ++i) program.OnTick();
  ASSERT_EQ(api.ClassOf(6), priority::kBelowNormal);
  Click(Setting::Acceleration);
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);

  Click(Setting::Acceleration);
  for (int i = 0; i < 7; ++i) program.OnTick();
  ASSERT_EQ(api.ClassOf(6), priority::kBelowNormal);
  boxes.answer = mb::kIdYes;
  EXPECT_TRUE(program.OnCloseAsked());
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);
  for (const ChangeEntry& entry : ParseJournal(journal.bytes)) EXPECT_NE(entry.process, 6u);
}

// Restraint switched off for a minute while nothing was held, in which the build worked; back on, the
// build is idle: the readings start afresh rather than span the pause, and it is not lowered.
TEST_F(RestraintFormTest, AfterAPauseTheReadingsStartAfresh) {
  snapshot.cores[6] = 0.0;
  snapshot.cores[5] = 1.0;  // the program in front keeps the machine busy
  for (int i = 0; i < 10; ++i) program.OnTick();
  ASSERT_EQ(api.ClassOf(6), priority::kNormal);
  Click(Setting::RestrainBackground);
  snapshot.cores[6] = 1.0;
  snapshot.Pass(60);
  snapshot.cores[6] = 0.0;
  Click(Setting::RestrainBackground);
  for (int i = 0; i < 7; ++i) program.OnTick();
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);
  EXPECT_EQ(restrained.Caption(), L"なし");
}

// A rule written by hand keeps its program low, the restraint off: lowered at the first tick, after
// the start-up's give-back of what an earlier run left. The rule list: a row's choices shown in the
// boxes when selected, changed there and stored at once (its line, and Exclude for a program left
// alone in front); the state page and the history show what a rule keeps low; a removed row's
// program is given back at the next tick.
TEST_F(AdvancedFormTest, RulesAreEditedInTheListStoredAtOnceShownAndRecorded) {
  api.processes[6].path = L"C:\\b\\build.exe";
  StoreAccelerating("50");
  Store("Advanced", "Exclude", "build.exe");
  Store("Rules", "build.exe", "off,low");
  program.Start();
  EXPECT_EQ(api.ClassOf(6), priority::kBelowNormal);
  EXPECT_EQ(keptLow.Caption(), L"build.exe (9:05:07から)");
  EXPECT_EQ(rows.Cell(rows.RowCount() - 1, 2), L"規則: build.exe");
  EXPECT_EQ(rows.Cell(rows.RowCount() - 1, 3), L"常に低く");
  ASSERT_EQ(list.rows.size(), 1u);
  EXPECT_EQ(list.rows[0], (std::array<std::wstring, 3>{L"build.exe", L"加速しない", L"常に低く"}));
  EXPECT_EQ(front.ItemCount(), 4);
  EXPECT_EQ(behind.ItemCount(), 3);

  SelectRule(0);
  EXPECT_EQ(front.Text(), L"加速しない");
  EXPECT_EQ(behind.Text(), L"常に低く");
  ASSERT_TRUE(front.Select(L"極限加速"));
  program.Run(Command::ChooseRuleFront);
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "");
  EXPECT_EQ(store.Get("Rules", "build.exe"), "realtime,low");
  EXPECT_EQ(list.rows[0][1], L"極限加速");
  EXPECT_EQ(list.selected, 0);

  // Typed names are left alone in front, as the exclusion list of old added them; a second row for
  // the same program is refused.
  name.text = L"C:\\x\\Backup.EXE";
  program.Run(Command::AddTypedName);
  name.text = L"backup.exe";
  program.Run(Command::AddTypedName);
  EXPECT_EQ(name.text, L"backup.exe");
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"build.exe", L"Backup.EXE"}));
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(store.Get("Advanced", "Exclude"), "Backup.EXE");
  EXPECT_FALSE(store.Get("Rules", "Backup.EXE").has_value());
  ASSERT_TRUE(behind.Select(L"抑えない"));
  program.Run(Command::ChooseRuleBehind);
  EXPECT_EQ(store.Get("Rules", "Backup.EXE"), "auto,free");  // Exclude tells "off"

  SelectRule(0);
  program.Run(Command::RemoveRule);
  EXPECT_FALSE(store.Get("Rules", "build.exe").has_value());
  EXPECT_EQ(list.items, (std::vector<std::wstring>{L"Backup.EXE"}));
  program.OnTick();
  EXPECT_EQ(api.ClassOf(6), priority::kNormal);
  EXPECT_EQ(keptLow.Caption(), L"なし");
  EXPECT_EQ(rows.Cell(rows.RowCount() - 1, 2), L"規則解除: build.exe");
}

}  // namespace
}  // namespace kestrune
