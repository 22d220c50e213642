#pragma once
// The whole program over in-memory controls, window, files, registry and desktop, as the Win32
// program builds it over the real ones.
#include <utility>

#include "app/program.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_history_view.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_process_snapshot.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_rule_table.h"
#include "fakes/fake_state_file.h"
#include "fakes/fake_window.h"

namespace kestrune::testing {

inline constexpr const wchar_t* kRunValue = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";

struct ProgramRig {
  explicit ProgramRig(SettingsLocation where = {}) : location(std::move(where)) {}

  // The system.
  FakeProcessApi api;
  FakeProcessSnapshot snapshot{api};
  FakeCodePage codePage;
  FakeClock clock;
  FakeMessageBoxes boxes;
  FakeFileDialog dialog;
  FakeFileSystem files;
  FakeProfileStore store;
  SettingsFile settingsFile{store};
  FakeRegistry registry;
  AutostartValue autostart{registry, L"C:\\Tools\\kestrune.exe"};
  FakeStateFile journal;
  SettingsLocation location;

  // The window.
  CallLog log;
  FakeMainWindow window{log};
  FakeTray tray{log};
  FakeTabPages tabs{log};
  FakeLabel info, count, restrained, keptLow, homePage, needHelp;
  FakeRuleTable rules;
  FakeComboBox ruleFront, ruleBehind;
  FakeSettingControls controls;
  FakeTextBox excludeName;
  FakeHistoryView rows;
  FakeForegroundWatch watch;

  Program program{ProgramServices{api, snapshot, codePage, clock, boxes, dialog, files, settingsFile, autostart, journal,
                                  {}, location},
                  ProgramWindow{window, tray, tabs, info, count, restrained, keptLow, homePage, needHelp, controls, rules,
                                ruleFront, ruleBehind, excludeName,
                                rows, watch}};

  // The settings' controls by name.
  FakeCheckBox& Check(Setting setting) { return controls.checks[setting]; }
  FakeComboBox& Combo(Setting setting) { return controls.combos[setting]; }
  FakeCheckBox& autoRun = Check(Setting::AutoRun);
  FakeCheckBox& autoMin = Check(Setting::AutoMin);
  FakeCheckBox& alwaysTop = Check(Setting::AlwaysTop);
  FakeCheckBox& acceleration = Check(Setting::Acceleration);
  FakeCheckBox& recording = Check(Setting::Recording);
  FakeComboBox& speed = Combo(Setting::Speed);
  FakeComboBox& recordCount = Combo(Setting::RecordCount);
  std::vector<bool>& topmostCalls = window.topmostCalls;

  // The user ticks or unticks a box, or picks an item, as the window reports it.
  void Click(Setting setting) {
    Check(setting).SetChecked(!Check(setting).Checked());
    program.OnSettingChosen(setting);
  }
  void Pick(Setting setting, int index) {
    Combo(setting).SetSelectedIndex(index);
    program.OnSettingChosen(setting);
  }
};

}  // namespace kestrune::testing
