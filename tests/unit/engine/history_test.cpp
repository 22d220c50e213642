#include "engine/history.h"

#include <gtest/gtest.h>


#include "fakes/fake_clock.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_history_view.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_shift_jis.h"

namespace kestrune {
namespace {

constexpr const wchar_t* kTarget = L"C:\\logs\\history.txt";
constexpr const wchar_t* kHome = L"https://kestrune.example/";

class HistoryTest : public ::testing::Test {
 protected:
  HistoryTest() : history(History::Services{list, clock, messages, dialog, files, codePage}, kHome) {}

  std::vector<std::wstring> Numbers() const {
    std::vector<std::wstring> numbers;
    for (const auto& row : list.rows) numbers.push_back(row.at(0));
    return numbers;
  }

  testing::FakeHistoryView list;
  long long maximum = 50;
  testing::FakeClock clock;
  testing::FakeMessageBoxes messages;
  testing::FakeFileDialog dialog;
  testing::FakeFileSystem files;
  testing::FakeShiftJisCodePage codePage;
  History history;
};

TEST_F(HistoryTest, AppendFillsNumberTimeTitleAndLevel) {
  clock.time = L"23:59:58";
  history.Append(L"メモ帳", SpeedLevel::Normal, maximum);
  clock.time = L"0:00:01";
  history.Append(L"", SpeedLevel::Extreme, maximum);
  history.Append(L"x", SpeedLevel::Unknown, maximum);  // anything but the normal level counts as extreme
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[0], (std::vector<std::wstring>{L"1 ", L"23:59:58", L"メモ帳", L"普通加速"}));
  EXPECT_EQ(list.rows[1], (std::vector<std::wstring>{L"2 ", L"0:00:01", L"", L"極限加速"}));
  EXPECT_EQ(list.rows[2][3], L"極限加速");
  EXPECT_EQ(list.clears, 0);
}

// For every maximum N the list keeps N + 1 rows; the next append empties it and starts again at 1.
class HistoryMaximum : public HistoryTest, public ::testing::WithParamInterface<int> {};

TEST_P(HistoryMaximum, KeepsOneRowMoreThanTheMaximumThenStartsOver) {
  const int n = GetParam();
  maximum = n;
  for (int i = 0; i < n + 1; ++i) history.Append(L"t", SpeedLevel::Normal, maximum);
  ASSERT_EQ(list.RowCount(), n + 1);
  EXPECT_EQ(list.rows.back()[0], std::to_wstring(n + 1) + L" ");
  EXPECT_EQ(list.clears, 0);

  history.Append(L"next", SpeedLevel::Normal, maximum);
  EXPECT_EQ(list.clears, 1);
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.rows[0][0], L"1 ");
  EXPECT_EQ(list.rows[0][2], L"next");
}

INSTANTIATE_TEST_SUITE_P(Items, HistoryMaximum, ::testing::Values(50, 100, 200, 300));

TEST_F(HistoryTest, TheMaximumOfEachAppendCounts) {
  for (int i = 0; i < 120; ++i) history.Append(L"t", SpeedLevel::Extreme, 300);
  // Now over the new maximum: the next append clears.
  history.Append(L"t", SpeedLevel::Extreme, 100);
  EXPECT_EQ(Numbers(), std::vector<std::wstring>{L"1 "});

  // A maximum of 0: the list never holds more than one row.
  history.Append(L"a", SpeedLevel::Extreme, 0);
  history.Append(L"b", SpeedLevel::Extreme, 0);
  EXPECT_EQ(Numbers(), std::vector<std::wstring>{L"1 "});
  EXPECT_EQ(list.rows[0][2], L"b");
}

// The history holds the rows and the list view shows them: a clear empties both, and numbering
// starts again.
TEST_F(HistoryTest, TheViewShowsTheRowsTheHistoryHolds) {
  history.Append(L"a", SpeedLevel::Normal, maximum);
  history.Append(L"b", SpeedLevel::Extreme, maximum);
  ASSERT_EQ(history.Rows().size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const HistoryRow& row = history.Rows()[i];
    EXPECT_EQ(list.rows[i], (std::vector<std::wstring>{row.number, row.time, row.title, row.level}));
  }
  history.Clear();
  EXPECT_TRUE(history.Rows().empty());
  EXPECT_EQ(list.RowCount(), 0);
  history.Append(L"c", SpeedLevel::Normal, maximum);
  EXPECT_EQ(Numbers(), std::vector<std::wstring>{L"1 "});
}

