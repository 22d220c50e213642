#include "settings/settings.h"

#include "settings/stored_values.h"

namespace kestrune {

bool Settings::Flag(Setting setting) { return FlagFromStored(file_.Read(setting)); }

void Settings::SetFlag(Setting setting, bool on) { file_.Write(setting, StoredFlag(on)); }

SpeedLevel Settings::Speed() { return SpeedLevelFromStored(file_.Read(Setting::SpeedLevel)); }

std::wstring Settings::RecordCount() { return RecordCountFromStored(file_.Read(Setting::RecordCount), codePage_); }

std::wstring Settings::Exclude() { return codePage_.ToWide(file_.Read(Setting::Exclude)); }

void Settings::SetAutoRun(bool on) {
  if (on)
    autostart_.Add();
  else
    autostart_.Remove();
  SetFlag(Setting::AutoRun, on);
}

void Settings::SetSpeed(SpeedLevel level) { file_.Write(Setting::SpeedLevel, StoredSpeedLevel(level)); }

void Settings::SetRecordCount(std::wstring_view item) {
  file_.Write(Setting::RecordCount, StoredRecordCount(item, codePage_));
}

}  // namespace kestrune
