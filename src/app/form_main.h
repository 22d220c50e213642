#pragma once
// The main window's own behaviour: start-up and shut-down order, the timer's tick, its buttons,
// links, dragging and the tray menu. Portable: it talks to its controls and window through small
// interfaces.
#include <cstdint>
#include <string_view>

#include "app/advanced_page.h"
#include "app/restraint_status.h"
#include "app/settings_page.h"
#include "app/ui.h"
#include "app/window_hook.h"
#include "engine/boost_cycle.h"
#include "engine/history.h"
#include "platform/message_boxes.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {

inline constexpr std::wstring_view kWindowCaption = L"Kestrune v" KESTRUNE_VERSION_WTEXT;
inline constexpr std::wstring_view kHomePage = L"http://www.kestrune.example/";

// Page captions, each with one blank before and after; page 3 (about) is shown first.
inline constexpr TextId kPageCaptions[] = {TextId::TabState, TextId::TabSettings, TextId::TabHistory, TextId::TabAbout,
                                           TextId::TabAdvanced};
inline constexpr int kPageCount = 5;
inline constexpr int kFirstPage = 3;
inline constexpr int kActiveTabHeight = 25;

// The form's own controls; the settings' controls are the settings page's.
struct FormControls {
  Label& labelInfo;
  Label& labelCount;
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

// What the form works with besides its controls.
struct FormParts {
  MainWindowOps& window;
  MessageBoxes& boxes;
  BoostCycle& boost;
  History& history;
  SettingsPage& settingsPage;
  Settings& settings;
  WindowHook& hook;
  HookInstaller& installer;
  TrayIcon& tray;
};

class FormMain {
 public:
  FormMain(FormControls controls, FormParts parts) : c_(controls), p_(parts) {}

  // Start-up, in its fixed order; the window is shown afterwards unless it went to the tray.
  void Load();
  // Shut-down; false when the user chose to keep the program running.
  bool QueryUnload();

  // The advanced page, when the window has one: its settings join the tick, the start-up and the
  // shut-down.
  void AttachAdvanced(AdvancedPage& page) { advanced_ = &page; }
  // The background restraint, when the window shows it: it reads once a second beside the tick and
  // ends with acceleration, with its own setting and with the program.
  void AttachRestraint(RestraintStatus& restraint) { restraint_ = &restraint; }

  // Every second (TimerMain): one boost tick with the controls' states, what it asks shown and recorded,
  // and the background restraint's reading when it is due.
  void BoostAndRestrain();
  // The quick reaction's look (its timer or the system's notification): a tick, exactly as the
  // timer's, when the foreground window moved; the tick's own change test keeps one switch from
  // being acted on twice.
  void OnQuickLook();
  // CheckAcceleration clicked: stored, and with RestoreOnStop switching off gives the raised process back.
  void OnCheckAccelerationClick();
  void OnCheckRestrainBackgroundClick();
  void OnCommandExitClick() { p_.window.RequestClose(); }
  void OnCommandMiniClick() { p_.window.SendMinimizeCommand(); }
  void OnMenuMainScreen();
  void OnMenuUpdate() { p_.window.OpenUrl(kHomePage); }
  void OnMenuExit();
  void OnLinkClick() { p_.window.OpenUrl(kHomePage); }
  void OnBackgroundMouseDown() { p_.window.StartDrag(); }
  void OnLinkMouseMove(LinkLabel& link);
  void OnBackgroundMouseMove();

 private:
  // The boost tick and what it asks shown and recorded; the notice of a refused real-time class is
  // left to the caller, to come last.
  TickOutcome Switch();
  void TellRealtimeRefused(const TickOutcome& outcome);
  RestraintRecording Recording() const;
  const SettingsControls& Page() const { return p_.settingsPage.Controls(); }
  void EndRestraint();
  // The programs behind: the restraint's reading and the rules' lowerings, when either is due.
  void Behind();

  FormControls c_;
  FormParts p_;
  AdvancedPage* advanced_ = nullptr;
  RestraintStatus* restraint_ = nullptr;
  bool toldRealtimeRefused_ = false;  // the notice is shown once per run
};

// Single-instance guard: true when this copy may run; otherwise the notice has been shown.
bool PassSingleInstanceGuard(bool anotherInstanceRunning, MessageBoxes& boxes);

}  // namespace kestrune
