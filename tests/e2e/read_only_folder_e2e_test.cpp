// A copy in a folder its user may not write (Program Files for a standard user): the settings go
// to the user's own folder, come along from the file beside the program, survive a restart, and
// the user is told where they are once. Only scripts/read_only_folder.sh can set this up: Wine run
// as root writes any folder, so that script runs this test as an ordinary Linux user on a folder
// owned by root, naming the copy there in KESTRUNE_READONLY_EXE.
#include <gtest/gtest.h>

#include <string>

#include "app/win32/control_ids.h"
#include "driver.h"

namespace kestrune::e2e {
namespace {

std::wstring EnvText(const wchar_t* name) {
  wchar_t buffer[1024] = {};
  const DWORD n = ::GetEnvironmentVariableW(name, buffer, 1024);
  return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

// One start of the copy; its window is shown once the load is over.
struct Start {
  Process process;
  HWND main = nullptr;
  bool WaitShown() {
    return WaitFor([&] { return (main = FindTopWindow(process.Id(), L"KestruneMainWindow", nullptr, true)) != nullptr; });
  }
  HWND Control(int id) const { return ::GetDlgItem(main, id); }
  void End() {
    ::SendMessageW(main, WM_QUERYENDSESSION, 0, 0);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    process.WaitExit(kPatience);
  }
};

TEST(ReadOnlyFolder, SettingsLiveInTheUsersFolderAndSurviveARestart) {
  const std::wstring exe = EnvText(L"KESTRUNE_READONLY_EXE");
  if (exe.empty()) GTEST_SKIP() << "needs a copy in a folder this user may not write (scripts/read_only_folder.sh)";
  const std::wstring folder = exe.substr(0, exe.rfind(L'\\'));
  const std::wstring beside = folder + L"\\kestrune.ini";
  const std::wstring userFolder = EnvText(L"APPDATA") + L"\\Kestrune";
  const std::wstring userFile = userFolder + L"\\kestrune.ini";
  ::DeleteFileW(userFile.c_str());  // every run starts as the first start in that folder
  const std::string besideBytes = ReadFileBytes(beside);
  ASSERT_EQ(IniValue(besideBytes, "Record", "RecordCount"), "200") << "the script puts a settings file beside the copy";

  Start first;
  ASSERT_TRUE(first.process.Start(exe));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(first.process.Id(), L"Kestrune")) != nullptr; }));
  const std::wstring notice = MessageBoxText(box);
  EXPECT_NE(notice.find(userFile), std::wstring::npos) << ToCodePage(notice, CP_UTF8);
  SaveScreenshot(box, L"settings_moved");
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(first.WaitShown());
  // The settings made beside the program came along.
  EXPECT_EQ(Text(first.Control(ids::kComboRecordCount)), L"200");
  ::SendMessageW(first.Control(ids::kCheckAcceleration), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return IniValue(ReadFileBytes(userFile), "Normal", "EnableSpeed") == "1"; }))
      << ReadFileBytes(userFile);
  first.End();

  Start second;
  ASSERT_TRUE(second.process.Start(exe));
  ASSERT_TRUE(second.WaitShown());
  EXPECT_EQ(FindMessageBox(second.process.Id(), L"Kestrune"), nullptr) << "told a second time";
  EXPECT_TRUE(Checked(second.Control(ids::kCheckAcceleration)));
  EXPECT_EQ(Text(second.Control(ids::kComboRecordCount)), L"200");
  second.End();
  EXPECT_EQ(ReadFileBytes(beside), besideBytes);
}

}  // namespace
}  // namespace kestrune::e2e
