#pragma once
// Control ids of the main window, shared with the end-to-end test driver that finds them. A
// setting's control has the id its row in the settings table gives it.
#include "settings/settings_table.h"

namespace kestrune::ids {

constexpr int kTabStripMain = 100;
constexpr int kCommandExit = 101;
constexpr int kCommandMini = 102;
constexpr int kImageState = 103, kImageSettings = 104, kImageHistory = 105, kImageAbout = 106;

// The state page
constexpr int kLabelStateHeading = 110, kLabelInfoCaption = 111, kLabelInfo = 112, kLabelCountCaption = 113, kLabelCount = 114, kLabelMonitorHeading = 115;
constexpr int kSystemMonitorState = 116;
constexpr int kLabelLegendCpu = 117, kLabelLegendMemory = 118, kLabelLegendPageFile = 119, kLabelLegendVirtual = 120, kLabelLegendDisk = 121;
constexpr int kSwatchCpu = 122, kSwatchMemory = 123, kSwatchPageFile = 124, kSwatchVirtual = 125, kSwatchDisk = 126;
constexpr int kLabelRestrainedCaption = 127, kLabelRestrained = 128, kLabelKeptLowCaption = 108, kLabelKeptLow = 109;

// The settings page
constexpr int kLabelGeneralHeading = 130, kLabelAccelerationHeading = 134, kLabelSpeedCaption = 136;
constexpr int kLabelRecordingHeading = 138, kLabelRecordCountCaption = 140;
constexpr int kCheckAutoRun = ControlOf(Setting::AutoRun), kCheckAutoMin = ControlOf(Setting::AutoMin);
constexpr int kCheckAlwaysTop = ControlOf(Setting::AlwaysTop), kCheckAcceleration = ControlOf(Setting::Acceleration);
constexpr int kComboSpeed = ControlOf(Setting::Speed), kCheckRecording = ControlOf(Setting::Recording);
constexpr int kComboRecordCount = ControlOf(Setting::RecordCount);

// The history page
constexpr int kToolbarSpeedMain = 150, kListViewHistory = 151;
constexpr int kToolbarClear = 152, kToolbarSave = 153;

// The about page
constexpr int kLabelTitle = 160, kLabelVersion = 161, kLabelPerformance = 162, kLabelSafety = 163, kLabelCopyright = 164;
constexpr int kLabelHomePage = 165, kLabelNeedHelp = 166;

// The advanced page
constexpr int kImageAdvanced = 180, kLabelGiveBack = 181, kLabelRules = 186;
constexpr int kLabelRuleName = 188, kEditRuleName = 189, kCommandAddRule = 190;
constexpr int kCommandAddLastFront = 191, kCommandRemoveRule = 192, kLabelLanguage = 194;
constexpr int kCheckRestoreOriginal = ControlOf(Setting::RestoreOriginal);
constexpr int kCheckRestoreOnStop = ControlOf(Setting::RestoreOnStop);
constexpr int kCheckInstantReaction = ControlOf(Setting::InstantReaction);
constexpr int kCheckRestrainBackground = ControlOf(Setting::RestrainBackground);
// The rule list shows the setting Rules.
constexpr int kListRules = ControlOf(Setting::Rules), kComboLanguage = ControlOf(Setting::Language);
// The selected rule's two choices.
constexpr int kLabelRuleFront = 196, kComboRuleFront = 197, kLabelRuleBehind = 198, kComboRuleBehind = 199;

// The tray menu.
constexpr int kMenuMainScreen = 170, kMenuUpdate = 171, kMenuExit = 172;

// Resources.
constexpr int kIconApp = 1;

constexpr int kTimerMain = 1;
constexpr int kTimerQuick = 2;  // the quick reaction's look at the foreground window, while it is on

}  // namespace kestrune::ids
