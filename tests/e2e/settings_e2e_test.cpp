// The settings file and the autostart value as the running program leaves them: what a start
// writes back, how stored values show in the controls, and that every click is stored at once.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "app/settings_page.h"
#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

constexpr wchar_t kRunValueName[] = L"Kestrune_CN";

// The Run values are shared by every test and every copy: none before, none after.
class RunValueGuard {
 public:
  RunValueGuard() { Clear(); }
  ~RunValueGuard() { Clear(); }
  static void Clear() {
    DeleteMachineRunValue(kRunValueName);
    DeleteUserRunValue(kRunValueName);
  }
  RunValueGuard(const RunValueGuard&) = delete;
  RunValueGuard& operator=(const RunValueGuard&) = delete;
};

// Waits until the start-up is over: the window is shown after the load step has written its values.
bool StartAndWaitShown(RunningApp& app) {
  return app.Start() && WaitFor([&] { return Visible(app.Main()); });
}

bool WaitForIni(const RunningApp& app, std::string_view section, std::string_view key, const std::string& value) {
  return WaitFor([&] { return IniValue(app.IniBytes(), section, key) == value; });
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Describe(const std::optional<std::string>& value) { return value ? "\"" + *value + "\"" : "<missing>"; }

TEST(Settings, WithoutAFileTheStartWritesBackWhatTheControlsShow) {
  RunValueGuard run;
  RunningApp app;
  ASSERT_FALSE(FileExists(app.Dir().File(L"kestrune.ini")));
  ASSERT_TRUE(StartAndWaitShown(app));

  const std::string ini = app.IniBytes();
  EXPECT_EQ(IniValue(ini, "Record", "EnableRecord"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Normal", "EnableSpeed"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Normal", "AlwaysTop"), "0") << ini;
  EXPECT_EQ(IniValue(ini, "Speed", "SpeedLevel"), "2") << ini;
  // A missing maximum selects the smallest one, and that choice is stored like any other.
  EXPECT_EQ(IniValue(ini, "Record", "RecordCount"), "50") << ini;
  // The two boxes that start unchecked are not changed by empty values, so nothing is written.
  EXPECT_EQ(IniValue(ini, "Normal", "AutoRun"), std::nullopt) << ini;
  EXPECT_EQ(IniValue(ini, "Normal", "AutoMin"), std::nullopt) << ini;
  EXPECT_EQ(MachineRunValue(kRunValueName), std::nullopt);

  for (int id : {ids::kCheckAutoRun, ids::kCheckAutoMin, ids::kCheckAlwaysTop, ids::kCheckAcceleration,
                 ids::kCheckRecording}) {
    EXPECT_FALSE(Checked(app.Control(id))) << id;
  }
  EXPECT_EQ(app.ControlText(ids::kComboSpeed), L"極限加速");
  EXPECT_EQ(app.ControlText(ids::kComboRecordCount), L"50");
  EXPECT_FALSE(Topmost(app.Main()));
}

struct Stored {
  const char* name;
  const char* ini;
  bool mostTop, state;
  const wchar_t* speed;
  const wchar_t* count;
  // Keys whose text the file holds afterwards ("section/key" = value).
  std::vector<std::pair<std::string, std::string>> after;
};

class StoredValues : public ::testing::TestWithParam<Stored> {};

TEST_P(StoredValues, ShowInTheControlsAndAreWrittenBackNormalised) {
  const Stored& s = GetParam();
  RunningApp app(s.ini);
  ASSERT_TRUE(StartAndWaitShown(app));

  EXPECT_FALSE(Checked(app.Control(ids::kCheckAutoRun)));
  EXPECT_FALSE(Checked(app.Control(ids::kCheckAutoMin)));
  EXPECT_EQ(Checked(app.Control(ids::kCheckAlwaysTop)), s.mostTop);
  EXPECT_EQ(Topmost(app.Main()), s.mostTop);
  EXPECT_EQ(Checked(app.Control(ids::kCheckAcceleration)), s.state);
  EXPECT_FALSE(Checked(app.Control(ids::kCheckRecording)));
  EXPECT_EQ(app.ControlText(ids::kComboSpeed), s.speed);
  EXPECT_EQ(app.ControlText(ids::kComboRecordCount), s.count);

  const std::string ini = app.IniBytes();
  for (const auto& [path, value] : s.after) {
    const std::size_t slash = path.find('/');
    // Compared without surrounding blanks: the platform's profile writer may keep or drop them when
    // it rewrites the file for another key.
    auto found = IniValue(ini, path.substr(0, slash), path.substr(slash + 1));
    if (found) found = Trim(*found);
    EXPECT_EQ(found, value) << path << " is " << Describe(found) << " in:\n" << ini;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, StoredValues,
    ::testing::Values(
        Stored{"OnlyRecordCount100", "[Record]\r\nRecordCount=100\r\n", false, false, L"極限加速", L"100",
               {{"Record/EnableRecord", "0"}, {"Normal/EnableSpeed", "0"}, {"Normal/AlwaysTop", "0"},
                {"Speed/SpeedLevel", "2"}, {"Record/RecordCount", "100"}}},
        // Blanks around a value do not hide it; the box is already checked, so nothing turns it off.
        Stored{"EnableSpeedWithBlanks", "[Normal]\r\nEnableSpeed=  1   \r\n[Record]\r\nRecordCount=50\r\n", false, true,
               L"極限加速", L"50", {{"Normal/EnableSpeed", "1"}, {"Normal/AlwaysTop", "0"}}},
        Stored{"SpeedLevel3", "[Speed]\r\nSpeedLevel=3\r\n[Record]\r\nRecordCount=200\r\n", false, false, L"極限加速",
               L"200", {{"Speed/SpeedLevel", "2"}, {"Record/RecordCount", "200"}}},
        Stored{"SpeedLevel1", "[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nRecordCount=300\r\n", false, false, L"普通加速",
               L"300", {{"Speed/SpeedLevel", "1"}}},
        Stored{"AlwaysTop1", "[Normal]\r\nAlwaysTop=1\r\n[Record]\r\nRecordCount=50\r\n", true, false, L"極限加速",
               L"50", {{"Normal/AlwaysTop", "1"}, {"Normal/EnableSpeed", "0"}}},
        // A count written as a decimal fraction selects its whole-number item and is stored as that.
        Stored{"RecordCountFraction", "[Record]\r\nRecordCount=100.0\r\n", false, false, L"極限加速", L"100",
               {{"Record/RecordCount", "100"}}}),
    [](const ::testing::TestParamInfo<Stored>& p) { return std::string(p.param.name); });

// A settings file Notepad saved as UTF-8 with its mark. Windows' profile functions would take the
// mark for part of the first line and miss [Normal]; Wine reads the mark, so here only the file's
// form after the start shows it: the code page where that holds every name, else UTF-16.
TEST(Settings, AFileSavedAsUtf8WithItsMarkIsWrittenAgainInAFormWindowsReads) {
  // The program left alone, and how the file begins after the start.
  const std::pair<std::wstring, std::string> cases[] = {{L"メモ帳.exe", "[Normal]"}, {L"\uAC00\uB098.exe", "\xFF\xFE"}};
  for (const auto& [name, form] : cases) {
    const std::wstring text = L"[Normal]\r\nEnableSpeed=1\r\n[Speed]\r\nSpeedLevel=1\r\n[Advanced]\r\nExclude=" + name;
    RunningApp app("\xEF\xBB\xBF" + ToCodePage(text + L"\r\n", CP_UTF8));
    ASSERT_TRUE(StartAndWaitShown(app));
    EXPECT_EQ(app.IniBytes().substr(0, form.size()), form);
    EXPECT_TRUE(Checked(app.Control(ids::kCheckAcceleration)));
    EXPECT_EQ(app.ControlText(ids::kComboSpeed), L"普通加速");
    EXPECT_EQ(ListViewCell(app.Control(ids::kListRules), 0, 0), name);
  }
}

constexpr char kAllOff[] =
    "[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=0\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=2\r\n"
    "[Record]\r\nEnableRecord=0\r\nRecordCount=50\r\n";

TEST(Settings, EveryClickIsStoredAtOnce) {
  RunValueGuard run;
  RunningApp app(kAllOff);
  ASSERT_TRUE(StartAndWaitShown(app));
  app.ShowPage(1);
  ASSERT_EQ(app.ActivePage(), 1);

  struct Box {
    int id;
    const char* section;
    const char* key;
  };
  const Box boxes[] = {{ids::kCheckAutoMin, "Normal", "AutoMin"},
                       {ids::kCheckAcceleration, "Normal", "EnableSpeed"},
                       {ids::kCheckRecording, "Record", "EnableRecord"},
                       {ids::kCheckAlwaysTop, "Normal", "AlwaysTop"}};
  for (const Box& box : boxes) {
    app.Click(box.id);
    EXPECT_TRUE(Checked(app.Control(box.id))) << box.key;
    EXPECT_TRUE(WaitForIni(app, box.section, box.key, "1")) << box.key << ":\n" << app.IniBytes();
    app.Click(box.id);
    EXPECT_FALSE(Checked(app.Control(box.id))) << box.key;
    EXPECT_TRUE(WaitForIni(app, box.section, box.key, "0")) << box.key << ":\n" << app.IniBytes();
  }

  // Always-on-top takes effect with the click, not at the next start.
  app.Click(ids::kCheckAlwaysTop);
  EXPECT_TRUE(WaitFor([&] { return Topmost(app.Main()); }));
  app.Click(ids::kCheckAlwaysTop);
  EXPECT_TRUE(WaitFor([&] { return !Topmost(app.Main()); }));

  app.Pick(ids::kComboSpeed, L"普通加速");
  EXPECT_TRUE(WaitForIni(app, "Speed", "SpeedLevel", "1")) << app.IniBytes();
  app.Pick(ids::kComboSpeed, L"極限加速");
  EXPECT_TRUE(WaitForIni(app, "Speed", "SpeedLevel", "2")) << app.IniBytes();
  for (const wchar_t* count : {L"300", L"100", L"200", L"50"}) {
    app.Pick(ids::kComboRecordCount, count);
    const std::string expected = ToCodePage(count, CP_ACP);
    EXPECT_TRUE(WaitForIni(app, "Record", "RecordCount", expected)) << expected << ":\n" << app.IniBytes();
  }

  // Autostart: the Run value names this very copy, quoted, while the box is checked, and is gone after.
  const std::wstring exe = L"\"" + app.Dir().File(L"kestrune.exe") + L"\"";
  app.Click(ids::kCheckAutoRun);
  EXPECT_TRUE(WaitForIni(app, "Normal", "AutoRun", "1")) << app.IniBytes();
  EXPECT_TRUE(WaitFor([&] { return MachineRunValue(kRunValueName).has_value(); }));
  const auto value = MachineRunValue(kRunValueName);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(::CompareStringOrdinal(value->c_str(), -1, exe.c_str(), -1, TRUE), CSTR_EQUAL)
      << "Run value: " << ToCodePage(*value, CP_UTF8) << "\nprogram:   " << ToCodePage(exe, CP_UTF8);
  EXPECT_FALSE(UserRunValue(kRunValueName).has_value());  // one key names the program
  app.Click(ids::kCheckAutoRun);
  EXPECT_TRUE(WaitForIni(app, "Normal", "AutoRun", "0")) << app.IniBytes();
  EXPECT_TRUE(WaitFor([&] { return !MachineRunValue(kRunValueName).has_value(); }));
  EXPECT_TRUE(app.Proc().Running());
}

TEST(Settings, StoredAutostartRewritesTheRunValueWithThePathOfTheCopyThatStarts) {
  RunValueGuard run;
  // A value left by a copy that has since moved elsewhere.
  {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr,
                                0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t old[] = L"C:\\old place\\kestrune.exe";
    ::RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(old), sizeof(old));
    ::RegCloseKey(key);
  }
  RunningApp app("[Normal]\r\nAutoRun=1\r\n[Record]\r\nRecordCount=50\r\n");
  ASSERT_TRUE(StartAndWaitShown(app));
  EXPECT_TRUE(Checked(app.Control(ids::kCheckAutoRun)));
  EXPECT_EQ(IniValue(app.IniBytes(), "Normal", "AutoRun"), "1");
  const std::wstring exe = L"\"" + app.Dir().File(L"kestrune.exe") + L"\"";
  const auto value = MachineRunValue(kRunValueName);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(::CompareStringOrdinal(value->c_str(), -1, exe.c_str(), -1, TRUE), CSTR_EQUAL)
      << "Run value: " << ToCodePage(*value, CP_UTF8);
}

bool SameExecutable(const std::optional<std::wstring>& value, const std::wstring& quoted) {
  return value.has_value() && ::CompareStringOrdinal(value->c_str(), -1, quoted.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// As for a standard user: the machine-wide Run key refuses values, so the user's own key names the
// program while the box is ticked, and nothing does after it is unticked.
TEST(Settings, WithoutRightsToTheMachineRunKeyAutostartUsesTheUsersKey) {
  RunValueGuard run;
  RunningApp app(kAllOff);
  ASSERT_TRUE(StartAndWaitShown(app));
  const RunKeyDenied denied(HKEY_LOCAL_MACHINE);  // restored whatever the assertions say
  ASSERT_TRUE(denied.Active());
  HKEY probe = nullptr;
  const LONG opened = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                                      KEY_SET_VALUE, &probe);
  if (opened == ERROR_SUCCESS) ::RegCloseKey(probe);
  ASSERT_EQ(opened, ERROR_ACCESS_DENIED);
  app.ShowPage(1);

  const std::wstring exe = L"\"" + app.Dir().File(L"kestrune.exe") + L"\"";
  app.Click(ids::kCheckAutoRun);
  EXPECT_TRUE(Checked(app.Control(ids::kCheckAutoRun)));
  EXPECT_TRUE(WaitForIni(app, "Normal", "AutoRun", "1")) << app.IniBytes();
  EXPECT_TRUE(SameExecutable(UserRunValue(kRunValueName), exe))
      << ToCodePage(UserRunValue(kRunValueName).value_or(L"<none>"), CP_UTF8);
  EXPECT_FALSE(MachineRunValue(kRunValueName).has_value());
  EXPECT_EQ(FindMessageBox(app.ProcessId(), L"Kestrune"), nullptr);

  app.Click(ids::kCheckAutoRun);
  EXPECT_TRUE(WaitForIni(app, "Normal", "AutoRun", "0")) << app.IniBytes();
  EXPECT_FALSE(UserRunValue(kRunValueName).has_value());
  EXPECT_EQ(FindMessageBox(app.ProcessId(), L"Kestrune"), nullptr);
}

// Neither Run key takes a value: the user is told so, the box is unticked again and AutoRun is
// stored off, as Windows will not start the program.
TEST(Settings, WithNeitherRunKeyWritableAutostartIsRefusedAndSaysSo) {
  RunValueGuard run;
  RunningApp app("[Record]\r\nRecordCount=50\r\n");
  ASSERT_TRUE(StartAndWaitShown(app));
  const RunKeyDenied machine(HKEY_LOCAL_MACHINE);
  const RunKeyDenied user(HKEY_CURRENT_USER);
  ASSERT_TRUE(machine.Active() && user.Active());
  app.ShowPage(1);

  // Posted: the message box the click brings would hold a sent message until it is closed.
  ::PostMessageW(app.Control(ids::kCheckAutoRun), BM_CLICK, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L"Kestrune")) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), UiText(TextId::AutostartRefused));
  SaveScreenshot(box, L"autostart_refused");
  PressDialogButton(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), L"Kestrune") == nullptr; }));
  EXPECT_FALSE(Checked(app.Control(ids::kCheckAutoRun)));
  EXPECT_TRUE(WaitForIni(app, "Normal", "AutoRun", "0")) << app.IniBytes();
  EXPECT_FALSE(MachineRunValue(kRunValueName).has_value());
  EXPECT_FALSE(UserRunValue(kRunValueName).has_value());
}

}  // namespace
}  // namespace kestrune::e2e
