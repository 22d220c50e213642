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

bool AutostartValue::Set(RegistryRoot root, std::wstring_view data) {
  const Registry::Key key = registry_.CreateKey(root, kRunKey);
  if (key == 0) return false;  // nothing opened, so nothing to set or close
  const bool set = !data.empty() && registry_.SetString(key, kValueName, data);
  // A value that cannot name this copy must not go on naming another one (an older copy, moved
  // away) while the setting says the program starts with Windows.
  if (!set) registry_.DeleteValue(key, kValueName);
  registry_.CloseKey(key);
  return set;
}

void AutostartValue::Delete(RegistryRoot root) {
  const Registry::Key key = registry_.CreateKey(root, kRunKey);
  if (key == 0) return;
  registry_.DeleteValue(key, kValueName);
  registry_.CloseKey(key);
}

bool AutostartValue::MachineValueIs(std::wstring_view data) {
  const auto value = registry_.ReadString(RegistryRoot::LocalMachine, kRunKey, kValueName);
  return value.has_value() && *value == data;
}

AutostartResult AutostartValue::Add() {
  const std::wstring data = RunValueData(executablePath_);
  AutostartResult result;
  // A machine-wide value that already names this copy starts it, whether or not this user may
  // write the key: the user's key must not name it a second time.
  if (Set(RegistryRoot::LocalMachine, data) || (!data.empty() && MachineValueIs(data))) {
    result.written = true;
    Delete(RegistryRoot::CurrentUser);
    return result;
  }
  result.written = Set(RegistryRoot::CurrentUser, data);
  Delete(RegistryRoot::LocalMachine);
  result.machineValueLeft = registry_.ReadString(RegistryRoot::LocalMachine, kRunKey, kValueName).has_value();
  return result;
}

AutostartResult AutostartValue::Remove() {
  Delete(RegistryRoot::LocalMachine);
  Delete(RegistryRoot::CurrentUser);
  AutostartResult result;
  result.machineValueLeft = registry_.ReadString(RegistryRoot::LocalMachine, kRunKey, kValueName).has_value();
  return result;
}

}  // namespace kestrune
