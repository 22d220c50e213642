#include "settings/module_auto_run.h"

namespace kestrune {

namespace {

std::wstring Join(std::wstring_view directory, std::wstring_view name) {
  std::wstring path(directory);
  if (path.empty() || path.back() != L'\\') path += L'\\';
  path += name;
  return path;
}

}  // namespace

std::wstring ExecutablePath(std::wstring_view directory, std::wstring_view baseName) {
  return Join(directory, std::wstring(baseName) + L".exe");
}

std::wstring SettingsFilePath(std::wstring_view directory) { return Join(directory, L"kestrune.ini"); }

std::wstring RunValueData(std::wstring_view executablePath) {
  if (executablePath.empty() || executablePath.find(L'"') != std::wstring_view::npos) return {};
  return L"\"" + std::wstring(executablePath) + L"\"";
}

void ModuleAutoRun::Add() {
  const Registry::Key key = registry_.CreateKey(RegistryRoot::LocalMachine, kRunKey);
  if (key == 0) return;  // nothing opened, so nothing to set or close
  const std::wstring data = RunValueData(executablePath_);
  // A value that cannot name this copy must not go on naming another one (an older copy, moved
  // away) while the setting says the program starts with Windows.
  if (data.empty() || !registry_.SetString(key, kValueName, data)) registry_.DeleteValue(key, kValueName);
  registry_.CloseKey(key);
}

void ModuleAutoRun::Remove() {
  const Registry::Key key = registry_.CreateKey(RegistryRoot::LocalMachine, kRunKey);
  if (key == 0) return;
  registry_.DeleteValue(key, kValueName);
  registry_.CloseKey(key);
}

}  // namespace kestrune
