#pragma once
// The settings page over in-memory controls, file and registry, with the window's z-order logged.
#include <vector>

#include "app/settings_page.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_window.h"

namespace kestrune::testing {

inline constexpr const wchar_t* kRunValue = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";

struct SettingsPageRig {
  FakeCheckBox autoRun, autoMin, recording, acceleration, alwaysTop;
  FakeComboBox speed, count;
  FakeProfileStore store;
  FakeRegistry registry;
  FakeCodePage codePage;
  SettingsFile settingsFile{store};
  AutostartValue autostart{registry, L"C:\\Tools\\kestrune.exe"};
  Settings settings{settingsFile, autostart, codePage};
  CallLog log;
  FakeMainWindow window{log};
  std::vector<bool>& topmostCalls = window.topmostCalls;
  FakeMessageBoxes boxes;
  SettingsPage page{SettingsControls{autoRun, autoMin, alwaysTop, acceleration, recording, speed, count}, settings, window,
                    boxes};
};

}  // namespace kestrune::testing
