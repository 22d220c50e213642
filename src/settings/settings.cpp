#include "settings/settings.h"

#include "settings/stored_values.h"

namespace kestrune {

bool Settings::Flag(Setting setting) { return FlagFromStored(file_.Read(setting)); }

void Settings::SetFlag(Setting setting, bool on) { file_.Write(setting, StoredFlag(on)); }

SpeedLevel Settings::Speed() { return SpeedLevelFromStored(file_.Read(Setting::Speed)); }

std::wstring Settings::RecordCount() { return RecordCountFromStored(file_.Read(Setting::RecordCount), codePage_); }

Settings::StoredList Settings::Exclude() {
  const SettingsFile::ListValue value = file_.ReadList(Setting::Exclude);
  StoredList list{codePage_.ToWide(value.text), value.cut};
  // Cut in wide text: in a double-byte code page a trail byte can look like the separator.
  if (list.cut) {
    const std::size_t bar = list.text.rfind(L'|');
    list.text.resize(bar == std::wstring::npos ? 0 : bar);
  }
  return list;
}

bool Settings::ExcludeFits(std::wstring_view stored) const {
  return codePage_.ToAnsi(stored).size() <= SettingsFile::kListLimitBytes;
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
