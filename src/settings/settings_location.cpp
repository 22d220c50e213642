#include "settings/settings_location.h"
#include "platform/texts.h"

#include "platform/file_system.h"
#include "settings/settings_file.h"

namespace kestrune {

SettingsLocation LocateSettings(FileAccess& files, std::wstring_view programFolder, std::wstring_view userFolder) {
  SettingsLocation beside{std::wstring(programFolder), SettingsFilePath(programFolder), false};
  if (userFolder.empty() || files.CanWrite(beside.file)) return beside;
  SettingsLocation user{std::wstring(userFolder), SettingsFilePath(userFolder), false};
  if (files.Exists(user.file)) return user;
  if (!files.MakeFolder(user.folder)) return beside;
  // A copy that fails leaves the user's file to be made by the first write, without the old values.
  if (files.Exists(beside.file)) files.Copy(beside.file, user.file);
  if (!files.CanWrite(user.file)) return beside;
  user.moved = true;
  return user;
}

std::wstring SettingsFileInUse(FileAccess& files, std::wstring_view programFolder, std::wstring_view userFolder) {
  std::wstring beside = SettingsFilePath(programFolder);
  if (userFolder.empty() || files.CanWrite(beside)) return beside;
  std::wstring user = SettingsFilePath(userFolder);
  // The user's file exists, or a running copy whose copy failed makes it at its first write.
  return files.Exists(user) || files.CanWrite(user) ? user : beside;
}

std::wstring SettingsMovedNotice(std::wstring_view file) {
  return UiText(TextId::SettingsMoved, {file});
}

}  // namespace kestrune
