#pragma once
// The main window's own behaviour: start-up and shut-down order, its buttons, links, dragging and
// the tray menu. Portable: it talks to its controls and window through small interfaces.
#include <string_view>

#include "app/form_settings.h"
#include "app/ui.h"
#include "app/window_hook.h"
#include "boost/boost_cycle.h"

namespace kestrune {

inline constexpr std::wstring_view kProgramTitle = L"Kestrune";
inline constexpr std::wstring_view kWindowCaption = L"Kestrune v3.2.4";
inline constexpr std::wstring_view kHomePage = L"http://www.kestrune.example/";
inline constexpr std::wstring_view kAlreadyRunning = L"Kestruneは実行中です。";
inline constexpr std::wstring_view kConfirmExit = L"終了しますか？";
inline constexpr std::wstring_view kConfirmTitle = L"確認してください。";

// Page captions, each with one blank before and after; page 3 (about) is shown first.
inline constexpr std::wstring_view kPageCaptions[] = {L" 状態 ", L" ソフト設定 ", L" 加速記録 ", L" について "};
inline constexpr int kFirstPage = 3;
inline constexpr int kActiveTabHeight = 25;

struct FormControls {
  CheckBox& checkAutoRun;
  CheckBox& checkAutoMin;
  CheckBox& checkMostTop;
  CheckBox& checkState;
  CheckBox& checkEnableRecord;
  ComboBox& comboSpeed;
  ComboBox& comboAutoCleanCount;
  LinkLabel& labelHomePage;
  LinkLabel& labelNeedHelp;
  TabPages& tabs;
};

// The hook's installation in the real window (replacing and restoring the window procedure), the
// registration of "TaskbarCreated", and the window's message filter.
class HookInstaller {
 public:
  virtual ~HookInstaller() = default;
  virtual void Install() = 0;
  virtual void Remove() = 0;
  virtual std::uint32_t RegisterTaskbarCreated() = 0;
  // Lets a message from a process with fewer rights through to the window. An elevated copy (the
  // real-time class and other users' processes need administrator rights) would otherwise never
  // hear the shell: neither its tray icon's clicks nor "TaskbarCreated". Failures are ignored.
  virtual void AllowFromShell(std::uint32_t message) = 0;
};

class FormMain {
 public:
  FormMain(FormControls controls, MainWindowOps& window, MessageBoxes& boxes, BoostCycle& boost,
           FormSettings& settings, WindowHook& hook, HookInstaller& installer, TrayIcon& tray)
      : c_(controls), window_(window), boxes_(boxes), boost_(boost), settings_(settings), hook_(hook),
        installer_(installer), tray_(tray) {}

  // Start-up, in its fixed order; the window is shown afterwards unless it went to the tray.
  void Load();
  // Shut-down; false when the user chose to keep the program running.
  bool QueryUnload();

  void OnTimerMain() { boost_.Tick(); }
  void OnCommandExitClick() { window_.RequestClose(); }
  void OnCommandMiniClick() { window_.SendMinimizeCommand(); }
  void OnMenuMainScreen();
  void OnMenuUpdate() { window_.OpenUrl(kHomePage); }
  void OnMenuExit();
  void OnLinkClick() { window_.OpenUrl(kHomePage); }
  void OnBackgroundMouseDown() { window_.StartDrag(); }
  void OnLinkMouseMove(LinkLabel& link);
  void OnBackgroundMouseMove();

 private:
  FormControls c_;
  MainWindowOps& window_;
  MessageBoxes& boxes_;
  BoostCycle& boost_;
  FormSettings& settings_;
  WindowHook& hook_;
  HookInstaller& installer_;
  TrayIcon& tray_;
};

// Single-instance guard: true when this copy may run; otherwise the notice has been shown.
bool PassSingleInstanceGuard(bool anotherInstanceRunning, MessageBoxes& boxes);

}  // namespace kestrune
