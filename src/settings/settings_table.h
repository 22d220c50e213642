#pragma once
// Every setting, declared once. To add a setting, add a row to KESTRUNE_SETTINGS below, and its
// caption under its name in each language's table (texts_ja.cpp, texts_en.cpp); the window makes
// its control from the row, the start-up loads it, a change of its control stores it, and the code
// of its behaviour reads it from the model (settings_model.h). An on/off setting of the advanced
// page needs nothing more: its check box joins the page's column of check boxes.
//
// A row says:
//   name     the setting's one name, from the file to the code that acts on it (Setting::name); also
//            the key of its caption in the language tables
//   kind     what its value is (SettingKind)
//   section, key   where kestrune.ini keeps it
//   start    its state before the file is read (SettingStart): the state its control is designed
//            with. A stored value that differs is a change, and a change is stored and acted on.
//   control  the id of the control that shows it in the main window; 0 for none
//   page     the page of the window's tab strip that control stands on
//
// The start-up reads the rows in this order, which is also the order in which it writes values back
// (new keys go to the end of their section, so the order shapes the file). Rules comes before
// Exclude: the exclusion list's normal form takes in the programs a rule leaves alone in front. The
// two are shown together by the rule list (Rules' control; Exclude has none of its own).
#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

namespace kestrune {

// What a setting's value is, and so how the file holds it (settings_model.h):
//   Flag         on or off, stored "1" or "0"
//   Speed        the speed level, stored "1" (normal) or "2"
//   RecordCount  the history's maximum, one of kRecordCounts, stored as its number
//   Language     the window's language, stored "auto", "ja" or "en"
//   Names        program names separated by "|", read with a buffer of its own (see SettingsFile)
//   Lines        a whole section, one key per program, read whole and written one line at a time
//                (its row's key is empty)
enum class SettingKind : unsigned char { Flag, Speed, RecordCount, Language, Names, Lines };

// The state before the file is read:
//   Off, On  a check box designed unticked or ticked: a stored value that differs is a change
//   Unset    none: whatever the file holds is a change, so it is written back in its normal form and a
//            file without the key gains it
//   Kept     taken as the file holds it and never written back at start-up: a file without it keeps
//            its bytes
enum class SettingStart : unsigned char { Off, On, Unset, Kept };

// The window's pages that hold settings.
inline constexpr int kSettingsPage = 1;
inline constexpr int kAdvancedPage = 4;

// clang-format off
#define KESTRUNE_SETTINGS(X)                                                                                \
  /* name               kind          section     key                   start   control page          */ \
  X(AutoRun,            Flag,         "Normal",   "AutoRun",            Off,    131,    kSettingsPage)     \
  X(AutoMin,            Flag,         "Normal",   "AutoMin",            Off,    132,    kSettingsPage)     \
  X(Speed,              Speed,        "Speed",    "SpeedLevel",         Unset,  137,    kSettingsPage)     \
  X(Recording,          Flag,         "Record",   "EnableRecord",       On,     139,    kSettingsPage)     \
  X(RecordCount,        RecordCount,  "Record",   "RecordCount",        Unset,  141,    kSettingsPage)     \
  X(Acceleration,       Flag,         "Normal",   "EnableSpeed",        On,     135,    kSettingsPage)     \
  X(AlwaysTop,          Flag,         "Normal",   "AlwaysTop",          On,     133,    kSettingsPage)     \
  X(RestoreOriginal,    Flag,         "Advanced", "RestoreOriginal",    Unset,  182,    kAdvancedPage)     \
  X(RestoreOnStop,      Flag,         "Advanced", "RestoreOnStop",      Unset,  183,    kAdvancedPage)     \
  X(Rules,              Lines,        "Rules",    "",                   Kept,   187,    kAdvancedPage)     \
  X(Exclude,            Names,        "Advanced", "Exclude",            Unset,  0,      kAdvancedPage)     \
  X(InstantReaction,    Flag,         "Advanced", "InstantReaction",    Unset,  185,    kAdvancedPage)     \
  X(RestrainBackground, Flag,         "Advanced", "RestrainBackground", Unset,  193,    kAdvancedPage)     \
  X(Language,           Language,     "Advanced", "Language",           Kept,   195,    kAdvancedPage)
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
  SettingStart start;
  int control;
  int page;
};

#define KESTRUNE_SETTING_ROW(name, kind, section, key, start, control, page) \
  {Setting::name, #name, SettingKind::kind, section, key, SettingStart::start, control, page},
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
