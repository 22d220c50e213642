#include "app/win32/control_table.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

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
constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
// TBSTYLE_CUSTOMERASE: the window paints the toolbar's background in the page's colour.
constexpr DWORD kToolbar = WS_TABSTOP | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_CUSTOMERASE | CCS_NORESIZE |
    CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
constexpr DWORD kList = WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
constexpr DWORD kRuleList = WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;

constexpr ControlFont N = ControlFont::Normal;
constexpr ControlFont B = ControlFont::Bold;
constexpr ControlFont T = ControlFont::Title;

using enum ControlKind;

// A setting's control: its page, id and caption from the settings table, its kind and style from
// the setting's kind.
constexpr ControlRow Shows(Setting setting, int x, int y, int width, int height) {
  const SettingRow& row = RowOf(setting);
  const bool check = row.kind == SettingKind::Flag, rules = row.kind == SettingKind::Rules;
  const ControlKind kind = check ? Check : rules ? Rules : Combo;
  const DWORD style = check ? kCheck : rules ? kRuleList : kCombo;
  return {row.page, row.control, kind, check ? RowText(setting) : RowText(L""), style, x, y, width, height,
          ControlFont::Normal, {Command::None, setting}};
}

// Where the advanced page's column of check boxes stands: one box under the other, in the order of
// the settings table, in the height the page was laid out with for four. More boxes stand closer, down
// to the height a box and its caption need; only beyond that does the column grow, and then it moves
// the rule list's heading, its top and the additions beside it down with it, the list giving up that
// height, so that the page reads, and Tab goes, from the boxes to the list and then to the additions.
// The choices under the list keep their places. Five boxes leave the list as it was; a sixth takes
// 16 pixels from it.
constexpr int kFlagColumnTop = y0 + 22, kFlagHeight = 20, kFlagWidth = 330, kDesignedFlags = 4, kTightFlagHeight = 16;

// Marks the place of that column among the rows.
constexpr int kFlagColumn = -1;

