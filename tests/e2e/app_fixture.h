#pragma once
// One running copy of kestrune.exe in a fresh folder of its own.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/win32/control_ids.h"
#include "driver.h"
#include "window_pixels.h"

namespace kestrune::e2e {

class RunningApp {
 public:
  static constexpr int kPages = 5;
  // ini: the settings file to place beside the program before it starts (none when empty).
  explicit RunningApp(const std::string& ini = {});
  ~RunningApp();

  // Parks the pointer, starts the program and waits until its start-up is over: the main window
  // exists, its tray icon is there and the program answers messages.
  // Again after the program ended, or was killed: the next start, in the same folder.
  bool Start();
  HWND Main() const { return main_; }
  HWND Control(int id) const { return ::GetDlgItem(main_, id); }
  std::wstring ControlText(int id) const { return Text(Control(id)); }
  DWORD ProcessId() { return process_.Id(); }
  Process& Proc() { return process_; }
  const TempDir& Dir() const { return dir_; }
  std::string IniBytes() const { return ReadFileBytes(dir_.File(L"kestrune.ini")); }

  // What a click does: check boxes through BM_CLICK, combo boxes by selection plus notification.
  void Click(int id);
  void PressButton(int id);
  void Pick(int comboId, const std::wstring& itemText);
  // Steps through the pages with the right arrow until `page` is shown; false when it never came.
  bool ShowPage(int page);
  int ActivePage() const;
  // Shown to the user: a visible window within the main window's client area.
  bool OnScreen(int id) const;
  // Saves the client area of the window as it is drawn now to <ArtifactDir>\<name>.png.
  void Screenshot(const std::wstring& name);
  // The window's pixels, frame included, once everything is painted anew.
  WindowPixels Pixels();
  // Ends the program through its own shut-down (log-off path: no confirmation).
  void EndSession();

  // One tick of the program's one-second timer, run now instead of waiting for it.
  void Tick();
  // The switch counter LabelCount as a number; -1 when it shows none.
  int SwitchCount() const;

 private:
  TempDir dir_;
  std::wstring exe_;
  Process process_;
  HWND main_ = nullptr;
};

// The resolution a program started now reads from the user's settings; the old setting comes back
// when the object goes, so later starts see the resolution they saw before.
class StartResolution {
 public:
  explicit StartResolution(DWORD dpi) {
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof(old_);
    had_ = ::RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
           ERROR_SUCCESS;
    set_ = ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi)) ==
           ERROR_SUCCESS;
  }
  ~StartResolution() {
    if (key_ == nullptr) return;
    if (had_) ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
    else ::RegDeleteValueW(key_, L"LogPixels");
    ::RegCloseKey(key_);
  }
  StartResolution(const StartResolution&) = delete;
  StartResolution& operator=(const StartResolution&) = delete;
  bool Set() const { return set_; }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool had_ = false;
  bool set_ = false;
};

// The resource monitor has drawn its diagram: a line of its grid's colour runs across its rectangle
// in the window's picture. Until its first tick, half a second after the window loaded, it shows only
// its background.
bool MonitorShowsItsGrid(RunningApp& app);

// The file dialog the program shows (the one that saves the history); null when none comes within
// the timeout.
HWND WaitForFileDialog(DWORD processId, std::chrono::milliseconds timeout = kPatience);
// Puts a path into the dialog's name box, as typing it would.
void TypeFileName(HWND dialog, const std::wstring& path);

// How a helper is started: from which executable (a copy under another name is another program),
// with which arguments before the titles, and the class its windows are found by.
struct HelperOptions {
  std::wstring exe;  // empty: the helper as built
  std::wstring leading;
  const wchar_t* windowClass = L"KestruneTestHelper";
};

// A helper program with titled top-level windows, all on its one thread.
class HelperApp {
 public:
  explicit HelperApp(const std::wstring& title);
  explicit HelperApp(const std::vector<std::wstring>& titles, const HelperOptions& options = {});
  // Window `index` (in the order of the titles); null when the helper did not come up.
  HWND Window(std::size_t index = 0) const { return index < windows_.size() ? windows_[index] : nullptr; }
  DWORD ProcessId() { return process_.Id(); }
  // Brings window `index` to the front from the helper's own thread, as a click on it would, and
  // confirms it as the free BringToFront does, with the same repeats.
  bool BringToFront(std::size_t index = 0, int* redone = nullptr);

 private:
  Process process_;
  std::vector<HWND> windows_;
};

}  // namespace kestrune::e2e
