#include "settings/settings_file.h"

#include "platform/file_system.h"

namespace kestrune {

SettingKey KeyOf(Setting setting) {
  switch (setting) {
    case Setting::AutoRun: return {"Normal", "AutoRun"};
    case Setting::AutoMin: return {"Normal", "AutoMin"};
    case Setting::SpeedLevel: return {"Speed", "SpeedLevel"};
    case Setting::EnableRecord: return {"Record", "EnableRecord"};
    case Setting::RecordCount: return {"Record", "RecordCount"};
    case Setting::EnableSpeed: return {"Normal", "EnableSpeed"};
    case Setting::AlwaysTop: return {"Normal", "AlwaysTop"};
    case Setting::RestoreOriginal: return {"Advanced", "RestoreOriginal"};
    case Setting::RestoreOnStop: return {"Advanced", "RestoreOnStop"};
    case Setting::Exclude: return {"Advanced", "Exclude"};
    case Setting::InstantReaction: return {"Advanced", "InstantReaction"};
    case Setting::RestrainBackground: return {"Advanced", "RestrainBackground"};
    case Setting::Language: return {"Advanced", "Language"};
  }
  return {};
}

std::wstring SettingsFilePath(std::wstring_view directory) { return JoinPath(directory, L"kestrune.ini"); }

std::string SettingsFile::Read(Setting setting) { return ReadList(setting).text; }

SettingsFile::ListValue SettingsFile::ReadList(Setting setting) {
  const SettingKey where = KeyOf(setting);
  const std::size_t buffer = BufferBytes(setting);
  std::string value = store_.Read(where.section, where.key, buffer);
  const bool cut = value.size() + 2 >= buffer;
  // The platform fills at most the buffer less its terminator; never trust a longer answer.
  if (value.size() > buffer - 1) value.resize(buffer - 1);
  if (const auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
  const auto first = value.find_first_not_of(' ');
  if (first == std::string::npos) return {std::string(), cut};
  const auto last = value.find_last_not_of(' ');
  return {value.substr(first, last - first + 1), cut};
}

bool SettingsFile::Write(Setting setting, std::string_view value) {
  const SettingKey where = KeyOf(setting);
  return store_.Write(where.section, where.key, value);
}

}  // namespace kestrune