// clang-format off
constexpr ControlRow kControls[] = {
    // Beside the pages: the strip that holds them and the two buttons under it.
    {kBesidePages, ids::kTabStripMain, Own, nullptr, WS_TABSTOP, 8, 8, 454, 300, N, kNothing},
    {kBesidePages, ids::kCommandMini, Own, L"CommandMini", WS_TABSTOP, 300, 318, 76, 26, N, Runs(Command::HideToTray)},
    {kBesidePages, ids::kCommandExit, Own, L"CommandExit", WS_TABSTOP, 386, 318, 76, 26, N, Runs(Command::AskToExit)},

    // Artwork: the program's icon in the top-right corner of every page, smaller on the history
    // page, which needs its full width for the toolbar.
    {kStatePage, ids::kImageState, Icon, L"", kIcon, 414, y0 + 2, 32, 32, N, kNothing},
    {kSettingsPage, ids::kImageSettings, Icon, L"", kIcon, 414, y0 + 2, 32, 32, N, kNothing},
    {kAboutPage, ids::kImageAbout, Icon, L"", kIcon, 414, y0 + 2, 32, 32, N, kNothing},
    {kHistoryPage, ids::kImageHistory, Icon, L"", kIcon, 430, y0 + 6, 16, 16, N, kNothing},

    // The state page.
    {kStatePage, ids::kLabelStateHeading, Text, TextId::StateHeading, kLabel, x0 + 4, y0 + 4, 200, 16, B, kNothing},
    {kStatePage, ids::kLabelInfoCaption, Text, TextId::AcceleratedCaption, kLabel, x0 + 12, y0 + 26, 132, 16, N, kNothing},
    {kStatePage, ids::kLabelInfo, Text, TextId::AcceleratedNone, kLabel | SS_ENDELLIPSIS | SS_NOTIFY, x0 + 146, y0 + 26, 250, 16, N, kNothing},
    {kStatePage, ids::kLabelCountCaption, Text, TextId::AcceleratedCountCaption, kLabel, x0 + 12, y0 + 46, 132, 16, N, kNothing},
    {kStatePage, ids::kLabelCount, Text, L"0", kLabel, x0 + 146, y0 + 46, 100, 16, N, kNothing},
    {kStatePage, ids::kLabelMonitorHeading, Text, TextId::LiveHeading, kLabel, x0 + 4, y0 + 72, 200, 16, B, kNothing},
    // Its width and height are the saved property set's, in pixels at any resolution.
    {kStatePage, ids::kSystemMonitorState, Own, nullptr, 0, x0 - 2, y0 + 92, 441, 89, N, kNothing},
    {kStatePage, ids::kSwatchCpu, Swatch, L"", 0, x0 + 0, y0 + 194, 12, 12, N, kNothing},
    {kStatePage, ids::kLabelLegendCpu, Text, TextId::LegendCpu, kLabel, x0 + 16, y0 + 192, 90, 16, N, kNothing},
    {kStatePage, ids::kSwatchMemory, Swatch, L"", 0, x0 + 56, y0 + 194, 12, 12, N, kNothing},
    {kStatePage, ids::kLabelLegendMemory, Text, TextId::LegendMemory, kLabel, x0 + 72, y0 + 192, 90, 16, N, kNothing},
    {kStatePage, ids::kSwatchPageFile, Swatch, L"", 0, x0 + 124, y0 + 194, 12, 12, N, kNothing},
    {kStatePage, ids::kLabelLegendPageFile, Text, TextId::LegendPageFile, kLabel, x0 + 140, y0 + 192, 90, 16, N, kNothing},
    {kStatePage, ids::kSwatchVirtual, Swatch, L"", 0, x0 + 222, y0 + 194, 12, 12, N, kNothing},
    {kStatePage, ids::kLabelLegendVirtual, Text, TextId::LegendVirtualMemory, kLabel, x0 + 238, y0 + 192, 90, 16, N, kNothing},
    {kStatePage, ids::kSwatchDisk, Swatch, L"", 0, x0 + 310, y0 + 194, 12, 12, N, kNothing},
    {kStatePage, ids::kLabelLegendDisk, Text, TextId::LegendDiskSpace, kLabel, x0 + 326, y0 + 192, 90, 16, N, kNothing},
    {kStatePage, ids::kLabelRestrainedCaption, Text, TextId::RestrainedCaption, kLabel, x0 + 12, y0 + 220, 132, 16, N, kNothing},
    {kStatePage, ids::kLabelRestrained, Text, TextId::RestrainedNone, kLabel | SS_ENDELLIPSIS, x0 + 146, y0 + 220, 284, 16, N, kNothing},
    {kStatePage, ids::kLabelKeptLowCaption, Text, TextId::KeptLowCaption, kLabel, x0 + 12, y0 + 240, 132, 16, N, kNothing},
    {kStatePage, ids::kLabelKeptLow, Text, TextId::RestrainedNone, kLabel | SS_ENDELLIPSIS, x0 + 146, y0 + 240, 284, 16, N, kNothing},

    // The settings page.
    {kSettingsPage, ids::kLabelGeneralHeading, Text, TextId::GeneralHeading, kLabel, x0 + 4, y0 + 4, 200, 16, B, kNothing},
    Shows(Setting::AutoRun, x0 + 20, y0 + 24, 300, 20),
    Shows(Setting::AutoMin, x0 + 20, y0 + 46, 300, 20),
    Shows(Setting::AlwaysTop, x0 + 20, y0 + 68, 300, 20),
    {kSettingsPage, ids::kLabelAccelerationHeading, Text, TextId::AccelerationHeading, kLabel, x0 + 4, y0 + 96, 200, 16, B, kNothing},
    Shows(Setting::Acceleration, x0 + 20, y0 + 116, 200, 20),
    {kSettingsPage, ids::kLabelSpeedCaption, Text, Setting::Speed, kLabel, x0 + 20, y0 + 143, 70, 16, N, kNothing},
    Shows(Setting::Speed, x0 + 96, y0 + 139, 120, 200),
    {kSettingsPage, ids::kLabelRecordingHeading, Text, TextId::RecordHeading, kLabel, x0 + 4, y0 + 170, 200, 16, B, kNothing},
    Shows(Setting::Recording, x0 + 20, y0 + 190, 200, 20),
    {kSettingsPage, ids::kLabelRecordCountCaption, Text, Setting::RecordCount, kLabel, x0 + 20, y0 + 217, 70, 16, N, kNothing},
    Shows(Setting::RecordCount, x0 + 96, y0 + 213, 120, 200),

    // The history page.
    {kHistoryPage, ids::kToolbarSpeedMain, Toolbar, L"", kToolbar, x0 - 2, y0, 300, 28, N, kNothing},
    {kHistoryPage, ids::kListViewHistory, Report, L"", kList, x0 - 2, y0 + 32, 440, 228, N, kNothing},

    // The about page.
    {kAboutPage, ids::kLabelTitle, Text, L"Kestrune", kLabel, x0 + 4, y0 + 6, 300, 28, T, kNothing},
    {kAboutPage, ids::kLabelVersion, Text, L"Version:" KESTRUNE_VERSION_WTEXT, kLabel, x0 + 6, y0 + 38, 200, 16, N, kNothing},
    {kAboutPage, ids::kLabelPerformance, Text,
     TextId::AboutPerformance,
     kLabel, x0 + 6, y0 + 64, 420, 32, N, kNothing},
    {kAboutPage, ids::kLabelSafety, Text,
     TextId::AboutSoftware,
     kLabel, x0 + 6, y0 + 102, 420, 32, N, kNothing},
    {kAboutPage, ids::kLabelCopyright, Text, TextId::AboutCopyright, kLabel, x0 + 6, y0 + 146,
     420, 16, N, kNothing},
    {kAboutPage, ids::kLabelHomePage, Link, kHomePage.data(), kLink, x0 + 6, y0 + 176, 300, 16, N, Runs(Command::OpenHomePage)},
    {kAboutPage, ids::kLabelNeedHelp, Link, TextId::AboutQuestions, kLink, x0 + 6, y0 + 200, 200, 16, N, Runs(Command::OpenHomePage)},

    // The advanced page. Two groups like the settings page's; each list and text box follows the
    // label that names it, which is also its name for screen readers.
    {kAdvancedPage, ids::kImageAdvanced, Icon, L"", kIcon, 414, y0 + 2, 32, 32, N, kNothing},
    {kAdvancedPage, ids::kLabelGiveBack, Text, TextId::GiveBackHeading, kLabel, x0 + 4, y0 + 4, 200, 16, B, kNothing},
    {kAdvancedPage, kFlagColumn, Check, L"", kCheck, x0 + 20, kFlagColumnTop, kFlagWidth, kFlagHeight, N, kNothing},
    {kAdvancedPage, ids::kLabelRules, Text, Setting::Rules, kLabel, x0 + 4, y0 + 110, 200, 16, B, kNothing},
    // The rule list: the selected row's two choices and its removal under it, the additions beside it.
    Shows(Setting::Rules, x0 + 20, y0 + 128, 232, 74),
    {kAdvancedPage, ids::kCommandAddLastFront, Push, TextId::AddLastFront, kPush, x0 + 258, y0 + 128, 170, 24, N, Runs(Command::AddLastFront)},
    {kAdvancedPage, ids::kLabelRuleName, Text, TextId::RuleNameCaption, kLabel, x0 + 258, y0 + 158, 170, 16, N, kNothing},
    {kAdvancedPage, ids::kEditRuleName, Edit, L"", kEdit, x0 + 258, y0 + 176, 106, 22, N, kNothing},
    {kAdvancedPage, ids::kCommandAddRule, Push, TextId::AddRule, kPush, x0 + 370, y0 + 175, 58, 24, N, Runs(Command::AddTypedName)},
    {kAdvancedPage, ids::kLabelRuleFront, Text, TextId::RuleFrontCaption, kLabel, x0 + 20, y0 + 211, 46, 16, N, kNothing},
    {kAdvancedPage, ids::kComboRuleFront, Combo, L"", kCombo, x0 + 68, y0 + 207, 116, 200, N, Runs(Command::ChooseRuleFront)},
    {kAdvancedPage, ids::kCommandRemoveRule, Push, TextId::RemoveRule, kPush, x0 + 190, y0 + 206, 62, 24, N, Runs(Command::RemoveRule)},
    {kAdvancedPage, ids::kLabelRuleBehind, Text, TextId::RuleBehindCaption, kLabel, x0 + 20, y0 + 237, 46, 16, N, kNothing},
    {kAdvancedPage, ids::kComboRuleBehind, Combo, L"", kCombo, x0 + 68, y0 + 233, 116, 200, N, Runs(Command::ChooseRuleBehind)},
    {kAdvancedPage, ids::kLabelLanguage, Text, Setting::Language, kLabel, x0 + 258, y0 + 240, 60, 16, N, kNothing},
    Shows(Setting::Language, x0 + 320, y0 + 236, 108, 200),
};
// clang-format on

