#pragma once
// A registry in memory that hands out numbered key handles and remembers which are still open,
// so tests can prove that every opened key is closed.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/registry.h"

namespace kestrune::testing {

class FakeRegistry : public Registry {
 public:
  Key CreateKey(RegistryRoot root, std::wstring_view subKey) override {
    ++creates;
    if (failCreate || denied.count(root) > 0) return 0;
    const Key key = nextKey++;
    open[key] = {root, std::wstring(subKey)};
    return key;
  }

  bool SetString(Key key, std::wstring_view valueName, std::wstring_view data) override {
    ++sets;
    const auto it = open.find(key);
    if (failSet || it == open.end() || failSetRoots.count(it->second.first) > 0) return false;
    values[Path(it->second, valueName)] = std::wstring(data);
    return true;
  }

  bool DeleteValue(Key key, std::wstring_view valueName) override {
    ++deletes;
    const auto it = open.find(key);
    if (failDelete || it == open.end()) return false;
    return values.erase(Path(it->second, valueName)) > 0;
  }

  void CloseKey(Key key) override {
    ++closes;
    if (open.erase(key) == 0) ++badCloses;
  }

  std::optional<std::wstring> ReadString(RegistryRoot root, std::wstring_view subKey,
                                         std::wstring_view valueName) override {
    const auto it = values.find(Path({root, std::wstring(subKey)}, valueName));
    if (it == values.end()) return std::nullopt;
    return it->second;
  }

  // L"HKLM\\Sub\\Key\\ValueName" or L"HKCU\\..."
  static std::wstring Path(const std::pair<RegistryRoot, std::wstring>& key, std::wstring_view valueName) {
    return std::wstring(key.first == RegistryRoot::LocalMachine ? L"HKLM\\" : L"HKCU\\") + key.second + L"\\" +
           std::wstring(valueName);
  }

  std::map<std::wstring, std::wstring> values;
  std::map<Key, std::pair<RegistryRoot, std::wstring>> open;  // keys not yet closed
  bool failCreate = false;             // no key opens for writing
  std::set<RegistryRoot> denied;       // keys this user may not open for writing (HKLM without elevation)
  std::set<RegistryRoot> failSetRoots;  // keys that open but refuse a value
  bool failSet = false;
  bool failDelete = false;
  int creates = 0, sets = 0, deletes = 0, closes = 0;
  int badCloses = 0;  // closes of a key that was not open (0, or twice)

 private:
  Key nextKey = 0x100;
};

}  // namespace kestrune::testing
