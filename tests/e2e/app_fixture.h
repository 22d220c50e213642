#pragma once
// One running copy of kestrune.exe in a fresh folder of its own.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/win32/control_ids.h"
#include "driver.h"

namespace kestrune::e2e {

class RunningApp {
 public:
  // ini: the settings file to place beside the program before it starts (none when empty).
  explicit RunningApp(const std::string& ini = {});
  ~RunningApp();

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
  void ShowPage(int page);
  int ActivePage() const;
  // Shown to the user: a visible window within the main window's client area.
  bool OnScreen(int id) const;
  void Screenshot(const std::wstring& name);
  // Ends the program through its own shut-down (log-off path: no confirmation).
  void EndSession();

 private:
  TempDir dir_;
  std::wstring exe_;
  Process process_;
  HWND main_ = nullptr;
};

// A helper program with one titled top-level window.
class HelperApp {
 public:
  explicit HelperApp(const std::wstring& title);
  HWND Window() const { return window_; }
  DWORD ProcessId() { return process_.Id(); }
  void BringToFront();

 private:
  Process process_;
  HWND window_ = nullptr;
};

}  // namespace kestrune::e2e