// Each kind's window class and the notification that runs its row's handler, in the order of ControlKind.
constexpr int kAnyCode = -1, kNoCode = -2;
constexpr struct {
  const wchar_t* windowClass;
  int notification;
} kKinds[] = {
    /* Own */ {nullptr, kAnyCode},          /* Text */ {L"STATIC", kNoCode},      /* Link */ {L"STATIC", STN_CLICKED},
    /* Icon */ {L"STATIC", kNoCode},        /* Swatch */ {L"STATIC", kNoCode},    /* Check */ {L"BUTTON", BN_CLICKED},
    /* Push */ {L"BUTTON", BN_CLICKED},     /* Combo */ {L"COMBOBOX", CBN_SELCHANGE}, /* Edit */ {L"EDIT", kNoCode},
    /* Toolbar */ {TOOLBARCLASSNAMEW, kNoCode}, /* Report */ {WC_LISTVIEWW, kNoCode}, /* Rules */ {WC_LISTVIEWW, kNoCode}};
static_assert(std::size(kKinds) == static_cast<std::size_t>(Rules) + 1);

constexpr RowPlace kEnglishPlaces[] = {
    // The legend: each swatch and its label move so that the longer names fit side by side.
    {ids::kLabelLegendCpu, x0 + 16, y0 + 192, 30, 16},
    {ids::kSwatchMemory, x0 + 52, y0 + 194, 12, 12},    {ids::kLabelLegendMemory, x0 + 68, y0 + 192, 52, 16},
    {ids::kSwatchPageFile, x0 + 124, y0 + 194, 12, 12}, {ids::kLabelLegendPageFile, x0 + 140, y0 + 192, 58, 16},
    {ids::kSwatchVirtual, x0 + 202, y0 + 194, 12, 12},  {ids::kLabelLegendVirtual, x0 + 218, y0 + 192, 92, 16},
    {ids::kSwatchDisk, x0 + 314, y0 + 194, 12, 12},     {ids::kLabelLegendDisk, x0 + 330, y0 + 192, 90, 16},
};

