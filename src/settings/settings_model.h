#pragma once
// The settings as the program holds them: one value for each row of settings_table.h. The model is
// the truth: the start-up fills it from the file, a change goes into it and from it into the file,
// the window's controls show it, and the tick, the restraint and the history read it.
//
// Each kind's rules of reading and writing are here, by the stored-value rules of stored_values.h.
// The lists live here too: a list of names in one key (Names), and a section of one key per program
// (Lines), each an alternative of SettingValue with its own read and write.
#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/code_page.h"
#include "settings/language_choice.h"
#include "settings/settings_file.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

// Names separated by "|" as the file holds them; what they mean is the reader's business (the
// exclusion list's normal form is the engine's).
struct NameList {
  std::wstring text;
  bool operator==(const NameList&) const = default;
};

// A section's keys with their values, in the file's order; what they mean is the reader's business
// (the rules per program are the engine's).
struct SectionLines {
  std::vector<ProfileEntry> lines;
  bool operator==(const SectionLines&) const = default;
};

// A setting's value: none (std::monostate) before the file says one (SettingStart::Unset), else the
// alternative of its kind: Flag bool, Speed SpeedLevel, RecordCount int, Language LanguageChoice,
// Names NameList, Lines SectionLines.
using SettingValue = std::variant<std::monostate, bool, SpeedLevel, int, LanguageChoice, NameList, SectionLines>;

// What the file holds for a setting. `whole` is false for a list that filled its buffer: its last
// entry, which may have been cut in the middle of a name, is left out, and writing the rest back
// would lose what the buffer did not hold.
struct StoredValue {
  SettingValue value;
  bool whole = true;
};

// The value a setting has before the file is read: its row's start.
SettingValue StartValue(const SettingRow& row);

class SettingsModel {
 public:
  // Every setting at its start value.
  SettingsModel(SettingsFile& file, const CodePage& codePage);

  // What the file holds for the setting now, by its kind's rules; the model is left as it is.
  StoredValue Read(Setting setting);
  // Holds the value without writing it.
  void Assign(Setting setting, SettingValue value) { values_[Index(setting)] = std::move(value); }
  // Holds the value and writes it. The write's result is not acted on: the setting keeps its new
  // value when the file could not take it. True when the file took it. A list of names too long to
  // read back whole is held but not written; of a Lines setting only the lines that differ from
  // those held are written or removed, so a word a later version added to another line stays.
  bool Store(Setting setting, SettingValue value);

  const SettingValue& Value(Setting setting) const { return values_[Index(setting)]; }
  // The value by its kind; a setting without one yet reads as off, the unknown level, 0, automatic
  // or no names.
  bool Flag(Setting setting) const;
  SpeedLevel Speed() const;
  int RecordCount() const;
  LanguageChoice Language() const;
  const std::wstring& Names(Setting setting) const;
  const std::vector<ProfileEntry>& Lines(Setting setting) const;

  // Whether a list stored so reads back whole, in whichever form the file holds it.
  bool NamesFit(std::wstring_view names) const;

 private:
  static std::size_t Index(Setting setting) { return static_cast<std::size_t>(setting); }
  template <typename T>
  T Get(Setting setting, T none) const {
    const T* value = std::get_if<T>(&values_[Index(setting)]);
    return value != nullptr ? *value : none;
  }
  StoredValue ReadNames(Setting setting);
  bool WriteNames(Setting setting, std::wstring_view names);
  bool StoreLines(Setting setting, SettingValue value);
  // One line, in the code page where it holds both key and value exactly, else in Unicode.
  bool WriteLine(Setting setting, const ProfileEntry& line);

  SettingsFile& file_;
  const CodePage& codePage_;
  std::array<SettingValue, kSettingCount> values_;
};

}  // namespace kestrune
