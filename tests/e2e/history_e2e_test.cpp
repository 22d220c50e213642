// The acceleration history of the running program: rows appended by real foreground switches,
// the automatic clearing at the chosen maximum, and the saved file's exact bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char kRecordingIni[] =
    "[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n"
    "[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n";

void Command(RunningApp& app, int id) { ::PostMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

struct Row {
  std::wstring number, time, title, level;
};

std::vector<Row> Rows(RunningApp& app) {
  HWND list = app.Control(ids::kListViewHistory);
  std::vector<Row> rows;
  const int n = ListViewRowCount(list);
  for (int i = 0; i < n; ++i) {
    rows.push_back({ListViewCell(list, i, 0), ListViewCell(list, i, 1), ListViewCell(list, i, 2),
                    ListViewCell(list, i, 3)});
  }
  return rows;
}

// Rounds of switches a test may start again because the system moved the foreground in between.
constexpr int kRounds = 5;

enum class Taken {
  kExactly,      // the program counted this switch and no other
  kWithAnother,  // it counted another change of the foreground as well: the round is spoilt
  kNot,          // it missed a switch to a window that stayed in front
};

// Switches between the windows of one helper, each taken by the program as exactly one switch.
// The windows share one thread, so the foreground moves between them in one step: the program's own
// once-a-second tick sees one window or the other, never a moment without one in front.
class Switches {
 public:
  Switches(RunningApp& app, HelperApp& helper, std::vector<std::wstring> titles)
      : app_(app), helper_(helper), titles_(std::move(titles)) {}

  // Begins a round: window `i` in front and shown by the program, the counter read afresh.
  bool Begin(std::size_t i) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!helper_.BringToFront(i, &redone_)) return false;
      app_.Tick();
      if (app_.ControlText(ids::kLabelInfo) == titles_[i]) {
        count_ = app_.SwitchCount();
        return count_ >= 0;
      }
      ++redone_;
    }
    return false;
  }

  // Brings window `i` to the front, runs the tick and reads the counter and LabelInfo.
  Taken To(std::size_t i) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!helper_.BringToFront(i, &redone_)) return Taken::kNot;
      app_.Tick();
      const int now = app_.SwitchCount();
      if (now == count_ + 1 && app_.ControlText(ids::kLabelInfo) == titles_[i]) {
        count_ = now;
        return Taken::kExactly;
      }
      if (now != count_) return Taken::kWithAnother;
      // Nothing counted. With the window still in front that is a miss; otherwise the system took
      // the change back before the tick, and it is made again.
      if (::GetForegroundWindow() == helper_.Window(i)) return Taken::kNot;
      ++redone_;
    }
    return Taken::kNot;
  }

  int Count() const { return count_; }
  // Changes of the foreground that the system undid and that were made again.
  int Redone() const { return redone_; }

 private:
  RunningApp& app_;
  HelperApp& helper_;
  std::vector<std::wstring> titles_;
  int count_ = 0;
  int redone_ = 0;
};

void Report(const Switches& switches, int roundsAgain) {
  std::printf("[history] rounds started again: %d; changes of the foreground made again: %d\n", roundsAgain,
              switches.Redone());
  ::testing::Test::RecordProperty("rounds_started_again", roundsAgain);
}

TEST(History, TheSwitchAfterTheMaximumPlusOneRowsClearsTheListAndNumbersFromOne) {
  RunningApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  const std::vector<std::wstring> titles{L"Helper A", L"Helper B"};
  HelperApp helper(titles);
  ASSERT_NE(helper.Window(0), nullptr);
  ASSERT_NE(helper.Window(1), nullptr);
  Switches to(app, helper, titles);
  HWND list = app.Control(ids::kListViewHistory);

  int round = 0;
  for (; round < kRounds; ++round) {
    // Start from an empty list with A in front, whatever came before.
    ASSERT_TRUE(to.Begin(0)) << "Helper A did not come to the front";
    ::SendMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(ids::kToolbarClear, 0), 0);
    ASSERT_EQ(ListViewRowCount(list), 0);
    const int countBefore = to.Count();

    Taken taken = Taken::kExactly;
    for (int i = 1; i <= 51 && taken == Taken::kExactly; ++i) {
      taken = to.To(i % 2 == 1 ? 1 : 0);
      ASSERT_NE(taken, Taken::kNot) << "switch " << i << " was not taken";
    }
    if (taken == Taken::kWithAnother) continue;
    // "50" allows 51 rows: they are all there, numbered 1 to 51 in order.
    std::vector<Row> rows = Rows(app);
    ASSERT_EQ(rows.size(), 51u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].number, std::to_wstring(i + 1) + L" ") << i;
      EXPECT_EQ(rows[i].title, i % 2 == 0 ? L"Helper B" : L"Helper A") << i;
      EXPECT_EQ(rows[i].level, L"普通加速") << i;
      EXPECT_FALSE(rows[i].time.empty()) << i;
    }

    taken = to.To(0);
    ASSERT_NE(taken, Taken::kNot) << "switch 52 was not taken";
    if (taken == Taken::kWithAnother) continue;
    rows = Rows(app);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].number, L"1 ");
    EXPECT_EQ(rows[0].title, L"Helper A");
    // Clearing the list does not touch the switch counter.
    EXPECT_EQ(app.SwitchCount(), countBefore + 52);
    break;
  }
  Report(to, round);
  EXPECT_LT(round, kRounds) << "the foreground was moved by the system in every round";
}

