#pragma once
// kestrune.ini: the seven settings, each a text value under its section and key, and the section of
// the rules per program, one key per program. Values are the file's ANSI bytes, but for the exclusion
// list once it holds a name the code page cannot spell (the file is UTF-16 from then on) and the
// rules, which are read in Unicode; what they mean for the controls is settings.h's business.
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace kestrune {

enum class Setting {
  AutoRun, AutoMin, Speed, Recording, RecordCount, Acceleration, AlwaysTop,
  // [Advanced]
  RestoreOriginal, RestoreOnStop, Exclude, InstantReaction, RestrainBackground, Language
};

struct SettingKey {
  std::string_view section;
  std::string_view key;
};

// Where each setting lives in the file, in the order of Setting.
inline constexpr SettingKey kSettingKeys[] = {
    {"Normal", "AutoRun"},          {"Normal", "AutoMin"},           {"Speed", "SpeedLevel"},
    {"Record", "EnableRecord"},     {"Record", "RecordCount"},       {"Normal", "EnableSpeed"},
    {"Normal", "AlwaysTop"},        {"Advanced", "RestoreOriginal"}, {"Advanced", "RestoreOnStop"},
    {"Advanced", "Exclude"},        {"Advanced", "InstantReaction"}, {"Advanced", "RestrainBackground"},
    {"Advanced", "Language"},
};
static_assert(std::size(kSettingKeys) == static_cast<std::size_t>(Setting::Language) + 1);
constexpr SettingKey KeyOf(Setting setting) { return kSettingKeys[static_cast<std::size_t>(setting)]; }

// The section of the rules per program: "encoder.exe=high,free".
inline constexpr std::string_view kRulesSection = "Rules";

// The settings file beside the executable.
std::wstring SettingsFilePath(std::wstring_view directory);

class SettingsFile {
 public:
  // GetPrivateProfileString is given a 255-byte buffer, so a value reads as at most 254 bytes.
  static constexpr std::size_t kReadBufferBytes = 255;
  // The exclusion list is read whole up to this bound: cut at 254 bytes, its last name would be
  // cut too and written back so when the list next changes.
  static constexpr std::size_t kListBufferBytes = 8192;
  // A value that comes back within two bytes of the buffer's end may have been cut: the platform
  // leaves out a double-byte character that would not fit whole. A list of at most this many
  // bytes therefore always reads back whole, and no longer one is stored.
  static constexpr std::size_t kListLimitBytes = kListBufferBytes - 3;
  static std::size_t BufferBytes(Setting setting) {
    return setting == Setting::Exclude ? kListBufferBytes : kReadBufferBytes;
  }

  explicit SettingsFile(ProfileStore& store) : store_(store) {}

  // The value up to its first NUL without leading and trailing blanks; empty when missing.
  std::string Read(Setting setting);

  template <typename Text>
  struct Value {
    Text text;         // as Read gives it
    bool cut = false;  // the value filled the buffer: its end may be missing
  };
  using ListValue = Value<std::string>;
  // Read, and whether the value may have been cut.
  ListValue ReadList(Setting setting);
  // The same from a file in UTF-16, with the bound counted in characters; none while the file is in
  // the code page.
  std::optional<Value<std::wstring>> ReadUnicodeList(Setting setting);
  // True when the platform reported success.
  bool Write(Setting setting, std::string_view value);
  // A value the code page cannot hold; the file turns into UTF-16 first.
  bool WriteUnicode(Setting setting, std::wstring_view value);

  // The section's keys and values, every one, in the file's order.
  std::vector<ProfileEntry> ReadSection(std::string_view section) { return store_.ReadSection(section); }
  // One key of a section, in the code page (WriteSectionKey) or in Unicode (the file turns into
  // UTF-16 first), or removed.
  bool WriteSectionKey(std::string_view section, std::string_view key, std::string_view value) {
    return store_.Write(section, key, value);
  }
  bool WriteSectionKeyUnicode(std::string_view section, std::wstring_view key, std::wstring_view value) {
    return store_.WriteUnicode(section, key, value);
  }
  bool RemoveSectionKey(std::string_view section, std::wstring_view key) { return store_.Remove(section, key); }

 private:
  ProfileStore& store_;
};

}  // namespace kestrune
