#pragma once
// The real main window: makes its controls from the control table and their adapters, turns each of
// its messages once into a named event for the program (MainWindowEvents), and does what the
// program asks of a window (MainWindowOps). It neither builds nor owns the program: the Win32
// program (program.h) does, and hands the window the program's events once it exists.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <utility>
#include <vector>

#include "app/main_window_events.h"
#include "app/program.h"
#include "app/win32/adapters.h"
#include "app/win32/control_table.h"
#include "app/win32/fonts.h"
#include "app/win32/keyboard_navigation.h"
#include "app/win32/own_controls.h"
#include "app/win32/tray_icon.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/window_base.h"

namespace kestrune {

class Win32MainWindow : public WindowBase, public MainWindowOps {
 public:
  explicit Win32MainWindow(HINSTANCE instance) : instance_(instance) {}
  ~Win32MainWindow() override;
  Win32MainWindow(const Win32MainWindow&) = delete;
  Win32MainWindow& operator=(const Win32MainWindow&) = delete;

  // Creates the window and its controls, hidden. False when the window or one of its controls could
  // not be made; a control that could not be made has been reported in a box the window owns.
  bool Create(Win32MessageBoxes& boxes);
  HWND Hwnd() const { return hwnd_; }
  // What the program works with of its window.
  ProgramWindow Parts(ForegroundWatch& watch);
  // From here on every message reaches the program; until then the window only does the default.
  void SetEvents(MainWindowEvents* events) { events_ = events; }
  // The one-second tick; the focus marks stay hidden until the keyboard is used.
  void StartTicking();
  // After the start-up, unless it went to the tray.
  void ShowUnlessHidden();

  // For the message loop, ahead of translation: the window's keyboard navigation and the own
  // controls' access keys. True when the message was used up.
  bool PreTranslate(const MSG& msg);

  // MainWindowOps
  void SetTopmost(bool topmost) override;
  void StartDrag() override;
  bool IsVisible() const override;
  void Show() override;
  void Hide() override;
  void Restore() override;
  void OpenUrl(std::wstring_view url) override;
  void BringToForeground() override;
  void ShowTrayMenu() override;
  void RequestClose() override;
  void AcceptTrayNotifications() override;
  void AcceptTaskbarCreated() override;

  // The message a hook's event is posted as (main_window.cpp): wParam the process that owns the
  // event's window.
  static const UINT kForegroundEvent;

 private:
  LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The messages that reach the program, each once as a named event; false when it is none of them.
  bool ProgramMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnCommand(int id, int code);
  HBRUSH OnColorStatic(HDC dc, HWND control);
  bool OnSetCursor(HWND control, UINT mouseMessage);
  LRESULT OnNotify(const NMHDR& header);
  // The link label a window is, if it is one.
  Win32Label* LinkOf(HWND control);

  // main_window_controls.cpp: the controls of the table, and what each needs beyond its row.
  bool CreateControls(Win32MessageBoxes& boxes);
  HWND CreateStockControl(const ControlRow& row);
  bool CreateOwnControl(const ControlRow& row);
  void MakeAdapter(const ControlRow& row, HWND control);
  void SetUpToolbar(HWND toolbar);
  void SetUpHistoryList(HWND list);
  void CreateTrayMenu();
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
  MainWindowEvents* events_ = nullptr;
  UINT taskbarCreated_ = 0;  // the registered "TaskbarCreated", once the program accepts it
  bool hiddenToTray_ = false;
  int dpi_ = 96;

  // What the window made and releases.
  UiFonts fonts_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HBRUSH pageBrush_ = nullptr;
  HMENU trayMenu_ = nullptr;
  HWND tooltip_ = nullptr;
  HIMAGELIST historyImages_ = nullptr;
  std::vector<std::pair<HWND, HBRUSH>> swatches_;  // the legend's swatches and their colours

  // Its controls: the stock controls' adapters by id, the own controls, the pages' contained controls.
  Win32Adapters adapters_;
  Win32TabStripPages tabs_;
  Win32Monitor monitor_;
  std::vector<std::unique_ptr<Win32ContainedControl>> contained_;
  Win32TrayIcon tray_;
  Win32KeyboardNavigation navigation_;
};

}  // namespace kestrune
