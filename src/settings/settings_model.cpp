#include "settings/settings_model.h"

#include <algorithm>
#include <utility>

#include "engine/exclude_list.h"
#include "engine/process_names.h"
#include "settings/stored_values.h"

namespace kestrune {

bool StartWritesBack(const SettingRow& row, const SettingValue& read) {
  switch (row.start) {
    case StartWrite::IfOn: return read == SettingValue(true);
    case StartWrite::IfOff: return read == SettingValue(false);
    case StartWrite::Always: return true;
    case StartWrite::Never: return false;
  }
  return false;
}

StoredValue SettingsModel::Read(Setting setting) {
  switch (RowOf(setting).kind) {
    case SettingKind::Flag: return {FlagFromStored(file_.Read(setting))};
    case SettingKind::Speed: return {SpeedLevelFromStored(file_.Read(setting))};
    case SettingKind::RecordCount: return {RecordCountFromStored(file_.Read(setting))};
    case SettingKind::Language: return {LanguageChoiceFromStored(file_.Read(setting))};
    case SettingKind::Rules: return ReadRules(setting);
  }
  return {};
}

StoredValue SettingsModel::ReadRules(Setting setting) {
  std::wstring names;
  bool cut = false;
  if (auto unicode = file_.ReadUnicodeList(setting)) {
    names = std::move(unicode->text);
    cut = unicode->cut;
  } else {
    const SettingsFile::ListValue value = file_.ReadList(setting);
    names = codePage_.ToWide(value.text);
    cut = value.cut;
  }
  // Cut in wide text: in a double-byte code page a trail byte can look like the separator.
  if (cut) {
    const std::size_t bar = names.rfind(L'|');
    names.resize(bar == std::wstring::npos ? 0 : bar);
  }
  RuleSet set{{}, file_.ReadRuleLines()};
  set.rules = ProgramRules::FromStored(names, set.lines);
  return {std::move(set), !cut};
}

bool SettingsModel::Store(Setting setting, SettingValue value) {
  Assign(setting, std::move(value));
  switch (RowOf(setting).kind) {
    case SettingKind::Flag: return file_.Write(setting, StoredFlag(Flag(setting)));
    case SettingKind::Speed: return file_.Write(setting, StoredSpeedLevel(Speed()));
    case SettingKind::RecordCount: return file_.Write(setting, StoredRecordCount(RecordCount()));
    case SettingKind::Language: return file_.Write(setting, StoredLanguageChoice(Language()));
    case SettingKind::Rules: {
      const std::wstring names = Rules().Excluded().Stored();
      return NamesFit(names) && WriteNames(setting, names);
    }
  }
  return false;
}

RuleEdit SettingsModel::SetRule(std::wstring_view name, FrontChoice front, BehindChoice behind) {
  ProgramRules next = Rules();
  if (!next.Set(name, front, behind)) return RuleEdit::Refused;
  return StoreRules(std::move(next), ProgramNameOfEntry(name));
}

RuleEdit SettingsModel::RemoveRule(std::wstring_view name) {
  ProgramRules next = Rules();
  if (!next.Remove(name)) return RuleEdit::Refused;
  return StoreRules(std::move(next), name);
}

RuleEdit SettingsModel::StoreRules(ProgramRules next, std::wstring_view name) {
  RuleSet* held = std::get_if<RuleSet>(&values_[Index(Setting::Rules)]);
  if (held == nullptr) held = &values_[Index(Setting::Rules)].emplace<RuleSet>();
  const std::wstring exclude = next.Excluded().Stored();
  const bool excludeChanged = exclude != held->rules.Excluded().Stored();
  if (excludeChanged && !NamesFit(exclude)) return RuleEdit::ListFull;
  const ProgramRule* rule = next.Find(name);
  const std::wstring key(rule != nullptr ? std::wstring_view(rule->name) : name);
  const std::optional<std::wstring> line = next.LineOf(key);
  held->rules = std::move(next);
  StoreLines(held->lines, key, line);
  if (excludeChanged) WriteNames(Setting::Rules, exclude);
  return RuleEdit::Stored;
}

void SettingsModel::StoreLines(std::vector<ProfileEntry>& lines, std::wstring_view key,
                               const std::optional<std::wstring>& value) {
  const auto named = [&](const ProfileEntry& line) { return SameProgramName(ProgramNameOfEntry(line.key), key); };
  const auto first = std::find_if(lines.begin(), lines.end(), named);
  const auto count = std::count_if(lines.begin(), lines.end(), named);
  if (value && count == 1) {
    // Its one line, under the key the file gives it.
    if (first->value != *value) {
      first->value = *value;
      WriteLine(*first);
    }
    return;
  }
  // A removal, or lines that several keys hold (a name typed twice, in two cases): each removal
  // takes the first line of its key, whatever its case, so one for every line takes them all.
  for (const ProfileEntry& line : lines)
    if (named(line)) file_.RemoveRuleLine(line.key);
  std::erase_if(lines, named);
  if (!value) return;
  lines.push_back({std::wstring(key), *value});
  WriteLine(lines.back());
}

bool SettingsModel::WriteLine(const ProfileEntry& line) {
  const std::optional<std::string> key = ExactAnsi(line.key, codePage_);
  const std::optional<std::string> value = ExactAnsi(line.value, codePage_);
  if (key && value) return file_.WriteRuleLine(*key, *value);
  return file_.WriteRuleLineUnicode(line.key, line.value);
}

bool SettingsModel::WriteNames(Setting setting, std::wstring_view names) {
  // A list the code page holds is written as it always was, so a file that never held anything else
  // keeps its form and its bytes; a name it cannot spell turns the file into UTF-16.
  if (const std::optional<std::string> ansi = ExactAnsi(names, codePage_)) return file_.Write(setting, *ansi);
  return file_.WriteUnicode(setting, names);
}

bool SettingsModel::Flag(Setting setting) const { return Get<bool>(setting, false); }

SpeedLevel SettingsModel::Speed() const { return Get<SpeedLevel>(Setting::Speed, SpeedLevel::Unknown); }

int SettingsModel::RecordCount() const { return Get<int>(Setting::RecordCount, 0); }

LanguageChoice SettingsModel::Language() const { return Get<LanguageChoice>(Setting::Language, LanguageChoice::Auto); }

const ProgramRules& SettingsModel::Rules() const {
  static const ProgramRules kNone;
  const RuleSet* set = std::get_if<RuleSet>(&values_[Index(Setting::Rules)]);
  return set != nullptr ? set->rules : kNone;
}

bool SettingsModel::NamesFit(std::wstring_view names) const {
  // Counted in both forms the file may hold it in: bytes of the code page, characters of UTF-16.
  return codePage_.ToAnsi(names).size() <= SettingsFile::kListLimitBytes &&
         names.size() <= SettingsFile::kListLimitBytes;
}

}  // namespace kestrune
