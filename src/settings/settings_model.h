#pragma once
// The settings as the program holds them: one value for each row of settings_table.h. The model is
// the truth: the start-up fills it from the file, a change goes into it and from it into the file,
// the window's controls show it, and the tick, the restraint and the history read it.
//
// Each kind's rules of reading and writing are here, by the stored-value rules of stored_values.h.
// The rules per program are parsed here once, as they are read, into the lookup the engine uses;
// an edit of them is one call that changes the rules held and stores what changed.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/program_rules.h"
#include "platform/code_page.h"
#include "settings/language_choice.h"
#include "settings/settings_file.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

// The rules per program as the model holds them: one rule per program, in the order the list shows
// them, beside the [Rules] lines the file holds (each key as the file spells it, with the value the
// profile functions read for it), so that an edit writes only what changed and a removal finds every
// line of its program.
struct RuleSet {
  ProgramRules rules;
  std::vector<ProfileEntry> lines;
  bool operator==(const RuleSet&) const = default;
};

// A setting's value: none (std::monostate) before the file is read, else the alternative of its
// kind: Flag bool, Speed SpeedLevel, RecordCount int, Language LanguageChoice, Rules RuleSet.
using SettingValue = std::variant<std::monostate, bool, SpeedLevel, int, LanguageChoice, RuleSet>;

// What the file holds for a setting. `whole` is false for a list that filled its buffer: its last
// entry, which may have been cut in the middle of a name, is left out, and writing the rest back
// would lose what the buffer did not hold.
struct StoredValue {
  SettingValue value;
  bool whole = true;
};

// Whether a start writes back the value it read for the setting (its row's StartWrite).
bool StartWritesBack(const SettingRow& row, const SettingValue& read);

// What became of an edit of the rules.
enum class RuleEdit : unsigned char {
  Stored,    // held and stored
  Refused,   // a name no file may have, or no key can hold for the choices; or no rule to remove
  ListFull,  // Exclude would no longer read back whole: nothing changed
};

class SettingsModel {
 public:
  // Every setting without a value until the file is read.
  SettingsModel(SettingsFile& file, const CodePage& codePage) : file_(file), codePage_(codePage) {}

  // What the file holds for the setting now, by its kind's rules; the model is left as it is.
  StoredValue Read(Setting setting);
  // Holds the value without writing it.
  void Assign(Setting setting, SettingValue value) { values_[Index(setting)] = std::move(value); }
  // Holds the value and writes it. The write's result is not acted on: the setting keeps its new
  // value when the file could not take it. True when the file took it. Of the rules only their key
  // is written (the programs left alone in front, in their normal form), and not when it would not
  // read back whole; their lines are the edits' to write.
  bool Store(Setting setting, SettingValue value);

  const SettingValue& Value(Setting setting) const { return values_[Index(setting)]; }
  // The value by its kind; a setting without one yet reads as off, the unknown level, 0, automatic
  // or no rules.
  bool Flag(Setting setting) const;
  SpeedLevel Speed() const;
  int RecordCount() const;
  LanguageChoice Language() const;
  // The rules per program: what the tick and the restraint look a program up in, and what the rule
  // list shows.
  const ProgramRules& Rules() const;

  // The program gets these choices (a new one is added after the others), or loses its rule; the
  // rules held change and what changed is stored: the program's [Rules] lines (all of them, in any
  // case, where the file holds more than one) and Exclude where the programs left alone changed.
  RuleEdit SetRule(std::wstring_view name, FrontChoice front, BehindChoice behind);
  RuleEdit RemoveRule(std::wstring_view name);

  // Whether a list stored so reads back whole, in whichever form the file holds it.
  bool NamesFit(std::wstring_view names) const;

 private:
  static std::size_t Index(Setting setting) { return static_cast<std::size_t>(setting); }
  template <typename T>
  T Get(Setting setting, T none) const {
    const T* value = std::get_if<T>(&values_[Index(setting)]);
    return value != nullptr ? *value : none;
  }
  StoredValue ReadRules(Setting setting);
  bool WriteNames(Setting setting, std::wstring_view names);
  // The edited rules held and stored; `name` is the program edited.
  RuleEdit StoreRules(ProgramRules next, std::wstring_view name);
  // The program's lines made to say `value` (none: no line), under `key` where a line is written anew.
  void StoreLines(std::vector<ProfileEntry>& lines, std::wstring_view key, const std::optional<std::wstring>& value);
  // One line, in the code page where it holds both key and value exactly, else in Unicode.
  bool WriteLine(const ProfileEntry& line);

  SettingsFile& file_;
  const CodePage& codePage_;
  std::array<SettingValue, kSettingCount> values_;
};

}  // namespace kestrune
