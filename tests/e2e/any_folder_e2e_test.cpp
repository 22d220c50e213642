// A copy started from a folder whose name the ANSI code page cannot spell: its settings file, its
// autostart value and a saved history all name the real folder. And the log-off that Windows
// sends: the query, then the end of the session, and nothing else.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

using namespace std::chrono_literals;

// Korean letters and a check mark: none of them exists in the Japanese code page (932).
constexpr wchar_t kFolderName[] = L"Kestrune \uD55C\uAD6D\uC5B4 \u2713";
constexpr wchar_t kRunValueName[] = L"Kestrune_CN";

// A copy of kestrune.exe in a freshly made folder of a given name inside a temporary folder.
class CopyInFolder {
 public:
  CopyInFolder(const std::wstring& folderName, const std::string& ini) : folder_(base_.File(folderName)) {
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    ::CopyFileW(ProgramPath().c_str(), Exe().c_str(), FALSE);
    if (!ini.empty()) WriteFileBytes(File(L"kestrune.ini"), ini);
  }
  ~CopyInFolder() {
    process_.Kill();
    for (const wchar_t* name : {L"kestrune.exe", L"kestrune.ini"}) ::DeleteFileW(File(name).c_str());
    ::RemoveDirectoryW(folder_.c_str());
  }
  CopyInFolder(const CopyInFolder&) = delete;
  CopyInFolder& operator=(const CopyInFolder&) = delete;

  std::wstring File(const std::wstring& name) const { return folder_ + L"\\" + name; }
  std::wstring Exe() const { return File(L"kestrune.exe"); }
  bool Start() {
    if (!process_.Start(Exe())) return false;
    // Shown once the start-up has run and written its values.
    return WaitFor([&] {
      return (main_ = FindTopWindow(process_.Id(), L"KestruneMainWindow", nullptr, true)) != nullptr;
    });
  }
  HWND Control(int id) const { return ::GetDlgItem(main_, id); }
  void Click(int id) { ::SendMessageW(Control(id), BM_CLICK, 0, 0); }
  std::string Ini() const { return ReadFileBytes(File(L"kestrune.ini")); }
  bool WaitForIni(std::string_view section, std::string_view key, const std::string& value) const {
    return WaitFor([&] { return IniValue(Ini(), section, key) == value; }, 5s);
  }
  Process& Proc() { return process_; }
  HWND Main() const { return main_; }

 private:
  TempDir base_;
  std::wstring folder_;
  Process process_;
  HWND main_ = nullptr;
};

// The machine-wide Run value is shared by every test and every copy: none before, none after.
struct RunValueCleared {
  RunValueCleared() { DeleteMachineRunValue(kRunValueName); }
  ~RunValueCleared() { DeleteMachineRunValue(kRunValueName); }
};

// What the ANSI profile functions, as an older copy uses them, read from these bytes.
std::string ReadWithAnsiFunctions(const TempDir& dir, const std::string& bytes, const char* section, const char* key) {
  const std::wstring copy = dir.File(L"ansi-reader.ini");
  WriteFileBytes(copy, bytes);
  char value[256] = {};
  const std::string path = ToCodePage(copy, CP_ACP);
  ::GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, path.c_str());
  ::DeleteFileW(copy.c_str());
  return value;
}

