#pragma once
// The real main window: builds its controls, turns messages into calls of the portable form logic,
// and supplies what that logic asks of the window (tray, hook, z-order, dragging, the shell).
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <set>
#include <string>

#include "app/form_main.h"
#include "app/settings_bridge.h"
#include "app/win32/fonts.h"
#include "app/win32/own_controls.h"
#include "app/win32/stock_controls.h"
#include "app/win32/tray_icon.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_processes.h"

namespace kestrune {

class Win32MessageBoxes : public MessageBoxes {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(std::wstring_view text, std::wstring_view title, unsigned flags) override;

 private:
  HWND owner_ = nullptr;
};

// Platform services whose Win32 versions live with their subsystems.
struct Win32Services;

class Win32MainWindow : public MainWindowOps, public HookInstaller {
 public:
  explicit Win32MainWindow(HINSTANCE instance);
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  // Creates the window, runs the start-up sequence and shows the window unless it went to the tray.
  bool Create();

  // MainWindowOps
  void SetTopmost(bool topmost) override;
  void SendMinimizeCommand() override;
  void StartDrag() override;
  bool IsVisible() const override;
  void Show() override;
  void Hide() override;
  void SendRestore() override;
  void OpenUrl(std::wstring_view url) override;
  void BringToForeground() override;
  void ShowTrayMenu() override;
  void RequestClose() override;

  // HookInstaller
  void Install() override;
  void Remove() override;
  std::uint32_t RegisterTaskbarCreated() override;
  void AllowFromShell(std::uint32_t message) override;

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK StaticHookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ChildSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR data);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code, HWND control);
  HBRUSH OnColorStatic(HDC dc, HWND control);

  void CreateControls();
  void BuildLogic();
  HWND AddControl(int page, const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y,
                  int w, int h, HFONT font);
  HWND AddLabel(int page, int id, const wchar_t* text, int x, int y, int w, int h, HFONT font = nullptr,
                DWORD extraStyle = 0);
  int Scale(int value) const { return MulDiv(value, dpi_, 96); }

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HBRUSH pageBrush_ = nullptr;
  HMENU menu_ = nullptr;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HIMAGELIST historyImages_ = nullptr;
  HBRUSH swatchBrushes_[5] = {};
  HWND swatches_[5] = {};
  int dpi_ = 96;
  UiFonts fonts_;
  WNDPROC previousProc_ = nullptr;
  bool hiddenToTray_ = false;

  Win32ProcessApi processes_;
  Win32CodePage codePage_;
  Win32Clock clock_;
  Win32MessageBoxes boxes_;
  Win32TrayIcon tray_;

  Win32CheckBox checkAutoRun_, checkAutoMin_, checkMostTop_, checkState_, checkEnableRecord_;
  Win32ComboBox comboSpeed_, comboAutoCleanCount_;
  Win32Label labelInfo_, labelCount_, labelHomePage_, labelNeedHelp_;
  Win32HistoryList listViewHistory_;
  Win32TabStripPages tabs_;
  Win32GradientButton commandExit_, commandMini_;
  Win32Monitor monitor_;
  std::vector<std::unique_ptr<Win32ContainedControl>> contained_;
  std::set<HWND> pageControls_;

  std::unique_ptr<Win32Services> services_;
  std::unique_ptr<History> history_;
  std::unique_ptr<HistoryRecorder> recorder_;
  std::unique_ptr<SettingsLoader> loader_;
  std::unique_ptr<SettingsBridge> settings_;
  std::unique_ptr<BoostCycle> boost_;
  std::unique_ptr<WindowHook> hook_;
  std::unique_ptr<FormMain> form_;
};

// The running executable's full path, its directory (without a trailing backslash unless it is a
// root) and its base name without extension.
std::wstring ModuleFileName();
std::wstring ModuleDirectory();
std::wstring ModuleBaseName();

}  // namespace kestrune