TEST(History, SavedFileHoldsHeaderAndRowsInTheAnsiCodePageWithCrLf) {
  RunningApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  // A Japanese title shows that titles are written as the system's code page bytes; a window
  // without a title still makes a row, whose line ends in two blanks.
  const std::vector<std::wstring> titles{L"補助ウィンドウ甲", L"Helper B", L""};
  HelperApp helper(titles);
  for (std::size_t i = 0; i < titles.size(); ++i) ASSERT_NE(helper.Window(i), nullptr) << i;
  Switches to(app, helper, titles);
  int round = 0;
  for (; round < kRounds; ++round) {
    ASSERT_TRUE(to.Begin(1)) << "Helper B did not come to the front";
    ::SendMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(ids::kToolbarClear, 0), 0);
    Taken taken = Taken::kExactly;
    for (std::size_t i = 0; i < titles.size() && taken == Taken::kExactly; ++i) {
      taken = to.To(i);
      ASSERT_NE(taken, Taken::kNot) << "switch " << i << " was not taken";
    }
    if (taken == Taken::kExactly) break;
  }
  Report(to, round);
  ASSERT_LT(round, kRounds) << "the foreground was moved by the system in every round";

  const std::vector<Row> rows = Rows(app);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].title, L"補助ウィンドウ甲");
  EXPECT_EQ(rows[1].title, L"Helper B");
  EXPECT_EQ(rows[2].title, L"");
  // The user's guide shows this page with these rows.
  ASSERT_TRUE(app.ShowPage(2));
  app.Screenshot(L"history_rows");
  std::wstring expected = L"Kestrune加速記録\r\nhttp://www.kestrune.example/\r\n";
  for (const Row& row : rows) expected += row.number + L" " + row.time + L" " + row.title + L" \r\n";

  // A longer file already there is replaced, not overwritten in part.
  const std::wstring path = app.Dir().File(L"saved history.txt");
  WriteFileBytes(path, std::string(4000, 'x'));

  Command(app, ids::kToolbarSave);
  HWND dialog = WaitForFileDialog(app.ProcessId());
  ASSERT_NE(dialog, nullptr) << "no file dialog";
  TypeFileName(dialog, path);
  PressDialogButton(dialog, IDOK);

  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L":-)")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"保存できました。");
  EXPECT_EQ(WaitForFileDialog(app.ProcessId(), 0ms), nullptr);
  PressDialogButton(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L":-)") == nullptr; }));

  const std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes, ToCodePage(expected, 932));
  // Spelled out once, independently of the list's own texts.
  const std::string header = "Kestrune\x89\xc1\x91\xac\x8b\x4c\x98\x5e\r\nhttp://www.kestrune.example/\r\n1  ";
  EXPECT_EQ(bytes.substr(0, header.size()), header);
  const std::string lastLine = "3  " + ToCodePage(rows[2].time, 932) + "  \r\n";
  ASSERT_GE(bytes.size(), lastLine.size());
  EXPECT_EQ(bytes.substr(bytes.size() - lastLine.size()), lastLine);
  EXPECT_TRUE(app.Proc().Running());
}

TEST(History, WithRecordingOffSwitchesAddNoRowAndSaveOnlyWarns) {
  std::string ini = kRecordingIni;
  ini.replace(ini.find("EnableRecord=1"), 14, "EnableRecord=0");
  RunningApp app(ini);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  // Recording off: switches are counted but add no row.
  const std::vector<std::wstring> titles{L"Helper A", L"Helper B"};
  HelperApp helper(titles);
  ASSERT_NE(helper.Window(0), nullptr);
  ASSERT_NE(helper.Window(1), nullptr);
  Switches to(app, helper, titles);
  int round = 0;
  for (; round < kRounds; ++round) {
    ASSERT_TRUE(to.Begin(0)) << "Helper A did not come to the front";
    const int count = to.Count();
    Taken taken = to.To(1);
    if (taken == Taken::kExactly) taken = to.To(0);
    ASSERT_NE(taken, Taken::kNot) << "a switch was not counted";
    if (taken == Taken::kWithAnother) continue;
    EXPECT_EQ(app.SwitchCount(), count + 2);
    break;
  }
  Report(to, round);
  ASSERT_LT(round, kRounds) << "the foreground was moved by the system in every round";
  ASSERT_EQ(ListViewRowCount(app.Control(ids::kListViewHistory)), 0);

  Command(app, ids::kToolbarSave);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"Kestrune")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"記録がありません。");
  PressDialogButton(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L"Kestrune") == nullptr; }));
  // Nothing follows the notice: no file dialog comes up.
  EXPECT_EQ(WaitForFileDialog(app.ProcessId(), 1500ms), nullptr);
}

TEST(History, CancelInTheDialogShowsOneNoticeAndWritesNothing) {
  RunningApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  HelperApp a(L"Helper A");
  ASSERT_NE(a.Window(), nullptr);
  ASSERT_TRUE(a.BringToFront());
  app.Tick();
  ASSERT_GT(ListViewRowCount(app.Control(ids::kListViewHistory)), 0);

  const std::wstring path = app.Dir().File(L"never.txt");
  Command(app, ids::kToolbarSave);
  HWND dialog = WaitForFileDialog(app.ProcessId());
  ASSERT_NE(dialog, nullptr) << "no file dialog";
  TypeFileName(dialog, path);
  PressDialogButton(dialog, IDCANCEL);

  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"Kestrune")) != nullptr; }));
  EXPECT_FALSE(MessageBoxText(box).empty());
  EXPECT_NE(MessageBoxText(box), L"保存できました。");
  PressDialogButton(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L"Kestrune") == nullptr; }));
  // One notice only, and no file.
  EXPECT_FALSE(WaitFor([&] { return FindTopWindow(app.ProcessId(), L"#32770", nullptr, true) != nullptr; }, 1500ms));
  EXPECT_FALSE(FileExists(path));
  EXPECT_TRUE(app.Proc().Running());
}

}  // namespace
}  // namespace kestrune::e2e