TEST(AnyFolder, SettingsFileAndRunValueNameTheRealFolder) {
  RunValueCleared run;
  CopyInFolder app(kFolderName, "");
  ASSERT_FALSE(FileExists(app.File(L"kestrune.ini")));
  ASSERT_TRUE(app.Start());

  // The start writes back what the controls show, into the file beside the program.
  ASSERT_TRUE(app.WaitForIni("Record", "RecordCount", "50")) << app.Ini();
  const std::string ini = app.Ini();
  EXPECT_EQ(IniValue(ini, "Record", "EnableRecord"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Normal", "EnableSpeed"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Normal", "AlwaysTop"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Speed", "SpeedLevel"), "2") << ini;
  // The content stays in the code page, without byte-order mark: an older copy reads it.
  EXPECT_EQ(ini.substr(0, 1), "[") << ini;
  TempDir scratch;
  EXPECT_EQ(ReadWithAnsiFunctions(scratch, ini, "Speed", "SpeedLevel"), "2");

  // Every click is stored at once.
  for (const auto& [id, section, key] : {std::tuple{ids::kCheckAutoMin, "Normal", "AutoMin"},
                                         std::tuple{ids::kCheckAcceleration, "Normal", "EnableSpeed"},
                                         std::tuple{ids::kCheckRecording, "Record", "EnableRecord"}}) {
    app.Click(id);
    EXPECT_TRUE(app.WaitForIni(section, key, "1")) << key << ":\n" << app.Ini();
    app.Click(id);
    EXPECT_TRUE(app.WaitForIni(section, key, "0")) << key << ":\n" << app.Ini();
  }

  // Autostart: exactly the quoted path of this copy while ticked, nothing once unticked.
  ASSERT_EQ(Text(app.Control(ids::kCheckAutoRun)), L"Windows起動時に起動する");
  app.Click(ids::kCheckAutoRun);
  EXPECT_TRUE(app.WaitForIni("Normal", "AutoRun", "1")) << app.Ini();
  const std::wstring expected = L"\"" + app.Exe() + L"\"";
  EXPECT_TRUE(WaitFor([&] { return MachineRunValue(kRunValueName).has_value(); }, 5s));
  const auto value = MachineRunValue(kRunValueName);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, expected) << "Run value: " << ToCodePage(*value, CP_UTF8)
                              << "\nexpected:  " << ToCodePage(expected, CP_UTF8);
  app.Click(ids::kCheckAutoRun);
  EXPECT_TRUE(app.WaitForIni("Normal", "AutoRun", "0")) << app.Ini();
  EXPECT_TRUE(WaitFor([&] { return !MachineRunValue(kRunValueName).has_value(); }, 5s));
  EXPECT_TRUE(app.Proc().Running());
}

// A file an older copy wrote (code-page bytes, a line of Japanese text it does not know) is read,
// and rewriting one of its values leaves the rest of its bytes as they were.
TEST(AnyFolder, AFileAnOlderCopyWroteIsReadAndStaysInTheCodePage) {
  const std::string note = "; " + ToCodePage(L"設定ファイル", 932);
  const std::string older = note + "\r\n[Normal]\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n"
                            "[Record]\r\nEnableRecord=0\r\nRecordCount=200\r\n";
  CopyInFolder app(kFolderName, older);
  ASSERT_TRUE(app.Start());
  EXPECT_TRUE(Checked(app.Control(ids::kCheckAcceleration)));
  EXPECT_EQ(Text(app.Control(ids::kComboSpeed)), L"普通加速");
  EXPECT_EQ(Text(app.Control(ids::kComboRecordCount)), L"200");

  app.Click(ids::kCheckAcceleration);
  ASSERT_TRUE(app.WaitForIni("Normal", "EnableSpeed", "0")) << app.Ini();
  const std::string after = app.Ini();
  EXPECT_EQ(after.substr(0, note.size()), note) << after;
  EXPECT_EQ(IniValue(after, "Record", "RecordCount"), "200") << after;
}

// The history is saved to any path the dialog gives back, over a file already there, and its content
// is in the code page. (Wine's replace does not carry a file's attributes over
// as Windows does, so they are not checked here.)
TEST(AnyFolder, HistorySavedIntoTheFolderReplacesTheFileThere) {
  CopyInFolder app(kFolderName,
                   "[Normal]\r\nEnableSpeed=1\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\n"
                   "RecordCount=50\r\n");
  ASSERT_TRUE(app.Start());
  HelperApp helper(L"補助ウィンドウ乙");
  ASSERT_NE(helper.Window(), nullptr);
  helper.BringToFront();
  ::SendMessageW(app.Main(), WM_TIMER, ids::kTimerMain, 0);
  ASSERT_GE(ListViewRowCount(app.Control(ids::kListViewHistory)), 1);

  // A name the dialog still takes (it has MAX_PATH buffers of its own) but whose temporary file
  // beside it, ".~0.tmp" longer, is past MAX_PATH.
  constexpr std::size_t kTargetLength = 255;
  const std::size_t deepName = kTargetLength - app.File(L"").size() - std::wstring(L"\\history.txt").size();
  const std::wstring deep = app.File(std::wstring(deepName, L'd'));
  ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr));
  const std::wstring target = deep + L"\\history.txt";
  struct Gone {
    const std::wstring &file, &folder;
    ~Gone() {
      ::DeleteFileW(file.c_str());
      ::RemoveDirectoryW(folder.c_str());
    }
  } gone{target, deep};
  ASSERT_EQ(target.size(), kTargetLength);
  WriteFileBytes(target, std::string(3000, '#'));

  ::PostMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(ids::kToolbarSave, 0), 0);
  HWND dialog = WaitForFileDialog(app.Proc().Id());
  ASSERT_NE(dialog, nullptr);
  TypeFileName(dialog, target);
  PressDialogButton(dialog, IDOK);

  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.Proc().Id(), L":-)")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"保存できました。");
  PressDialogButton(box, IDOK);

  const std::string bytes = ReadFileBytes(target);
  EXPECT_EQ(bytes.substr(0, 10), "Kestrune\x89\xc1");
  EXPECT_NE(bytes.find(ToCodePage(L"補助ウィンドウ乙", 932)), std::string::npos);
  EXPECT_EQ(bytes.find('#'), std::string::npos) << "the old file was overwritten in part";
  EXPECT_FALSE(FileExists(target + L".~0.tmp"));
}

// Windows logs off with WM_QUERYENDSESSION and then WM_ENDSESSION (TRUE), and sends no WM_CLOSE:
// the program ends on its own, asks nothing and takes its tray icon with it.
TEST(LogOff, TheQueryAndTheEndOfTheSessionAloneEndTheProgram) {
  RunningApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  HWND main = app.Main();
  ASSERT_TRUE(WaitFor([&] { return TrayIconExists(main); }, 5s));

  DWORD_PTR agreed = 0;
  ASSERT_NE(::SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &agreed), 0);
  EXPECT_NE(agreed, 0u) << "the program refused to let the session end";
  ::SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, nullptr);

  bool asked = false;
  EXPECT_TRUE(WaitFor(
      [&] {
        asked = asked || FindMessageBox(app.ProcessId(), L"確認してください。") != nullptr;
        return !app.Proc().Running();
      },
      20s));
  EXPECT_FALSE(asked);
  EXPECT_EQ(app.Proc().ExitCode(), 0u);
  EXPECT_FALSE(TrayIconExists(main));
}

}  // namespace
}  // namespace kestrune::e2e