TEST_F(HistoryTest, SavingAnEmptyListOnlySaysSo) {
  history.Save();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"記録がありません。");
  EXPECT_EQ(messages.shown[0].title, L"Kestrune");
  EXPECT_EQ(messages.shown[0].flags, 0x30u);
  EXPECT_EQ(dialog.shows, 0);
  EXPECT_EQ(files.writeCalls, 0);
}

TEST_F(HistoryTest, SaveWritesTheWholeTextInAnsiWithCrLfInOneWrite) {
  clock.time = L"9:05:07";
  history.Append(L"メモ帳", SpeedLevel::Normal, maximum);
  clock.time = L"10:00:00";
  history.Append(L"", SpeedLevel::Extreme, maximum);
  files.files[kTarget] = std::string(1000, 'o');  // an older, longer file is replaced whole

  history.Save();

  EXPECT_EQ(dialog.lastOptions.filter, L"(*.txt)|*.txt");
  EXPECT_EQ(dialog.lastOptions.fileName, L"");
  EXPECT_EQ(dialog.lastOptions.defaultExtension, L"");
  EXPECT_FALSE(dialog.lastOptions.fileMustExist);
  const std::string expected =
      "Kestrune\x89\xC1\x91\xAC\x8B\x4C\x98\x5E\r\n"
      "https://kestrune.example/\r\n"
      "1  9:05:07 \x83\x81\x83\x82\x92\xA0 \r\n"
      "2  10:00:00  \r\n";
  ASSERT_EQ(files.files.size(), 1u);  // no temporary file left beside it
  EXPECT_EQ(files.files[kTarget], expected);
  EXPECT_EQ(files.writeCalls, 1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, L"保存できました。");
  EXPECT_EQ(messages.shown[0].title, L":-)");
  EXPECT_EQ(messages.shown[0].flags, 0x30u);
  EXPECT_EQ(list.RowCount(), 2);  // saving leaves the history as it was
}

// A title the code page cannot spell (or the Japanese texts on a system of another language): the
// whole file in UTF-8 with its mark rather than question marks.
TEST_F(HistoryTest, TextOutsideTheCodePageIsSavedAsUtf8WithItsMark) {
  clock.time = L"9:05:07";
  history.Append(L"メモ帳", SpeedLevel::Normal, maximum);
  history.Append(L"\uAC00\uB098.exe", SpeedLevel::Normal, maximum);
  history.Save();
  EXPECT_EQ(files.files[kTarget],
            "\xEF\xBB\xBF" "Kestrune\xE5\x8A\xA0\xE9\x80\x9F\xE8\xA8\x98\xE9\x8C\xB2\r\n"
            "https://kestrune.example/\r\n"
            "1  9:05:07 \xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3 \r\n"
            "2  9:05:07 \xEA\xB0\x80\xEB\x82\x98.exe \r\n");
}

TEST_F(HistoryTest, RowsAddedWhileTheDialogIsOpenAreNotSaved) {
  history.Append(L"before", SpeedLevel::Normal, maximum);
  dialog.onShow = [&] { history.Append(L"during", SpeedLevel::Normal, maximum); };
  history.Save();
  const std::string& saved = files.files[kTarget];
  EXPECT_NE(saved.find("before"), std::string::npos);
  EXPECT_EQ(saved.find("during"), std::string::npos);
  EXPECT_EQ(list.RowCount(), 2);
}

// Every way a save can fail shows one box with the failure's description and leaves the old file as it was.
struct SaveFailure {
  const char* name;
  void (*arrange)(testing::FakeFileDialog&, testing::FakeFileSystem&);
  const wchar_t* description;
};

class HistorySaveFailure : public HistoryTest, public ::testing::WithParamInterface<SaveFailure> {};

