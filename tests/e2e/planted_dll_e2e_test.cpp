// A copy unpacked into a folder where DLLs under the names of system DLLs lie beside it, as a web
// page can leave them in Downloads: the program loads none of them, and works.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

// Windows looks for a DLL that is not a known DLL in the program's folder first.
constexpr const wchar_t* kPlanted[] = {L"uxtheme", L"oleacc", L"dwmapi"};

// For kestrune.exe while it lives: Wine prefers a DLL of these names found on the search path to its
// own, as WINEDLLOVERRIDES="uxtheme,oleacc,dwmapi=n,b" would make it. Wine reads that variable from
// the environment a process inherits from its Linux parent, not from the block a program passes to
// CreateProcess, so the driver sets the same overrides in the registry for this one program.
class SearchLikeWindows {
 public:
  SearchLikeWindows() {
    ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\kestrune.exe\\DllOverrides", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key_, nullptr);
    for (const wchar_t* name : kPlanted)
      ::RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native,builtin"), 15 * sizeof(wchar_t));
  }
  ~SearchLikeWindows() {
    for (const wchar_t* name : kPlanted) ::RegDeleteValueW(key_, name);
    ::RegCloseKey(key_);
  }
  SearchLikeWindows(const SearchLikeWindows&) = delete;
  SearchLikeWindows& operator=(const SearchLikeWindows&) = delete;

 private:
  HKEY key_ = nullptr;
};

// The planted DLLs whose start-up code ran: each leaves <its path>.loaded.
std::wstring Markers(const TempDir& dir) {
  std::wstring found;
  for (const wchar_t* name : kPlanted)
    if (FileExists(dir.File(name) + L".dll.loaded")) found += std::wstring(name) + L" ";
  return found;
}

// Where the process's comctl32 was loaded from, in lower case; empty when nowhere.
std::wstring CommonControlsPath(DWORD processId) {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  std::wstring path;
  MODULEENTRY32W module{};
  module.dwSize = sizeof(module);
  for (BOOL more = ::Module32FirstW(snapshot, &module); more; more = ::Module32NextW(snapshot, &module))
    if (::lstrcmpiW(module.szModule, L"comctl32.dll") == 0) path = module.szExePath;
  if (snapshot != INVALID_HANDLE_VALUE) ::CloseHandle(snapshot);
  std::transform(path.begin(), path.end(), path.begin(), [](wchar_t c) { return std::towlower(c); });
  return path;
}

TEST(PlantedDll, NoneIsLoadedWhileThePagesAndTheSaveDialogAreUsed) {
  RunningApp app("[Normal]\r\nEnableSpeed=1\r\n[Record]\r\nEnableRecord=1\r\n");
  const std::wstring planted = HelperPath().substr(0, HelperPath().find_last_of(L"\\/")) + L"\\planted_dll.dll";
  for (const wchar_t* name : kPlanted)
    ASSERT_TRUE(::CopyFileW(planted.c_str(), (app.Dir().File(name) + L".dll").c_str(), FALSE));
  const SearchLikeWindows search;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  EXPECT_EQ(Markers(app.Dir()), L"") << "loaded at the start";
  for (int page = RunningApp::kPages - 1; page >= 0; --page) ASSERT_TRUE(app.ShowPage(page)) << page;

  // A row to save, then the history saved through the file dialog.
  HelperApp helper(L"Helper A");
  ASSERT_TRUE(helper.BringToFront());
  app.Tick();
  ASSERT_GT(ListViewRowCount(app.Control(ids::kListViewHistory)), 0);
  ::PostMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(ids::kToolbarSave, 0), 0);
  const HWND dialog = WaitForFileDialog(app.ProcessId());
  ASSERT_NE(dialog, nullptr) << "no file dialog";
  TypeFileName(dialog, app.Dir().File(L"history.txt"));
  PressDialogButton(dialog, IDOK);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), L":-)")) != nullptr; }));
  PressDialogButton(box, IDOK);
  EXPECT_TRUE(FileExists(app.Dir().File(L"history.txt")));

  EXPECT_EQ(Markers(app.Dir()), L"") << "loaded by the pages or the save dialog";
  // Loaded from the system by name, comctl32 is still the version the manifest asks for: the one
  // that draws the controls with visual styles.
  const std::wstring controls = CommonControlsPath(app.ProcessId());
  EXPECT_TRUE(controls.find(L"common-controls") != std::wstring::npos && controls.find(L"_6.0.") != std::wstring::npos)
      << testing::PrintToString(controls);
  EXPECT_TRUE(app.Proc().Running());
}

}  // namespace
}  // namespace kestrune::e2e
