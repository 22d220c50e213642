#pragma once
// kestrune.ini: each setting a text value under the section and key of its row in settings_table.h.
// Values are the file's ANSI bytes, but for a list of names once it holds one the code page cannot
// spell (the file is UTF-16 from then on); the rules' lines are the section [Rules], every key of it,
// read in Unicode. What the values mean is the model's business (settings_model.h).
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"
#include "settings/settings_table.h"

namespace kestrune {

// The section of the rules' lines, one key per program.
inline constexpr std::string_view kRulesSection = "Rules";

// The settings file beside the executable.
std::wstring SettingsFilePath(std::wstring_view directory);

class SettingsFile {
 public:
  // GetPrivateProfileString is given a 255-byte buffer, so a value reads as at most 254 bytes.
  static constexpr std::size_t kReadBufferBytes = 255;
  // A list of names is read whole up to this bound: cut at 254 bytes, its last name would be cut
  // too and written back so when the list next changes.
  static constexpr std::size_t kListBufferBytes = 8192;
  // A value that comes back within two bytes of the buffer's end may have been cut: the platform
  // leaves out a double-byte character that would not fit whole. A list of at most this many
  // bytes therefore always reads back whole, and no longer one is stored.
  static constexpr std::size_t kListLimitBytes = kListBufferBytes - 3;
  static std::size_t BufferBytes(Setting setting) {
    return RowOf(setting).kind == SettingKind::Rules ? kListBufferBytes : kReadBufferBytes;
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

  // The rules' lines: every key of their section with its value, in the file's order.
  std::vector<ProfileEntry> ReadRuleLines() { return store_.ReadSection(kRulesSection); }
  // One key of that section, in the code page (WriteRuleLine) or in Unicode (the file turns into
  // UTF-16 first), or the first line of the key removed. True when the platform reported success.
  bool WriteRuleLine(std::string_view key, std::string_view value) { return store_.Write(kRulesSection, key, value); }
  bool WriteRuleLineUnicode(std::wstring_view key, std::wstring_view value) {
    return store_.WriteUnicode(kRulesSection, key, value);
  }
  bool RemoveRuleLine(std::wstring_view key) { return store_.Remove(kRulesSection, key); }

 private:
  ProfileStore& store_;
};

}  // namespace kestrune
