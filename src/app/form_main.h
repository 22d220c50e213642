#pragma once
// The main window's own behaviour: the start-up and shut-down order, the one-second tick and the
// quick look, the tray icon and the session, the buttons, links and dragging. Portable: it works with
// its window and controls through small interfaces and takes every setting from the model.
#include <string_view>

#include "app/main_window_events.h"
#include "app/quick_reaction.h"
#include "app/restraint_status.h"
#include "app/settings_page.h"
#include "app/ui.h"
#include "engine/acceleration_cycle.h"
#include "engine/history.h"
#include "platform/message_boxes.h"
#include "settings/settings_model.h"
#include "vocabulary/pages.h"
#include "vocabulary/program.h"

namespace kestrune {

inline constexpr std::wstring_view kWindowCaption = L"Kestrune v" KESTRUNE_VERSION_WTEXT;
inline constexpr std::wstring_view kHomePage = L"http://www.kestrune.example/";

struct FormParts {
  MainWindowOps& window;
  TrayIcon& tray;
  TabPages& tabs;
  Label& info;   // the program acceleration acts for: its title, and as tooltip
  Label& count;  // the switches counted
  LinkLabel& homePage;
  LinkLabel& needHelp;
  MessageBoxes& boxes;
  SettingsModel& settings;
  SettingsPage& settingsPage;
  AccelerationCycle& acceleration;
  History& history;
  RestraintStatus& restraint;
  QuickReaction& quick;
};

class FormMain {
 public:
  explicit FormMain(FormParts parts) : p_(parts) {}

  // Start-up, in its fixed order; the window is shown afterwards unless it went to the tray.
  void Start();
  // Shut-down: asks first unless the session is ending; false when the user keeps the program.
  bool End();

  // Every second: one acceleration tick with the settings' values, what it asks shown and
  // recorded, and the background restraint's reading when it is due.
  void Tick();
  // The quick reaction's look: a tick, exactly as the timer's, when the foreground window moved;
  // the tick's own change test keeps one switch from being acted on twice.
  void LookAtForeground();
  // The user switched acceleration or the restraint: off gives back at once what it holds (the
  // raised process with RestoreOnStop; every restrained one).
  void AccelerationSwitched();
  void RestraintSwitched();

  void HideToTray() { p_.window.Hide(); }
  void AskToExit() { p_.window.RequestClose(); }
  void OpenHomePage() { p_.window.OpenUrl(kHomePage); }
  // From the tray: the window comes back where it was.
  void ShowWindow();
  void ExitFromTray();
  void DragWindow() { p_.window.StartDrag(); }
  void HighlightLink(LinkLabel& link);
  void UnhighlightLinks();

  // The system minimised the window: it goes to the tray.
  void OnMinimised() { p_.window.Hide(); }
  void OnTrayClicked(TrayClick click);
  void OnTaskbarCreated() { p_.tray.Add(); }
  // Logging off ends the program without asking.
  void OnSessionEnding() { sessionEnding_ = true; }

 private:
  // The tick and what it asks shown and recorded; the notice of a refused real-time class is left
  // to the caller, to come last.
  TickOutcome Switch();
  void TellRealtimeRefused(const TickOutcome& outcome);
  RestraintRecording Recording() const;
  void EndRestraint();
  // The programs behind: the restraint's reading and the rules' lowerings, when either is due.
  void Behind();

  FormParts p_;
  bool sessionEnding_ = false;
  bool toldRealtimeRefused_ = false;  // the notice is shown once per run
};

// Single-instance guard: true when this copy may run; otherwise the notice has been shown.
bool PassSingleInstanceGuard(bool anotherInstanceRunning, MessageBoxes& boxes);

}  // namespace kestrune
