// Rules per program through the real program: a rule made in the window, in the settings file at
// once and acting after a restart, raising its program to real time over the general 普通加速 and
// giving it back behind; a program kept low behind on an idle machine, shown and recorded, given
// back when it comes to the front and when acceleration is switched off; and lines written by hand
// removed with their row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

constexpr char kNormalBoost[] =
    "[Normal]\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\n"
    "RecordCount=50\r\n";

bool Press(RunningApp& app, int id) {
  ::SendMessageW(app.Control(id), BM_CLICK, 0, 0);
  return RoundTrip(app.Main());
}

std::wstring RowText(HWND list, int row) {
  return ListViewCell(list, row, 0) + L" " + ListViewCell(list, row, 1) + L" " + ListViewCell(list, row, 2);
}

TEST(Rules, ARuleMadeInTheWindowIsStoredAtOnceAndRaisesItsProgramToRealTimeAfterARestart) {
  RunningApp app(kNormalBoost);
  const std::wstring encoder = app.Dir().File(L"Encoder.exe");
  ASSERT_TRUE(::CopyFileW(HelperPath().c_str(), encoder.c_str(), FALSE));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.ShowPage(4));
  HWND list = app.Control(ids::kListRules);
  // What a screen reader reads: the columns by their headers, and the list and each box by the label
  // just before it (the system names a control without text of its own by the label before it).
  EXPECT_EQ(ListViewHeader(list, 0) + L"|" + ListViewHeader(list, 1) + L"|" + ListViewHeader(list, 2), L"プログラム|前面|背面");
  for (const auto& [id, label] : {std::pair{ids::kListRules, L"プログラムごとの規則"}, std::pair{ids::kComboRuleFront, L"前面:"},
                                  std::pair{ids::kComboRuleBehind, L"背面:"}})
    EXPECT_EQ(Text(::GetWindow(app.Control(id), GW_HWNDPREV)), label) << id;
  ::SendMessageW(app.Control(ids::kEditRuleName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"encoder.exe"));
  ASSERT_TRUE(Press(app, ids::kCommandAddRule));
  ASSERT_EQ(ListViewRowCount(list), 1);
  // The row is selected as it is added, and the boxes show its choices; a click elsewhere and back
  // shows them again through the list's own notification.
  ASSERT_TRUE(SelectListViewRow(list, -1));
  EXPECT_EQ(app.ControlText(ids::kComboRuleFront), L"");
  ASSERT_TRUE(SelectListViewRow(list, 0));
  EXPECT_EQ(app.ControlText(ids::kComboRuleFront), L"加速しない");
  EXPECT_EQ(app.ControlText(ids::kComboRuleBehind), L"通常どおり");
  app.Pick(ids::kComboRuleFront, L"極限加速");
  EXPECT_EQ(RowText(list, 0), L"encoder.exe 極限加速 通常どおり");
  const std::string ini = app.IniBytes();
  EXPECT_EQ(IniValue(ini, "Rules", "encoder.exe"), "realtime,auto") << ini;
  EXPECT_EQ(IniValue(ini, "Advanced", "Exclude"), "") << ini;
  app.Screenshot(L"rules_list");

  app.EndSession();
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(RowText(app.Control(ids::kListRules), 0), L"encoder.exe 極限加速 通常どおり");
  HelperApp other(L"Other helper");
  HelperApp rule({L"Encoder"}, {encoder, L"", L"KestruneTestHelper"});
  ASSERT_NE(rule.Window(), nullptr);
  ASSERT_TRUE(rule.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(rule.ProcessId(), REALTIME_PRIORITY_CLASS)) << PriorityClassOf(rule.ProcessId());
  HWND history = app.Control(ids::kListViewHistory);
  EXPECT_EQ(ListViewCell(history, ListViewRowCount(history) - 1, 3), L"極限加速");
  ASSERT_TRUE(other.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(rule.ProcessId(), NORMAL_PRIORITY_CLASS)) << PriorityClassOf(rule.ProcessId());
  EXPECT_TRUE(ClassBecomes(other.ProcessId(), HIGH_PRIORITY_CLASS)) << PriorityClassOf(other.ProcessId());
}