TEST_P(HistorySaveFailure, ShowsTheDescriptionAndKeepsTheOldFile) {
  history.Append(L"title", SpeedLevel::Normal, maximum);
  files.files[kTarget] = "old content that must survive";
  GetParam().arrange(dialog, files);
  const auto othersFiles = [&] {
    int n = 0;
    for (const auto& [path, bytes] : files.files) n += bytes == "someone else's";
    return n;
  };
  const int others = othersFiles();

  history.Save();

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, GetParam().description);
  EXPECT_EQ(messages.shown[0].title, L"Kestrune");
  EXPECT_EQ(messages.shown[0].flags, 0x30u);
  EXPECT_EQ(files.files[kTarget], "old content that must survive");
  for (const auto& [path, bytes] : files.files)
    EXPECT_TRUE(path == kTarget || bytes == "someone else's") << "left behind: " << std::string(path.begin(), path.end());
  EXPECT_EQ(othersFiles(), others) << "a file this save did not make was removed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HistorySaveFailure,
    ::testing::Values(
        SaveFailure{"Cancel",
                    [](testing::FakeFileDialog& d, testing::FakeFileSystem&) {
                      d.answer = {false, L"", L"キャンセルが選択されました。"};
                    },
                    L"キャンセルが選択されました。"},
        SaveFailure{"DialogError",
                    [](testing::FakeFileDialog& d, testing::FakeFileSystem&) {
                      d.answer = {false, L"", L"ダイアログを開けませんでした。"};
                    },
                    L"ダイアログを開けませんでした。"},
        SaveFailure{"WriteFailsPartWay", [](testing::FakeFileDialog&, testing::FakeFileSystem& f) { f.failWriteAfter = 5; },
                    L"ディスクがいっぱいです。"},
        SaveFailure{"WriteFailsAtOnce", [](testing::FakeFileDialog&, testing::FakeFileSystem& f) { f.failWriteAfter = 0; },
                    L"ディスクがいっぱいです。"},
        SaveFailure{"ReplaceFails", [](testing::FakeFileDialog&, testing::FakeFileSystem& f) { f.failReplace = true; },
                    L"アクセスが拒否されました。"},
        // The temporary name is held by something the save could not open or replace: not its own.
        SaveFailure{"CreateFails",
                    [](testing::FakeFileDialog&, testing::FakeFileSystem& f) {
                      f.failCreate = true;
                      f.createError = L"ファイルを作成できません。";
                      f.files[std::wstring(kTarget) + L".~0.tmp"] = "someone else's";
                    },
                    L"ファイルを作成できません。"},
        SaveFailure{"NoTemporaryName",
                    [](testing::FakeFileDialog&, testing::FakeFileSystem& f) {
                      for (int i = 0; i < 16; ++i)
                        f.files[std::wstring(kTarget) + L".~" + std::to_wstring(i) + L".tmp"] = "someone else's";
                    },
                    L"保存用の一時ファイルを作成できませんでした。"}),
    [](const ::testing::TestParamInfo<SaveFailure>& p) { return std::string(p.param.name); });

TEST_F(HistoryTest, TemporaryNamesInUseAreSkippedAndNeverTouched) {
  history.Append(L"title", SpeedLevel::Normal, maximum);
  const std::wstring taken = std::wstring(kTarget) + L".~0.tmp";
  files.files[taken] = "someone else's";
  history.Save();
  EXPECT_EQ(files.files[taken], "someone else's");
  EXPECT_NE(files.files[kTarget].find("1  9:05:07 title \r\n"), std::string::npos);
  EXPECT_EQ(files.files.size(), 2u);
  EXPECT_EQ(messages.shown.at(0).text, L"保存できました。");
}

// The replace took the old file away but could not put the new one in its place: the new content
// exists only in the temporary file, which is kept, and the user is told where it is.
TEST_F(HistoryTest, AReplaceThatLosesTheTargetKeepsTheNewContentAndNamesIt) {
  clock.time = L"9:05:07";
  history.Append(L"title", SpeedLevel::Normal, maximum);
  files.files[kTarget] = "old";
  files.replaceLosesTarget = true;

  history.Save();

  const std::wstring temporary = std::wstring(kTarget) + L".~0.tmp";
  ASSERT_EQ(files.files.count(temporary), 1u);
  EXPECT_NE(files.files[temporary].find("1  9:05:07 title \r\n"), std::string::npos);
  EXPECT_EQ(files.removeCalls, 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, files.replaceError + L"\n保存する内容は次のファイルに残っています: " + temporary);
  EXPECT_EQ(messages.shown[0].title, L"Kestrune");
}

TEST_F(HistoryTest, AnEmptyFileNameWritesNothingAndSaysNothing) {
  history.Append(L"title", SpeedLevel::Normal, maximum);
  dialog.answer = {true, L"", L""};
  history.Save();
  EXPECT_EQ(files.writeCalls, 0);
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace kestrune
