#pragma once
// The program: every part of the logic, built and owned in this one place and in the order each
// needs the others (the settings model, the history, the journal of priority changes, the
// acceleration tick, the background restraint, the quick reaction, the settings' pages, the
// rule list's editor and the main window's behaviour). It answers the main window's events,
// each with the part it concerns, and it is the reaction of each setting to its change.
//
// Portable: the platform's services and the window's controls come in as interfaces, from the
// Win32 program (app/win32/program.h) or from the tests' fakes.
#include <memory>
#include <vector>

#include "app/form_main.h"
#include "app/main_window_events.h"
#include "app/quick_reaction.h"
#include "app/restraint_status.h"
#include "app/rule_editor.h"
#include "app/settings_page.h"
#include "app/ui.h"
#include "engine/acceleration_cycle.h"
#include "engine/background_restraint.h"
#include "engine/history.h"
#include "engine/priority_changes.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/process_snapshot.h"
#include "platform/processes.h"
#include "platform/state_file.h"
#include "settings/autostart_value.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"
#include "settings/settings_model.h"

namespace kestrune {

// What the program uses of the system.
struct ProgramServices {
  ProcessApi& processes;
  ProcessSnapshot& snapshot;
  const CodePage& codePage;
  Clock& clock;
  MessageBoxes& boxes;
  FileDialog& dialog;
  FileSystem& files;
  SettingsFile& settingsFile;
  AutostartValue& autostart;
  StateFile& journal;                    // this seat's journal of priority changes
  std::vector<StateFile*> earlierJournals = {};  // read once at start-up, then cleared (JournalsAtStart)
  SettingsLocation location = {};        // where the settings file is, and whether it moved at this start
};

// What the program uses of its window.
struct ProgramWindow {
  MainWindowOps& window;
  TrayIcon& tray;
  TabPages& tabs;
  Label& info;
  Label& count;
  Label& restrained;
  Label& keptLow;
  LinkLabel& homePage;
  LinkLabel& needHelp;
  SettingControls& settings;
  RuleTable& rules;
  ComboBox& ruleFront;
  ComboBox& ruleBehind;
  TextBox& ruleName;  // the program name typed for the rule list
  HistoryView& history;
  ForegroundWatch& watch;
};

class Program : public MainWindowEvents, private SettingReactions {
 public:
  Program(ProgramServices services, ProgramWindow window);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The start-up sequence (FormMain::Start).
  void Start() { form_.Start(); }

  // MainWindowEvents
  void Run(Command command) override;
  void OnSettingChosen(Setting setting) override { page_.OnControlChanged(setting); }
  void OnTick() override { form_.Tick(); }
  void OnQuickLook() override { form_.LookAtForeground(); }
  void OnForegroundEvent(ProcessId windowOwner) override;
  void OnMinimised() override { form_.OnMinimised(); }
  void OnTrayClicked(TrayClick click) override { form_.OnTrayClicked(click); }
  void OnTaskbarCreated() override { form_.OnTaskbarCreated(); }
  void OnSessionEnding() override { form_.OnSessionEnding(); }
  bool OnCloseAsked() override { return form_.End(); }
  void OnBackgroundPressed() override { form_.DragWindow(); }
  void OnBackgroundPointerMoved() override { form_.UnhighlightLinks(); }
  void OnPointerOverLink(LinkLabel& link) override { form_.HighlightLink(link); }

  // The parts, for what drives or watches them from outside (the tests).
  SettingsModel& Settings() { return settings_; }
  SettingsPage& Page() { return page_; }
  AccelerationCycle& Acceleration() { return acceleration_; }
  History& Records() { return history_; }

 private:
  // SettingReactions (setting_reactions.cpp)
  SettingValue Settle(Setting setting, SettingValue value) override;
  void Changed(Setting setting) override;
  void Loaded() override;
  // What the last settling of AutoRun met that the user must hear of.
  void TellAutostart();

  ProgramServices s_;
  ProgramWindow w_;
  SettingsModel settings_;
  History history_;
  PriorityChanges changes_;
  AccelerationCycle acceleration_;
  BackgroundRestraint restraint_;
  RestraintStatus restraintStatus_;
  QuickReaction quick_;
  SettingsPage page_;
  RuleEditor rules_;
  FormMain form_;
  // What the last change of AutoRun asked for, and what the Run keys did.
  bool autostartAsked_ = false;
  AutostartResult autostart_;
};

}  // namespace kestrune