TEST(Rules, AProgramKeptLowBehindOnAnIdleMachineComesBackInFrontAndWhenAccelerationStops) {
  RunningApp app(std::string(kNormalBoost) + "[Rules]\r\nbackup.exe=auto,low\r\n");
  const std::wstring backup = app.Dir().File(L"backup.exe");
  ASSERT_TRUE(::CopyFileW(HelperPath().c_str(), backup.c_str(), FALSE));
  ASSERT_TRUE(app.Start());
  HelperApp front(L"Front helper");
  HelperApp low({L"Backup"}, {backup, L"", L"KestruneTestHelper"});
  ASSERT_NE(low.Window(), nullptr);
  ASSERT_TRUE(front.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(low.ProcessId(), BELOW_NORMAL_PRIORITY_CLASS)) << PriorityClassOf(low.ProcessId());
  EXPECT_TRUE(WaitFor([&] { return app.ControlText(ids::kLabelKeptLow).starts_with(L"backup.exe ("); }))
      << app.ControlText(ids::kLabelKeptLow);
  EXPECT_EQ(app.ControlText(ids::kLabelRestrained), L"なし");
  HWND history = app.Control(ids::kListViewHistory);
  EXPECT_EQ(ListViewCell(history, ListViewRowCount(history) - 1, 2), L"規則: backup.exe");
  ASSERT_TRUE(app.ShowPage(0));
  app.Screenshot(L"rules_kept_low");

  ASSERT_TRUE(low.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(low.ProcessId(), HIGH_PRIORITY_CLASS)) << PriorityClassOf(low.ProcessId());
  EXPECT_EQ(app.ControlText(ids::kLabelKeptLow), L"なし");
  const int rows = ListViewRowCount(history);
  EXPECT_EQ(ListViewCell(history, rows - 2, 2) + L" / " + ListViewCell(history, rows - 1, 2), L"規則解除: backup.exe / Backup");

  ASSERT_TRUE(front.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(low.ProcessId(), BELOW_NORMAL_PRIORITY_CLASS)) << PriorityClassOf(low.ProcessId());
  app.Click(ids::kCheckAcceleration);
  EXPECT_TRUE(ClassBecomes(low.ProcessId(), NORMAL_PRIORITY_CLASS)) << PriorityClassOf(low.ProcessId());
}

// A program left alone by lines written by hand: "off" alone, or the same program twice in two cases
// (typed once, pasted once: the first line counts, and the list shows one row). 削除 removes the
// program: it is accelerated at once and after a restart, and the file no longer names it.
struct HandWritten {
  const char* name;
  const char* lines;
};

class RulesByHand : public ::testing::TestWithParam<HandWritten> {};

TEST_P(RulesByHand, TheRowRemovedTakesTheProgramOutOfTheFile) {
  RunningApp app(std::string(kNormalBoost) + "[Rules]\r\n" + GetParam().lines);
  const std::wstring tool = app.Dir().File(L"Tool.exe");
  ASSERT_TRUE(::CopyFileW(HelperPath().c_str(), tool.c_str(), FALSE));
  const auto named = [&app] {
    std::string ini = app.IniBytes();
    std::transform(ini.begin(), ini.end(), ini.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ini.find("tool.exe") != std::string::npos;
  };
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.ShowPage(kAdvancedPage));
  HWND list = app.Control(ids::kListRules);
  ASSERT_EQ(ListViewRowCount(list), 1);
  EXPECT_EQ(RowText(list, 0), L"tool.exe 加速しない 通常どおり");
  ASSERT_TRUE(SelectListViewRow(list, 0));
  ASSERT_TRUE(Press(app, ids::kCommandRemoveRule));
  EXPECT_EQ(ListViewRowCount(list), 0);
  EXPECT_FALSE(named()) << app.IniBytes();
  app.Screenshot(std::wstring(L"rules_removed_") + (GetParam().name[0] == 'O' ? L"off" : L"twice"));

  HelperApp other(L"Other helper");
  HelperApp front({L"Tool"}, {tool, L"", L"KestruneTestHelper"});
  ASSERT_NE(front.Window(), nullptr);
  ASSERT_TRUE(front.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(front.ProcessId(), HIGH_PRIORITY_CLASS)) << PriorityClassOf(front.ProcessId());

  ASSERT_TRUE(other.BringToFront());
  app.EndSession();
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(ListViewRowCount(app.Control(ids::kListRules)), 0);
  // Given back at the start, as an ended run left it: the raise that follows is this run's.
  ASSERT_TRUE(ClassBecomes(front.ProcessId(), NORMAL_PRIORITY_CLASS)) << PriorityClassOf(front.ProcessId());
  ASSERT_TRUE(front.BringToFront());
  app.Tick();
  EXPECT_TRUE(ClassBecomes(front.ProcessId(), HIGH_PRIORITY_CLASS)) << PriorityClassOf(front.ProcessId());
  EXPECT_FALSE(named()) << app.IniBytes();
}

INSTANTIATE_TEST_SUITE_P(Files, RulesByHand,
                         ::testing::Values(HandWritten{"OffAlone", "tool.exe=off\r\n"},
                                           HandWritten{"TwiceInTwoCases", "tool.exe=off\r\nTOOL.EXE=realtime,auto\r\n"}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace kestrune::e2e
