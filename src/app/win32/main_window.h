#pragma once
// The real main window: builds its controls, turns messages into calls of the portable form logic,
// and supplies what that logic asks of the window (tray, hook, z-order, dragging, the shell).
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/form_main.h"
#include "app/language_chooser.h"
#include "app/win32/control_table.h"
#include "app/win32/fonts.h"
#include "app/win32/foreground_watch.h"
#include "app/win32/own_controls.h"
#include "app/win32/rule_table.h"
#include "app/win32/stock_controls.h"
#include "app/win32/tray_icon.h"
#include "platform/win32/clock.h"
#include "platform/win32/code_page.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/process_snapshot.h"
#include "platform/win32/processes.h"
#include "platform/win32/window_base.h"

namespace kestrune {

// The settings file, the autostart value, the history's files and the journal, bound to this
// executable's location.
struct Win32Services;

class Win32MainWindow : public WindowBase, public MainWindowOps, public HookInstaller, public FlagBoxes {
 public:
  explicit Win32MainWindow(HINSTANCE instance);
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  // Creates the window, runs the start-up sequence and shows the window unless it went to the tray.
  // False when the window or one of its controls could not be made; that has been reported.
  bool Create();

  // For the message loop, ahead of translation: the window's keyboard navigation (Tab, Shift+Tab,
  // Ctrl+Tab, Ctrl+Shift+Tab, Enter on a push button) and its focus marks, which mouse use hides
  // and the keyboard shows. True when the message was used up.
  bool TranslateNavigation(const MSG& msg);

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

  // FlagBoxes: the check box whose row mirrors the flag.
  CheckBox& Of(Setting flag) override;

  // HookInstaller
  void Install() override;
  void Remove() override;
  std::uint32_t RegisterTaskbarCreated() override;
  void AllowFromShell(std::uint32_t message) override;

 private:
  static LRESULT CALLBACK StaticHookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The window's timers, run past its window procedure: the tab strip's hook subclasses the window,
  // and under Wine every message through the subclass chain asks the server for its properties a
  // dozen times. A WM_TIMER sent to the window is still handled there.
  static void CALLBACK StaticTimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);
  static LRESULT CALLBACK ChildSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR data);
  LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  FormLogic Logic() { return {*form_, *settingsPage_, *advancedPage_, *languageChooser_}; }
  // The link label a window is, if it is one.
  Win32Label* LinkOf(HWND control);
  HBRUSH OnColorStatic(HDC dc, HWND control);

  // main_window_keyboard.cpp: the tab order over the table, the page switch keys, focus marks.
  bool NavigationKey(const MSG& msg);
  void MoveFocus(bool forward);
  void KeepFocusOnPage();
  void ShowFocusMarks(bool show);
  LRESULT UpdateUiState(WPARAM wParam, LPARAM lParam);
  void RememberFocus(bool activating);

  // main_window_controls.cpp: the controls of the table, and what each needs beyond its row.
  bool CreateControls();
  HWND CreateStockControl(const ControlRow& row);
  bool CreateOwnControl(const ControlRow& row);
  void MakeAdapter(const ControlRow& row, HWND control);
  void SetUpToolbar(HWND toolbar);
  void SetUpHistoryList(HWND list);
  void CreateTrayMenu();
  void BuildLogic();
  void ChooseLanguage();
  int Scale(int value) const { return MulDiv(value, dpi_, 96); }
  // main_window_dpi.cpp: the resolution of the screen the window stands on, and a move to another.
  static int InitialDpi(HWND window);
  void LoadIcons();
  int SmallIconSize() const;
  HFONT FontOf(const ControlRow& row) const;
  void OnDpiChanged(int dpi, const RECT& suggested);
  void ReplaceIcons();
  void ReplaceFonts();
  std::vector<int> ParkedDistances(int before) const;
  void PlaceControls(const std::vector<int>& parked);
  void AddToolbarButtons(HWND toolbar);
  void SetHistoryImages(HWND list);
  void SizeHistoryColumns(HWND list);

  HINSTANCE instance_;
  HWND tooltip_ = nullptr;
  HBRUSH pageBrush_ = nullptr;
  HMENU trayMenu_ = nullptr;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HIMAGELIST historyImages_ = nullptr;
  std::vector<std::pair<HWND, HBRUSH>> swatches_;  // the legend's swatches and their colours
  int dpi_ = 96;
  UiFonts fonts_;
  WNDPROC previousProc_ = nullptr;
  bool hiddenToTray_ = false;
  bool focusHidden_ = false;  // UISF_HIDEFOCUS of the window's UI state (see ui_state.h)
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window was deactivated

  Win32ProcessApi processes_;
  Win32ProcessSnapshot snapshot_;
  Win32CodePage codePage_;
  Win32Clock clock_;
  Win32MessageBoxes boxes_;
  Win32TrayIcon tray_;

  Win32ForegroundWatch watch_;
  // The adapters the form logic talks to, one for each row that has one, made with its control.
  using Adapter = std::variant<Win32Label, Win32CheckBox, Win32ComboBox, Win32ListBox, Win32TextBox, Win32HistoryList,
                               Win32GradientButton, Win32RuleTable>;
  std::map<int, Adapter> adapters_;
  template <typename T>
  T& Control(int id) { return std::get<T>(adapters_.at(id)); }
  template <typename T>
  T& Emplace(int id) { return std::get<T>(adapters_.try_emplace(id, std::in_place_type<T>).first->second); }
  Win32TabStripPages tabs_;
  Win32Monitor monitor_;
  std::vector<std::unique_ptr<Win32ContainedControl>> contained_;

  std::unique_ptr<Win32Services> services_;
  std::unique_ptr<History> history_;
  std::unique_ptr<Settings> settings_;
  std::unique_ptr<SettingsPage> settingsPage_;
  std::unique_ptr<LanguageChooser> languageChooser_;
  std::unique_ptr<AdvancedPage> advancedPage_;  // after watch_: gone first, releasing what it started
  std::unique_ptr<PriorityChanges> changes_;
  std::unique_ptr<BoostCycle> boost_;
  std::unique_ptr<BackgroundRestraint> restraint_;
  std::unique_ptr<RestraintStatus> restraintStatus_;
  std::unique_ptr<WindowHook> hook_;
  std::unique_ptr<FormMain> form_;
};

}  // namespace kestrune
