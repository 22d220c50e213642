// The acceleration history of the running program: rows appended by real foreground switches,
// the automatic clearing at the chosen maximum, and the saved file's exact bytes.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char kRecordingIni[] =
    "[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n"
    "[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n";

// Name box of the file dialog: the combo box of the Explorer-style dialog, or the older edit box.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

// One tick of the program's one-second timer, run now instead of waiting for it.
void Tick(RunningApp& app) { ::SendMessageW(app.Main(), WM_TIMER, ids::kTimerMain, 0); }

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

HWND WaitForFileDialog(RunningApp& app) {
  HWND dialog = nullptr;
  WaitFor([&] {
    dialog = FindDialogWithControl(app.ProcessId(), kFileNameCombo);
    if (dialog == nullptr) dialog = FindDialogWithControl(app.ProcessId(), kFileNameEdit);
    return dialog != nullptr;
  });
  return dialog;
}

void TypeFileName(HWND dialog, const std::wstring& path) {
  HWND box = ::GetDlgItem(dialog, kFileNameCombo);
  if (box == nullptr) box = ::GetDlgItem(dialog, kFileNameEdit);
  ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

// A switch to `front` followed by a tick, so the program sees exactly one change per call.
void SwitchTo(RunningApp& app, HelperApp& front) {
  front.BringToFront();
  Tick(app);
}

TEST(History, TheSwitchAfterTheMaximumPlusOneRowsClearsTheListAndNumbersFromOne) {
  RunningApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  HelperApp a(L"Helper A");
  HelperApp b(L"Helper B");
  ASSERT_NE(a.Window(), nullptr);
  ASSERT_NE(b.Window(), nullptr);

  // Start from an empty list with A in front, whatever the start-up saw.
  SwitchTo(app, a);
  ASSERT_TRUE(WaitFor([&] { return app.ControlText(ids::kLabelInfo) == L"Helper A"; }, 3s));
  ::SendMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(ids::kToolbarClear, 0), 0);
  ASSERT_EQ(ListViewRowCount(app.Control(ids::kListViewHistory)), 0);
  const int countBefore = std::stoi(app.ControlText(ids::kLabelCount));

  for (int i = 1; i <= 51; ++i) SwitchTo(app, i % 2 == 1 ? b : a);
  // "50" allows 51 rows: they are all there, numbered 1 to 51 in order.
  std::vector<Row> rows = Rows(app);
  ASSERT_EQ(rows.size(), 51u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].number, std::to_wstring(i + 1) + L" ") << i;
    EXPECT_EQ(rows[i].title, i % 2 == 0 ? L"Helper B" : L"Helper A") << i;
    EXPECT_EQ(rows[i].level, L"普通加速") << i;
    EXPECT_FALSE(rows[i].time.empty()) << i;
  }

  SwitchTo(app, a);
  rows = Rows(app);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].number, L"1 ");
  EXPECT_EQ(rows[0].title, L"Helper A");
  // Clearing the list does not touch the switch counter.
  EXPECT_EQ(std::stoi(app.ControlText(ids::kLabelCount)), countBefore + 52);
}

TEST(History, SavedFileHoldsHeaderAndRowsInTheAnsiCodePageWithCrLf) {
  RunningApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  // A Japanese title shows that titles are written as the system's code page bytes.
  HelperApp a(L"補助ウィンドウ甲");
  HelperApp b(L"Helper B");
  // A window without a title still makes a row, whose line ends in two blanks.
  HelperApp untitled(L"");
  ASSERT_NE(a.Window(), nullptr);
  ASSERT_NE(b.Window(), nullptr);
  ASSERT_NE(untitled.Window(), nullptr);
  SwitchTo(app, b);
  ASSERT_TRUE(WaitFor([&] { return app.ControlText(ids::kLabelInfo) == L"Helper B"; }, 3s));
  ::SendMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(ids::kToolbarClear, 0), 0);
  SwitchTo(app, a);
  SwitchTo(app, b);
  SwitchTo(app, untitled);

  const std::vector<Row> rows = Rows(app);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].title, L"補助ウィンドウ甲");
  EXPECT_EQ(rows[1].title, L"Helper B");
  EXPECT_EQ(rows[2].title, L"");
  std::wstring expected = L"Kestrune加速記録\r\nhttp://www.kestrune.example/\r\n";
  for (const Row& row : rows) expected += row.number + L" " + row.time + L" " + row.title + L" \r\n";

  // A longer file already there is replaced, not overwritten in part.
  const std::wstring path = app.Dir().File(L"saved history.txt");
  WriteFileBytes(path, std::string(4000, 'x'));

  Command(app, ids::kToolbarSave);
  HWND dialog = WaitForFileDialog(app);
  ASSERT_NE(dialog, nullptr) << "no file dialog";
  TypeFileName(dialog, path);
  PressDialogButton(dialog, IDOK);

  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L":-)")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"保存できました。");
  EXPECT_EQ(FindDialogWithControl(app.ProcessId(), kFileNameCombo), nullptr);
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
  HelperApp a(L"Helper A");
  HelperApp b(L"Helper B");
  ASSERT_NE(a.Window(), nullptr);
  ASSERT_NE(b.Window(), nullptr);
  SwitchTo(app, a);
  const int count = std::stoi(app.ControlText(ids::kLabelCount));
  SwitchTo(app, b);
  SwitchTo(app, a);
  EXPECT_EQ(std::stoi(app.ControlText(ids::kLabelCount)), count + 2);
  ASSERT_EQ(ListViewRowCount(app.Control(ids::kListViewHistory)), 0);

  Command(app, ids::kToolbarSave);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"Kestrune")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"記録がありません。");
  PressDialogButton(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L"Kestrune") == nullptr; }));
  // Nothing follows the notice: no file dialog comes up.
  EXPECT_FALSE(WaitFor([&] { return FindDialogWithControl(app.ProcessId(), kFileNameCombo) != nullptr ||
                                    FindDialogWithControl(app.ProcessId(), kFileNameEdit) != nullptr; },
                       1500ms));
}

TEST(History, CancelInTheDialogShowsOneNoticeAndWritesNothing) {
  RunningApp app(kRecordingIni);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  HelperApp a(L"Helper A");
  ASSERT_NE(a.Window(), nullptr);
  SwitchTo(app, a);
  ASSERT_TRUE(WaitFor([&] { return ListViewRowCount(app.Control(ids::kListViewHistory)) > 0; }, 3s));

  const std::wstring path = app.Dir().File(L"never.txt");
  Command(app, ids::kToolbarSave);
  HWND dialog = WaitForFileDialog(app);
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