constexpr SwatchColor kSwatches[] = {
    {ids::kSwatchCpu, RGB(0, 0xC0, 0)},   {ids::kSwatchMemory, RGB(0xFF, 0xFF, 0)}, {ids::kSwatchPageFile, RGB(0xFF, 0, 0)},
    {ids::kSwatchVirtual, RGB(0, 0, 0xFF)}, {ids::kSwatchDisk, RGB(0xFF, 0x80, 0xFF)},
};

// The rows with the advanced page's column of check boxes in the place of its mark.
std::vector<ControlRow> WithFlagColumn() {
  std::vector<ControlRow> rows;
  int flags = 0;
  for (const SettingRow& setting : kSettingRows)
    if (setting.kind == SettingKind::Flag && setting.page == kAdvancedPage) ++flags;
  const int designed = kFlagHeight * kDesignedFlags;
  const int pitch = std::clamp(flags > 0 ? designed / flags : kFlagHeight, kTightFlagHeight, kFlagHeight);
  const int below = std::max(0, pitch * flags - designed);
  for (const ControlRow& row : kControls) {
    if (row.id != kFlagColumn) {
      rows.push_back(row);
      for (int moved : {ids::kLabelRules, ids::kListRules, ids::kCommandAddLastFront, ids::kLabelRuleName,
                        ids::kEditRuleName, ids::kCommandAddRule})
        if (row.id == moved) rows.back().y += below;
      if (row.id == ids::kListRules) rows.back().height -= below;
      continue;
    }
    int y = row.y;
    for (const SettingRow& setting : kSettingRows) {
      if (setting.kind != SettingKind::Flag || setting.page != kAdvancedPage) continue;
      rows.push_back(Shows(setting.setting, row.x, y, row.width, pitch));
      y += pitch;
    }
  }
  return rows;
}

struct ItemCommand {
  int id;
  Command command;
};
constexpr ItemCommand kItemCommands[] = {
    {ids::kToolbarClear, Command::ClearHistory}, {ids::kToolbarSave, Command::SaveHistory},
    {ids::kMenuMainScreen, Command::ShowWindow}, {ids::kMenuUpdate, Command::OpenHomePage},
    {ids::kMenuExit, Command::ExitFromTray},
};

}  // namespace

std::span<const ControlRow> MainWindowControls() {
  static const std::vector<ControlRow> rows = WithFlagColumn();
  return rows;
}

const ControlRow* ControlRowOf(int id) {
  for (const ControlRow& row : MainWindowControls())
    if (row.id == id) return &row;
  return nullptr;
}

Command CommandOfItem(int id) {
  for (const ItemCommand& item : kItemCommands)
    if (item.id == id) return item.command;
  return Command::None;
}

const wchar_t* WindowClassOf(ControlKind kind) { return kKinds[static_cast<int>(kind)].windowClass; }

bool Notifies(ControlKind kind, int code) {
  const int runs = kKinds[static_cast<int>(kind)].notification;
  return runs == kAnyCode || runs == code;
}

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
