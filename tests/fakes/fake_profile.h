#pragma once
// An ini file in memory. Sections and keys keep the order of their first write, as the platform's
// private-profile writes do. Reads are cut to the buffer like GetPrivateProfileString. The file turns
// into UTF-16 at its first WriteUnicode; its texts in the code page are ASCII.
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/profile.h"

namespace kestrune::testing {

class FakeProfileStore : public ProfileStore {
 public:
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
    std::optional<std::wstring> unicodeValue;  // written by WriteUnicode
  };

  std::string Read(std::string_view section, std::string_view key, std::size_t bufferBytes) override {
    ++reads;
    readLog.push_back(std::string(section) + "." + std::string(key));
    lastBufferBytes = bufferBytes;
    if (failReadKeys.count(std::string(section) + "." + std::string(key))) return std::string();
    const auto value = Get(section, key);
    if (!value || bufferBytes == 0) return std::string();
    return value->substr(0, bufferBytes - 1);
  }

  bool Write(std::string_view section, std::string_view key, std::string_view value) override {
    if (onWrite) onWrite(std::string(key));
    ++writes;
    writeLog.push_back(std::string(section) + "." + std::string(key) + "=" + std::string(value));
    if (failWrites || failWriteKeys.count(std::string(section) + "." + std::string(key))) return false;
    Set(section, key, value);
    return true;
  }

  std::optional<std::wstring> ReadUnicode(std::string_view section, std::string_view key,
                                          std::size_t bufferChars) override {
    if (!unicode) return std::nullopt;
    ++reads;
    readLog.push_back(std::string(section) + "." + std::string(key));
    lastBufferBytes = bufferChars;
    const std::wstring value = GetUnicode(section, key).value_or(L"");
    return bufferChars == 0 ? std::wstring() : value.substr(0, bufferChars - 1);
  }

  bool WriteUnicode(std::string_view section, std::string_view key, std::wstring_view value) override {
    if (onWrite) onWrite(std::string(key));
    ++writes;
    writeLog.push_back(std::string(section) + "." + std::string(key) + "=(UTF-16)");
    if (failWrites || failWriteKeys.count(std::string(section) + "." + std::string(key))) return false;
    unicode = true;
    Set(section, key, "");
    for (auto& e : entries)
      if (e.section == section && e.key == key) e.unicodeValue = std::wstring(value);
    return true;
  }

  void Set(std::string_view section, std::string_view key, std::string_view value) {
    for (auto& e : entries)
      if (e.section == section && e.key == key) {
        e.value = value;
        e.unicodeValue.reset();
        return;
      }
    entries.push_back({std::string(section), std::string(key), std::string(value), std::nullopt});
  }

  // The value as the wide functions read it.
  std::optional<std::wstring> GetUnicode(std::string_view section, std::string_view key) const {
    for (const auto& e : entries)
      if (e.section == section && e.key == key) return e.unicodeValue.value_or(std::wstring(e.value.begin(), e.value.end()));
    return std::nullopt;
  }

  std::optional<std::string> Get(std::string_view section, std::string_view key) const {
    for (const auto& e : entries)
      if (e.section == section && e.key == key) return e.value;
    return std::nullopt;
  }

  bool Exists() const { return !entries.empty(); }

  std::vector<Entry> entries;
  bool unicode = false;  // the file is in UTF-16
  bool failWrites = false;  // writes report failure and change nothing (read-only directory, full disk)
  std::set<std::string> failReadKeys;   // "Section.Key" that reads as empty, as an unreadable file does
  std::set<std::string> failWriteKeys;  // "Section.Key" whose writes fail and change nothing
  int reads = 0;
  int writes = 0;
  std::size_t lastBufferBytes = 0;
  std::vector<std::string> readLog;   // "Section.Key"
  std::vector<std::string> writeLog;  // "Section.Key=value", failed writes included
  std::function<void(const std::string& key)> onWrite;  // runs before each write, to look at the world then
};

}  // namespace kestrune::testing
