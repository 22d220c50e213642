#pragma once
// Every setting, declared once. To add a setting, add a row to KESTRUNE_SETTINGS below, and its
// caption under its name in each language's table (texts_ja.cpp, texts_en.cpp); the window makes
// its control from the row, the start-up reads it and writes back what its row says, a change of its
// control stores it, and the code of its behaviour reads it from the model (settings_model.h). An
// on/off setting of the advanced page needs nothing more: its check box joins the page's column of
// check boxes.
//
// A row says:
//   name     the setting's one name, from the file to the code that acts on it (Setting::name); also
//            the key of its caption in the language tables
//   kind     what its value is (SettingKind)
//   section, key   where kestrune.ini keeps it
//   start    what a start writes back of the value it read (StartWrite)
//   control  the id of the control that shows it in the main window; 0 for none
//   page     the page of the window's tab strip that control stands on (vocabulary/pages.h)
//
// The start-up reads the rows in this order, which is also the order in which it writes values back
// (new keys go to the end of their section, so the order shapes the file).
#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

#include "vocabulary/pages.h"

namespace kestrune {

// What a setting's value is, and so how the file holds it (settings_model.h):
//   Flag         on or off, stored "1" or "0"
//   Speed        the speed level, stored "1" (normal) or "2"
//   RecordCount  the history's maximum, one of kRecordCounts, stored as its number
//   Language     the window's language, stored "auto", "ja" or "en"
//   Rules        the rules per program: its key holds the programs left alone in front, names
//                separated by "|" and read with a buffer of its own (see SettingsFile); every other
//                choice is a line of the section [Rules] (kRulesSection), one key per program
enum class SettingKind : unsigned char { Flag, Speed, RecordCount, Language, Rules };

// What a start writes back of the value it read, in its normal form:
//   IfOn     a setting designed off: only a value that reads as on
//   IfOff    a setting designed on: only a value that reads as off, a file without the key among them
//   Always   whatever the file holds, so a file without the key gains it
//   Never    nothing: a file without it keeps its bytes
// Of the rules, a start writes the key alone; their lines are written only by an edit.
enum class StartWrite : unsigned char { IfOn, IfOff, Always, Never };

// clang-format off
#define KESTRUNE_SETTINGS(X)                                                                                \
  /* name               kind          section     key                   start   control page          */ \
  X(AutoRun,            Flag,         "Normal",   "AutoRun",            IfOn,   131,    kSettingsPage)     \
  X(AutoMin,            Flag,         "Normal",   "AutoMin",            IfOn,   132,    kSettingsPage)     \
  X(Speed,              Speed,        "Speed",    "SpeedLevel",         Always, 137,    kSettingsPage)     \
  X(Recording,          Flag,         "Record",   "EnableRecord",       IfOff,  139,    kSettingsPage)     \
  X(RecordCount,        RecordCount,  "Record",   "RecordCount",        Always, 141,    kSettingsPage)     \
  X(Acceleration,       Flag,         "Normal",   "EnableSpeed",        IfOff,  135,    kSettingsPage)     \
  X(AlwaysTop,          Flag,         "Normal",   "AlwaysTop",          IfOff,  133,    kSettingsPage)     \
  X(RestoreOriginal,    Flag,         "Advanced", "RestoreOriginal",    Always, 182,    kAdvancedPage)     \
  X(RestoreOnStop,      Flag,         "Advanced", "RestoreOnStop",      Always, 183,    kAdvancedPage)     \
  X(Rules,              Rules,        "Advanced", "Exclude",            Always, 187,    kAdvancedPage)     \
  X(InstantReaction,    Flag,         "Advanced", "InstantReaction",    Always, 185,    kAdvancedPage)     \
  X(RestrainBackground, Flag,         "Advanced", "RestrainBackground", Always, 193,    kAdvancedPage)     \
  X(Language,           Language,     "Advanced", "Language",           Never,  195,    kAdvancedPage)
// clang-format on

#define KESTRUNE_SETTING_NAME(name, kind, section, key, start, control, page) name,
enum class Setting : unsigned char { KESTRUNE_SETTINGS(KESTRUNE_SETTING_NAME) };
#undef KESTRUNE_SETTING_NAME

struct SettingRow {
  Setting setting;
  std::string_view name;
  SettingKind kind;
  std::string_view section;
  std::string_view key;
  StartWrite start;
  int control;
  int page;
};

#define KESTRUNE_SETTING_ROW(name, kind, section, key, start, control, page) \
  {Setting::name, #name, SettingKind::kind, section, key, StartWrite::start, control, page},
inline constexpr SettingRow kSettingRows[] = {KESTRUNE_SETTINGS(KESTRUNE_SETTING_ROW)};
#undef KESTRUNE_SETTING_ROW

inline constexpr std::size_t kSettingCount = std::size(kSettingRows);

constexpr const SettingRow& RowOf(Setting setting) { return kSettingRows[static_cast<std::size_t>(setting)]; }
constexpr int ControlOf(Setting setting) { return RowOf(setting).control; }

// The setting a control shows, if it shows one.
constexpr std::optional<Setting> SettingOfControl(int control) {
  for (const SettingRow& row : kSettingRows)
    if (row.control != 0 && row.control == control) return row.setting;
  return std::nullopt;
}

}  // namespace kestrune
