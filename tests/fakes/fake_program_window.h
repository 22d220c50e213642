#pragma once
// Every part of its window the program works with, in memory: what the Win32 main window hands the
// program over its real controls (Win32MainWindow::Parts). The unit tests' program and the settings
// fuzz target both build the program on one of these.
#include "app/program.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_history_view.h"
#include "fakes/fake_rule_table.h"
#include "fakes/fake_window.h"

namespace kestrune::testing {

struct FakeProgramWindow {
  CallLog log;  // what the window, the tray and the strip were asked, in order
  FakeMainWindow window{log};
  FakeTray tray{log};
  FakeTabPages tabs{log};
  FakeLabel info, count, restrained, keptLow, homePage, needHelp;
  FakeSettingControls controls;
  FakeRuleTable rules;
  FakeComboBox ruleFront, ruleBehind;
  FakeTextBox ruleName;
  FakeHistoryView rows;
  FakeForegroundWatch watch;

  ProgramWindow Parts() {
    return {window,   tray,  tabs,      info,      count,    restrained, keptLow, homePage,
            needHelp, controls, rules, ruleFront, ruleBehind, ruleName, rows,    watch};
  }
};

}  // namespace kestrune::testing
