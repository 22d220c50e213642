#pragma once
// Control ids of the main window, shared with the end-to-end test driver that finds them.

namespace kestrune::ids {

constexpr int kTabStripMain = 100;
constexpr int kCommandExit = 101;
constexpr int kCommandMini = 102;
constexpr int kImage1 = 103, kImage2 = 104, kImage3 = 105, kImage4 = 106;

// Page 0: state
constexpr int kLabel19 = 110, kLabel1 = 111, kLabelInfo = 112, kLabel2 = 113, kLabelCount = 114, kLabel8 = 115;
constexpr int kSystemMonitorState = 116;
constexpr int kLabel14 = 117, kLabel15 = 118, kLabel16 = 119, kLabel17 = 120, kLabel18 = 121;
constexpr int kShape1 = 122, kShape2 = 123, kShape3 = 124, kShape4 = 125, kShape5 = 126;
constexpr int kLabelRestrainedCaption = 127, kLabelRestrained = 128;

// Page 1: settings
constexpr int kLabel9 = 130, kCheckAutoRun = 131, kCheckAutoMin = 132, kCheckMostTop = 133, kLabel3 = 134;
constexpr int kCheckState = 135, kLabel10 = 136, kComboSpeed = 137, kLabel6 = 138, kCheckEnableRecord = 139;
constexpr int kLabel11 = 140, kComboAutoCleanCount = 141;

// Page 2: history
constexpr int kToolbarSpeedMain = 150, kListViewHistory = 151;
constexpr int kToolbarClear = 152, kToolbarSave = 153;

// Page 3: about
constexpr int kLabel4 = 160, kLabel13 = 161, kLabel7 = 162, kLabel12 = 163, kLabel5 = 164;
constexpr int kLabelHomePage = 165, kLabelNeedHelp = 166;

// Page 4: advanced
constexpr int kImage5 = 180, kLabelGiveBack = 181, kCheckRestoreOriginal = 182, kCheckRestoreOnStop = 183;
constexpr int kLabelReaction = 184, kCheckInstantReaction = 185, kLabelExclude = 186, kListExclude = 187;
constexpr int kLabelExcludeName = 188, kEditExcludeName = 189, kCommandAddExclude = 190;
constexpr int kCommandAddLastFront = 191, kCommandRemoveExclude = 192, kCheckRestrainBackground = 193;
constexpr int kLabelLanguage = 194, kComboLanguage = 195;

// The tray menu `mm`.
constexpr int kMenuMainScreen = 170, kMenuUpdate = 171, kMenuExit = 172;

// Resources.
constexpr int kIconApp = 1;

constexpr int kTimerMain = 1;
constexpr int kTimerQuick = 2;  // the quick reaction's look at the foreground window, while it is on

}  // namespace kestrune::ids
