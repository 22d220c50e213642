#pragma once
// An ini file in memory. Sections and keys keep the order of their first write, as the platform's
// private-profile writes do. Reads are cut to the buffer like GetPrivateProfileString. The file turns
// into UTF-16 at its first WriteUnicode; its texts in the code page are ASCII. Keys compare without
// regard to case, as the profile functions compare them: a read, a write and a removal find the first
// line of the key, and a section read gives every line of a key the first one's value, as
// GetPrivateProfileStringW answers each name the section lists.
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/profile.h"
#include "platform/unicode_text.h"

namespace kestrune::testing {

class FakeProfileStore : public ProfileStore {
 public:
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
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
    unicodeValues.erase(std::string(section) + "." + std::string(key));
    return true;
  }

  std::optional<std::wstring> ReadUnicode(std::string_view section, std::string_view key, std::size_t chars) override {
    if (!unicode) return std::nullopt;
    const std::string narrow = Read(section, key, chars);
    lastBufferBytes = chars;
    const auto wide = unicodeValues.find(std::string(section) + "." + std::string(key));
    return wide == unicodeValues.end() ? std::wstring(narrow.begin(), narrow.end()) : wide->second.substr(0, chars - 1);
  }

  // A key outside ASCII is held under its UTF-8 bytes.
  bool WriteUnicode(std::string_view section, std::wstring_view key, std::wstring_view value) override {
    const std::string narrow = Utf8Bytes(key);
    if (!Write(section, narrow, "")) return false;
    unicode = true;
    unicodeValues[std::string(section) + "." + narrow] = value;
    wideKeys[narrow] = key;
    return true;
  }

  std::vector<ProfileEntry> ReadSection(std::string_view section) override {
    ++sectionReads;
    std::vector<ProfileEntry> found;
    for (const auto& e : entries) {
      if (e.section != section) continue;
      const auto wide = wideKeys.find(e.key);
      const Entry& first = *Find(section, e.key);
      const auto value = unicodeValues.find(first.section + "." + first.key);
      found.push_back({wide != wideKeys.end() ? wide->second : Wide(e.key),
                       value != unicodeValues.end() ? value->second : Wide(first.value)});
    }
    return found;
  }

  bool Remove(std::string_view section, std::wstring_view key) override {
    writeLog.push_back(std::string(section) + "." + Utf8Bytes(key) + " removed");
    if (failWrites) return false;
    const auto line = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
      const auto wide = wideKeys.find(e.key);
      return e.section == section && SameKey(Utf8Bytes(wide != wideKeys.end() ? wide->second : Wide(e.key)), Utf8Bytes(key));
    });
    if (line == entries.end()) return true;
    if (Find(section, line->key) == &*line) unicodeValues.erase(line->section + "." + line->key);
    entries.erase(line);
    return true;
  }

  // Bytes of the file as the wide profile functions read them.
  std::wstring Wide(std::string_view bytes) const {
    return codePage != nullptr ? codePage->ToWide(bytes) : std::wstring(bytes.begin(), bytes.end());
  }

  void Set(std::string_view section, std::string_view key, std::string_view value) {
    for (auto& e : entries)
      if (e.section == section && SameKey(e.key, key)) {
        e.value = value;
        return;
      }
    entries.push_back({std::string(section), std::string(key), std::string(value)});
  }

  std::optional<std::string> Get(std::string_view section, std::string_view key) const {
    const Entry* e = Find(section, key);
    return e != nullptr ? std::optional<std::string>(e->value) : std::nullopt;
  }

  bool Exists() const { return !entries.empty(); }

  static bool SameKey(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
  }
  // The first line of the key in the section.
  const Entry* Find(std::string_view section, std::string_view key) const {
    for (const auto& e : entries)
      if (e.section == section && SameKey(e.key, key)) return &e;
    return nullptr;
  }

  std::vector<Entry> entries;
  bool unicode = false;                                // the file is in UTF-16
  const CodePage* codePage = nullptr;                 // the file's bytes read as text; without one, ASCII
  std::map<std::string, std::wstring> unicodeValues;  // "Section.Key": values written by WriteUnicode
  std::map<std::string, std::wstring> wideKeys;       // the keys WriteUnicode wrote, by their UTF-8 bytes
  bool failWrites = false;  // writes report failure and change nothing (read-only directory, full disk)
  std::set<std::string> failReadKeys;   // "Section.Key" that reads as empty, as an unreadable file does
  std::set<std::string> failWriteKeys;  // "Section.Key" whose writes fail and change nothing
  int reads = 0;
  int writes = 0;
  int sectionReads = 0;
  std::size_t lastBufferBytes = 0;
  std::vector<std::string> readLog;   // "Section.Key"
  std::vector<std::string> writeLog;  // "Section.Key=value" and "Section.Key removed", failed ones included
  std::function<void(const std::string& key)> onWrite;  // runs before each write, to look at the world then
};

}  // namespace kestrune::testing
