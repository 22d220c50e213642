#include "settings/settings.h"

#include <optional>
#include <utility>

#include "settings/stored_values.h"

namespace kestrune {

bool Settings::Flag(Setting setting) { return FlagFromStored(file_.Read(setting)); }

void Settings::SetFlag(Setting setting, bool on) { file_.Write(setting, StoredFlag(on)); }

SpeedLevel Settings::Speed() { return SpeedLevelFromStored(file_.Read(Setting::Speed)); }

std::wstring Settings::RecordCount() { return RecordCountFromStored(file_.Read(Setting::RecordCount), codePage_); }

Settings::StoredList Settings::Exclude() {
  StoredList list;
  if (auto unicode = file_.ReadUnicodeList(Setting::Exclude)) {
    list = {std::move(unicode->text), unicode->cut};
  } else {
    const SettingsFile::ListValue value = file_.ReadList(Setting::Exclude);
    list = {codePage_.ToWide(value.text), value.cut};
  }
  // Cut in wide text: in a double-byte code page a trail byte can look like the separator.
  if (list.cut) {
    const std::size_t bar = list.text.rfind(L'|');
    list.text.resize(bar == std::wstring::npos ? 0 : bar);
  }
  return list;
}

bool Settings::ExcludeFits(std::wstring_view stored) const {
  // Counted in both forms the file may hold it in: bytes of the code page, characters of UTF-16.
  return codePage_.ToAnsi(stored).size() <= SettingsFile::kListLimitBytes &&
         stored.size() <= SettingsFile::kListLimitBytes;
}

void Settings::SetExclude(std::wstring_view stored) {
  // A list the code page holds is written as it always was, so a file that never held anything else
  // keeps its form and its bytes; a name it cannot spell turns the file into UTF-16.
  if (const std::optional<std::string> ansi = ExactAnsi(stored, codePage_))
    file_.Write(Setting::Exclude, *ansi);
  else
    file_.WriteUnicode(Setting::Exclude, stored);
}

void Settings::SetRuleLine(std::wstring_view name, std::wstring_view value) {
  const std::optional<std::string> ansiName = ExactAnsi(name, codePage_);
  const std::optional<std::string> ansiValue = ExactAnsi(value, codePage_);
  if (ansiName && ansiValue)
    file_.WriteSectionKey(kRulesSection, *ansiName, *ansiValue);
  else
    file_.WriteSectionKeyUnicode(kRulesSection, name, value);
}

AutostartResult Settings::SetAutoRun(bool on) {
  const AutostartResult result = on ? autostart_.Add() : autostart_.Remove();
  // Stored on only when Windows will in fact start the program.
  SetFlag(Setting::AutoRun, on && result.written);
  return result;
}

void Settings::SetSpeed(SpeedLevel level) { file_.Write(Setting::Speed, StoredSpeedLevel(level)); }

void Settings::SetRecordCount(std::wstring_view item) {
  file_.Write(Setting::RecordCount, StoredRecordCount(item, codePage_));
}

}  // namespace kestrune
