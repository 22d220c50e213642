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

void ModuleAutoRun::Add() {
  const Registry::Key key = registry_.CreateKey(RegistryRoot::LocalMachine, kRunKey);
  if (key == 0) return;  // nothing opened, so nothing to set or close
  const std::string path = codePage_.ToAnsi(executablePath_);
  // A path cut to fit would name another file; leave the value alone rather than store that.
  if (path.size() <= kMaxValueBytes - 1) registry_.SetString(key, kValueName, path);
  registry_.CloseKey(key);
}

void ModuleAutoRun::Remove() {
  const Registry::Key key = registry_.CreateKey(RegistryRoot::LocalMachine, kRunKey);
  if (key == 0) return;
  registry_.DeleteValue(key, kValueName);
  registry_.CloseKey(key);
}

}  // namespace kestrune
