#include "app/win32/control_table.h"

#include <commctrl.h>

#include "app/form_main.h"
#include "app/win32/control_ids.h"
#include "platform/texts.h"
#include "vocabulary/program.h"

namespace kestrune {
namespace {

// The pages' area of the tab strip, in 96-dpi pixels of the main window's client area.
constexpr int x0 = 16;
constexpr int y0 = 40;

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kLink = kLabel | SS_NOTIFY;
constexpr DWORD kIcon = SS_ICON | SS_REALSIZEIMAGE;
constexpr DWORD kCheck = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kCombo = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD kPush = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kListBox = WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kToolbar = WS_TABSTOP |
    TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
constexpr DWORD kList = WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;

constexpr ControlFont N = ControlFont::Normal;
constexpr ControlFont B = ControlFont::Bold;
constexpr ControlFont T = ControlFont::Title;

constexpr const wchar_t* kStatic = L"STATIC";
constexpr const wchar_t* kButton = L"BUTTON";
constexpr const wchar_t* kComboBox = L"COMBOBOX";
constexpr const wchar_t* kListBoxClass = L"LISTBOX";
constexpr const wchar_t* kEditClass = L"EDIT";
constexpr const wchar_t* kOwn = nullptr;

// clang-format off
constexpr ControlRow kControls[] = {
    // Beside the pages: the strip that holds them and the two buttons under it.
    {kOnWindow, ids::kTabStripMain, kOwn, nullptr, WS_TABSTOP, 8, 8, 454, 300, N},
    {kOnWindow, ids::kCommandMini, kOwn, nullptr, WS_TABSTOP, 300, 318, 76, 26, N},
    {kOnWindow, ids::kCommandExit, kOwn, nullptr, WS_TABSTOP, 386, 318, 76, 26, N},

    // Artwork: the program's icon in the top-right corner of every page, smaller on the history
    // page, which needs its full width for the toolbar.
    {0, ids::kImage1, kStatic, L"", kIcon, 414, y0 + 2, 32, 32, N},
    {1, ids::kImage2, kStatic, L"", kIcon, 414, y0 + 2, 32, 32, N},
    {3, ids::kImage4, kStatic, L"", kIcon, 414, y0 + 2, 32, 32, N},
    {2, ids::kImage3, kStatic, L"", kIcon, 430, y0 + 6, 16, 16, N},

    // Page 0: state.
    {0, ids::kLabel19, kStatic, TextId::StateHeading, kLabel, x0 + 4, y0 + 4, 200, 16, B},
    {0, ids::kLabel1, kStatic, TextId::BoostedCaption, kLabel, x0 + 12, y0 + 26, 132, 16, N},
    {0, ids::kLabelInfo, kStatic, TextId::BoostedNone, kLabel | SS_ENDELLIPSIS | SS_NOTIFY, x0 + 146, y0 + 26, 250, 16, N},
    {0, ids::kLabel2, kStatic, TextId::BoostedCountCaption, kLabel, x0 + 12, y0 + 46, 132, 16, N},
    {0, ids::kLabelCount, kStatic, L"0", kLabel, x0 + 146, y0 + 46, 100, 16, N},
    {0, ids::kLabel8, kStatic, TextId::LiveHeading, kLabel, x0 + 4, y0 + 72, 200, 16, B},
    // Its width and height are the saved property set's, in pixels at any resolution.
    {0, ids::kSystemMonitorState, kOwn, nullptr, 0, x0 - 2, y0 + 92, 441, 89, N},
    {0, ids::kShape1, kStatic, L"", 0, x0 + 0, y0 + 194, 12, 12, N},
    {0, ids::kLabel14, kStatic, TextId::LegendCpu, kLabel, x0 + 16, y0 + 192, 90, 16, N},
    {0, ids::kShape2, kStatic, L"", 0, x0 + 56, y0 + 194, 12, 12, N},
    {0, ids::kLabel15, kStatic, TextId::LegendMemory, kLabel, x0 + 72, y0 + 192, 90, 16, N},
    {0, ids::kShape3, kStatic, L"", 0, x0 + 124, y0 + 194, 12, 12, N},
    {0, ids::kLabel16, kStatic, TextId::LegendPageFile, kLabel, x0 + 140, y0 + 192, 90, 16, N},
    {0, ids::kShape4, kStatic, L"", 0, x0 + 222, y0 + 194, 12, 12, N},
    {0, ids::kLabel17, kStatic, TextId::LegendVirtualMemory, kLabel, x0 + 238, y0 + 192, 90, 16, N},
    {0, ids::kShape5, kStatic, L"", 0, x0 + 310, y0 + 194, 12, 12, N},
    {0, ids::kLabel18, kStatic, TextId::LegendDiskSpace, kLabel, x0 + 326, y0 + 192, 90, 16, N},
    {0, ids::kLabelRestrainedCaption, kStatic, TextId::RestrainedCaption, kLabel, x0 + 12, y0 + 220, 132, 16, N},
    {0, ids::kLabelRestrained, kStatic, TextId::RestrainedNone, kLabel | SS_ENDELLIPSIS, x0 + 146, y0 + 220, 284, 16, N},

    // Page 1: settings.
    {1, ids::kLabel9, kStatic, TextId::GeneralHeading, kLabel, x0 + 4, y0 + 4, 200, 16, B},
    {1, ids::kCheckAutoRun, kButton, TextId::CheckAutoRun, kCheck, x0 + 20, y0 + 24, 300, 20, N},
    {1, ids::kCheckAutoMin, kButton, TextId::CheckAutoMin, kCheck, x0 + 20, y0 + 46, 300, 20, N},
    {1, ids::kCheckMostTop, kButton, TextId::CheckMostTop, kCheck, x0 + 20, y0 + 68, 300, 20, N},
    {1, ids::kLabel3, kStatic, TextId::BoostHeading, kLabel, x0 + 4, y0 + 96, 200, 16, B},
    {1, ids::kCheckState, kButton, TextId::CheckState, kCheck, x0 + 20, y0 + 116, 200, 20, N},
    {1, ids::kLabel10, kStatic, TextId::SpeedCaption, kLabel, x0 + 20, y0 + 143, 70, 16, N},
    {1, ids::kComboSpeed, kComboBox, L"", kCombo, x0 + 96, y0 + 139, 120, 200, N},
    {1, ids::kLabel6, kStatic, TextId::RecordHeading, kLabel, x0 + 4, y0 + 170, 200, 16, B},
    {1, ids::kCheckEnableRecord, kButton, TextId::CheckEnableRecord, kCheck, x0 + 20, y0 + 190, 200, 20, N},
    {1, ids::kLabel11, kStatic, TextId::RecordCountCaption, kLabel, x0 + 20, y0 + 217, 70, 16, N},
    {1, ids::kComboAutoCleanCount, kComboBox, L"", kCombo, x0 + 96, y0 + 213, 120, 200, N},

    // Page 2: history.
    {2, ids::kToolbarSpeedMain, TOOLBARCLASSNAMEW, L"", kToolbar, x0 - 2, y0, 300, 28, N},
    {2, ids::kListViewHistory, WC_LISTVIEWW, L"", kList, x0 - 2, y0 + 32, 440, 228, N},

    // Page 3: about.
    {3, ids::kLabel4, kStatic, L"Kestrune", kLabel, x0 + 4, y0 + 6, 300, 28, T},
    {3, ids::kLabel13, kStatic, L"Version:" KESTRUNE_VERSION_WTEXT, kLabel, x0 + 6, y0 + 38, 200, 16, N},
    {3, ids::kLabel7, kStatic,
     TextId::AboutPerformance,
     kLabel, x0 + 6, y0 + 64, 420, 32, N},
    {3, ids::kLabel12, kStatic,
     TextId::AboutSoftware,
     kLabel, x0 + 6, y0 + 102, 420, 32, N},
    {3, ids::kLabel5, kStatic, TextId::AboutCopyright, kLabel, x0 + 6, y0 + 146,
     420, 16, N},
    {3, ids::kLabelHomePage, kStatic, kHomePage.data(), kLink, x0 + 6, y0 + 176, 300, 16, N},
    {3, ids::kLabelNeedHelp, kStatic, TextId::AboutQuestions, kLink, x0 + 6, y0 + 200, 200, 16, N},

    // Page 4: advanced. Two groups like the settings page's; each list and text box follows the
    // label that names it, which is also its name for screen readers.
    {4, ids::kImage5, kStatic, L"", kIcon, 414, y0 + 2, 32, 32, N},
    {4, ids::kLabelGiveBack, kStatic, TextId::GiveBackHeading, kLabel, x0 + 4, y0 + 4, 200, 16, B},
    {4, ids::kCheckRestoreOriginal, kButton, TextId::CheckRestoreOriginal, kCheck, x0 + 20, y0 + 22, 330, 20, N},
    {4, ids::kCheckRestoreOnStop, kButton, TextId::CheckRestoreOnStop, kCheck, x0 + 20, y0 + 42, 330, 20, N},
    {4, ids::kCheckInstantReaction, kButton, TextId::CheckInstantReaction, kCheck, x0 + 20, y0 + 62, 330, 20, N},
    {4, ids::kCheckRestrainBackground, kButton, TextId::CheckRestrainBackground, kCheck, x0 + 20, y0 + 82, 330, 20,
     N},
    {4, ids::kLabelExclude, kStatic, TextId::ExcludeHeading, kLabel, x0 + 4, y0 + 110, 200, 16, B},
    {4, ids::kListExclude, kListBoxClass, L"", kListBox, x0 + 20, y0 + 130, 200, 114, N},
    {4, ids::kCommandRemoveExclude, kButton, TextId::RemoveExclude, kPush, x0 + 228, y0 + 130, 80, 24, N},
    {4, ids::kCommandAddLastFront, kButton, TextId::AddLastFront, kPush, x0 + 228, y0 + 158, 200, 24, N},
    {4, ids::kLabelExcludeName, kStatic, TextId::ExcludeNameCaption, kLabel, x0 + 228, y0 + 188, 200, 16, N},
    {4, ids::kEditExcludeName, kEditClass, L"", kEdit, x0 + 228, y0 + 206, 130, 22, N},
    {4, ids::kCommandAddExclude, kButton, TextId::AddExclude, kPush, x0 + 364, y0 + 205, 64, 24, N},
    {4, ids::kLabelLanguage, kStatic, TextId::LanguageCaption, kLabel, x0 + 228, y0 + 240, 60, 16, N},
    {4, ids::kComboLanguage, kComboBox, L"", kCombo, x0 + 290, y0 + 236, 138, 200, N},
};
// clang-format on

// The English layout's differences, by control id.
constexpr RowPlace kEnglishPlaces[] = {
    // The legend: each swatch and its label move so that the longer names fit side by side.
    {ids::kLabel14, x0 + 16, y0 + 192, 30, 16},
    {ids::kShape2, x0 + 52, y0 + 194, 12, 12},   {ids::kLabel15, x0 + 68, y0 + 192, 52, 16},
    {ids::kShape3, x0 + 124, y0 + 194, 12, 12},  {ids::kLabel16, x0 + 140, y0 + 192, 58, 16},
    {ids::kShape4, x0 + 202, y0 + 194, 12, 12},  {ids::kLabel17, x0 + 218, y0 + 192, 92, 16},
    {ids::kShape5, x0 + 314, y0 + 194, 12, 12},  {ids::kLabel18, x0 + 330, y0 + 192, 90, 16},
};

constexpr SwatchColor kSwatches[] = {
    {ids::kShape1, RGB(0, 0xC0, 0)},     {ids::kShape2, RGB(0xFF, 0xFF, 0)}, {ids::kShape3, RGB(0xFF, 0, 0)},
    {ids::kShape4, RGB(0, 0, 0xFF)},     {ids::kShape5, RGB(0xFF, 0x80, 0xFF)},
};

}  // namespace

std::span<const ControlRow> MainWindowControls() { return kControls; }

std::span<const SwatchColor> LegendSwatches() { return kSwatches; }

ControlRow LaidOut(const ControlRow& row, Language language) {
  if (language != Language::English) return row;
  ControlRow placed = row;
  for (const RowPlace& place : kEnglishPlaces) {
    if (place.id != row.id) continue;
    placed.x = place.x;
    placed.y = place.y;
    placed.width = place.width;
    placed.height = place.height;
  }
  return placed;
}

}  // namespace kestrune
