#include "settings/autostart_value.h"

#include "platform/file_system.h"

namespace kestrune {

std::wstring ExecutablePath(std::wstring_view directory, std::wstring_view baseName) {
  return JoinPath(directory, std::wstring(baseName) + L".exe");
}

std::wstring RunValueData(std::wstring_view executablePath) {
  if (executablePath.empty() || executablePath.find(L'"') != std::wstring_view::npos) return {};
  return L"\"" + std::wstring(executablePath) + L"\"";
}

void AutostartValue::Add() {
  const Registry::Key key = registry_.CreateKey(RegistryRoot::LocalMachine, kRunKey);
  if (key == 0) return;  // nothing opened, so nothing to set or close
  const std::wstring data = RunValueData(executablePath_);
  // A value that cannot name this copy must not go on naming another one (an older copy, moved
  // away) while the setting says the program starts with Windows.
  if (data.empty() || !registry_.SetString(key, kValueName, data)) registry_.DeleteValue(key, kValueName);
  registry_.CloseKey(key);
}

void AutostartValue::Remove() {
  const Registry::Key key = registry_.CreateKey(RegistryRoot::LocalMachine, kRunKey);
  if (key == 0) return;
  registry_.DeleteValue(key, kValueName);
  registry_.CloseKey(key);
}

}  // namespace kestrune
