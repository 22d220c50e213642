// A copy unpacked into a folder where DLLs under the names of system DLLs lie beside it, as a web
// page can leave them in Downloads: the program loads none of them, and works.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>

#include "app_fixture.h"

namespace kestrune::e2e {
namespace {

// Windows looks for a DLL that is not a known DLL in the program's folder first; Wine prefers its
// own, unless told to prefer the one found on the search path for these names.
constexpr const wchar_t* kPlanted[] = {L"uxtheme.dll", L"oleacc.dll", L"dwmapi.dll"};

// For kestrune.exe started while it lives: Wine's DLL overrides "native, then builtin" for the names
// above, as WINEDLLOVERRIDES="uxtheme,oleacc,dwmapi=n,b" would set them. Wine reads that variable
// from the environment a process inherits from its Linux parent, not from the block a program
// passes to CreateProcess, so the driver sets the same overrides in the registry, for this one
// program and until the test ends.
class SearchLikeWindows {
 public:
  SearchLikeWindows() {
    const REGSAM access = KEY_SET_VALUE | KEY_QUERY_VALUE;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, access, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    const std::wstring value = L"native,builtin";
    for (const wchar_t* name : kPlanted) {
      ::RegSetValueExW(key_, Base(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
  }
  ~SearchLikeWindows() {
    if (key_ == nullptr) return;
    for (const wchar_t* name : kPlanted) ::RegDeleteValueW(key_, Base(name).c_str());
    ::RegCloseKey(key_);
  }
  SearchLikeWindows(const SearchLikeWindows&) = delete;
  SearchLikeWindows& operator=(const SearchLikeWindows&) = delete;

 private:
  static std::wstring Base(const wchar_t* name) { return std::wstring(name).substr(0, std::wcslen(name) - 4); }
  static constexpr wchar_t kKey[] = L"Software\\Wine\\AppDefaults\\kestrune.exe\\DllOverrides";
  HKEY key_ = nullptr;
};

// The markers the planted DLLs' start-up code left, by name; empty when none ran.
std::wstring Markers(const TempDir& dir) {
  std::wstring found;
  for (const wchar_t* name : kPlanted)
    if (FileExists(dir.File(name) + L".loaded")) found += std::wstring(name) + L" ";
  return found;
}

// Where the process's comctl32 came from, in lower case; empty when it has none loaded.
std::wstring CommonControlsPath(DWORD processId) {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return {};
  std::wstring path;
  MODULEENTRY32W module{};
  module.dwSize = sizeof(module);
  for (BOOL more = ::Module32FirstW(snapshot, &module); more && path.empty();
       more = ::Module32NextW(snapshot, &module)) {
    std::wstring name = module.szModule;
    std::transform(name.begin(), name.end(), name.begin(), [](wchar_t c) { return std::towlower(c); });
    if (name == L"comctl32.dll") path = module.szExePath;
  }
  ::CloseHandle(snapshot);
  std::transform(path.begin(), path.end(), path.begin(), [](wchar_t c) { return std::towlower(c); });
  return path;
}

TEST(PlantedDll, NoneIsLoadedWhileThePagesAndTheSaveDialogAreUsed) {
  RunningApp app(
      "[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n");
  const std::wstring planted = HelperPath().substr(0, HelperPath().find_last_of(L"\\/")) + L"\\planted_dll.dll";
  for (const wchar_t* name : kPlanted)
    ASSERT_TRUE(::CopyFileW(planted.c_str(), app.Dir().File(name).c_str(), FALSE)) << testing::PrintToString(name);
  const SearchLikeWindows search;
  ASSERT_TRUE(app.Start()) << "markers: " << testing::PrintToString(Markers(app.Dir()));
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
  EXPECT_NE(controls.find(L"common-controls"), std::wstring::npos) << testing::PrintToString(controls);
  EXPECT_NE(controls.find(L"_6.0."), std::wstring::npos) << testing::PrintToString(controls);
  EXPECT_TRUE(app.Proc().Running());
}

}  // namespace
}  // namespace kestrune::e2e
