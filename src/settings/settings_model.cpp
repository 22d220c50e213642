#include "settings/settings_model.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "settings/stored_values.h"

namespace kestrune {

SettingValue StartValue(const SettingRow& row) {
  switch (row.start) {
    case SettingStart::Off: return false;
    case SettingStart::On: return true;
    default: return std::monostate{};
  }
}

SettingsModel::SettingsModel(SettingsFile& file, const CodePage& codePage) : file_(file), codePage_(codePage) {
  for (const SettingRow& row : kSettingRows) values_[Index(row.setting)] = StartValue(row);
}

StoredValue SettingsModel::Read(Setting setting) {
  switch (RowOf(setting).kind) {
    case SettingKind::Flag: return {FlagFromStored(file_.Read(setting))};
    case SettingKind::Speed: return {SpeedLevelFromStored(file_.Read(setting))};
    case SettingKind::RecordCount: return {RecordCountFromStored(file_.Read(setting))};
    case SettingKind::Language: return {LanguageChoiceFromStored(file_.Read(setting))};
    case SettingKind::Names: return ReadNames(setting);
    case SettingKind::Lines: return {SectionLines{file_.ReadLines(setting)}};
  }
  return {};
}

StoredValue SettingsModel::ReadNames(Setting setting) {
  NameList names;
  bool cut = false;
  if (auto unicode = file_.ReadUnicodeList(setting)) {
    names.text = std::move(unicode->text);
    cut = unicode->cut;
  } else {
    const SettingsFile::ListValue value = file_.ReadList(setting);
    names.text = codePage_.ToWide(value.text);
    cut = value.cut;
  }
  // Cut in wide text: in a double-byte code page a trail byte can look like the separator.
  if (cut) {
    const std::size_t bar = names.text.rfind(L'|');
    names.text.resize(bar == std::wstring::npos ? 0 : bar);
  }
  return {std::move(names), !cut};
}

bool SettingsModel::Store(Setting setting, SettingValue value) {
  if (RowOf(setting).kind == SettingKind::Lines) return StoreLines(setting, std::move(value));
  Assign(setting, std::move(value));
  const SettingValue& held = Value(setting);
  switch (RowOf(setting).kind) {
    case SettingKind::Flag: return file_.Write(setting, StoredFlag(Flag(setting)));
    case SettingKind::Speed: return file_.Write(setting, StoredSpeedLevel(Speed()));
    case SettingKind::RecordCount: return file_.Write(setting, StoredRecordCount(RecordCount()));
    case SettingKind::Language: return file_.Write(setting, StoredLanguageChoice(Language()));
    case SettingKind::Names:
      return std::holds_alternative<NameList>(held) && NamesFit(Names(setting)) && WriteNames(setting, Names(setting));
    case SettingKind::Lines: return false;
  }
  return false;
}

bool SettingsModel::StoreLines(Setting setting, SettingValue value) {
  const std::vector<ProfileEntry> before = Lines(setting);
  Assign(setting, std::move(value));
  const std::vector<ProfileEntry>& after = Lines(setting);
  const auto keyed = [](const std::vector<ProfileEntry>& lines, const std::wstring& key) {
    return std::find_if(lines.begin(), lines.end(), [&](const ProfileEntry& line) { return line.key == key; });
  };
  bool written = true;
  for (const ProfileEntry& line : before)
    if (keyed(after, line.key) == after.end()) written = file_.RemoveLine(setting, line.key) && written;
  for (const ProfileEntry& line : after) {
    const auto old = keyed(before, line.key);
    if (old == before.end() || old->value != line.value) written = WriteLine(setting, line) && written;
  }
  return written;
}

bool SettingsModel::WriteLine(Setting setting, const ProfileEntry& line) {
  const std::optional<std::string> key = ExactAnsi(line.key, codePage_);
  const std::optional<std::string> value = ExactAnsi(line.value, codePage_);
  if (key && value) return file_.WriteLine(setting, *key, *value);
  return file_.WriteLineUnicode(setting, line.key, line.value);
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

const std::wstring& SettingsModel::Names(Setting setting) const {
  static const std::wstring kNone;
  const NameList* names = std::get_if<NameList>(&values_[Index(setting)]);
  return names != nullptr ? names->text : kNone;
}

const std::vector<ProfileEntry>& SettingsModel::Lines(Setting setting) const {
  static const std::vector<ProfileEntry> kNone;
  const SectionLines* lines = std::get_if<SectionLines>(&values_[Index(setting)]);
  return lines != nullptr ? lines->lines : kNone;
}

bool SettingsModel::NamesFit(std::wstring_view names) const {
  // Counted in both forms the file may hold it in: bytes of the code page, characters of UTF-16.
  return codePage_.ToAnsi(names).size() <= SettingsFile::kListLimitBytes &&
         names.size() <= SettingsFile::kListLimitBytes;
}

}  // namespace kestrune
