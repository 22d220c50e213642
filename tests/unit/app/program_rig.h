#pragma once
// The whole program over in-memory controls, window, files, registry and desktop, as the Win32
// program builds it over the real ones.
#include <utility>

#include "app/program.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_process_snapshot.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_program_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_state_file.h"

namespace kestrune::testing {

inline constexpr const wchar_t* kRunValue = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";

// "Section.Key" of every setting, in the table's order: what a start reads.
inline std::vector<std::string> EveryKey() {
  std::vector<std::string> keys;
  for (const SettingRow& row : kSettingRows) keys.push_back(std::string(row.section) + "." + std::string(row.key));
  return keys;
}

// What a start writes back of the advanced page's settings into a file without them, in the table's
// order: each on/off setting its row writes back off as "0", the programs left alone as none.
inline std::vector<std::string> AdvancedDefaults() {
  std::vector<std::string> writes;
  for (const SettingRow& row : kSettingRows)
    if (row.page == kAdvancedPage && StartWritesBack(row, false))
      writes.push_back(std::string(row.section) + "." + std::string(row.key) + (row.kind == SettingKind::Flag ? "=0" : "="));
  return writes;
}

// The window's parts are the base, so that a test names them as its own (rules, info, log, ...).
struct ProgramRig : FakeProgramWindow {
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

  Program program{ProgramServices{api, snapshot, codePage, clock, boxes, dialog, files, settingsFile, autostart, journal,
                                  {}, location},
                  Parts()};

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
  // The user selects a row of the rule list (-1: none), as the list reports it.
  void SelectRule(int row) {
    rules.SetSelectedIndex(row);
    program.Run(Command::RuleSelected);
  }
};

}  // namespace kestrune::testing
