#include "settings/settings_file.h"

#include <utility>

#include "platform/file_system.h"

namespace kestrune {

std::wstring SettingsFilePath(std::wstring_view directory) { return JoinPath(directory, L"kestrune.ini"); }

std::string SettingsFile::Read(Setting setting) { return ReadList(setting).text; }

namespace {

// A value as the platform gave it, of chars or wide characters, made what a read gives.
template <typename Text>
SettingsFile::Value<Text> Cleaned(Text value, std::size_t buffer) {
  const bool cut = value.size() + 2 >= buffer;
  // The platform fills at most the buffer less its terminator; never trust a longer answer.
  if (value.size() > buffer - 1) value.resize(buffer - 1);
  if (const auto nul = value.find(typename Text::value_type{}); nul != Text::npos) value.resize(nul);
  const auto first = value.find_first_not_of(typename Text::value_type{' '});
  if (first == Text::npos) return {Text(), cut};
  const auto last = value.find_last_not_of(typename Text::value_type{' '});
  return {value.substr(first, last - first + 1), cut};
}

}  // namespace

SettingsFile::ListValue SettingsFile::ReadList(Setting setting) {
  const SettingRow& where = RowOf(setting);
  const std::size_t buffer = BufferBytes(setting);
  return Cleaned(store_.Read(where.section, where.key, buffer), buffer);
}

std::optional<SettingsFile::Value<std::wstring>> SettingsFile::ReadUnicodeList(Setting setting) {
  const SettingRow& where = RowOf(setting);
  const std::size_t buffer = BufferBytes(setting);
  std::optional<std::wstring> value = store_.ReadUnicode(where.section, where.key, buffer);
  if (!value) return std::nullopt;
  return Cleaned(std::move(*value), buffer);
}

bool SettingsFile::Write(Setting setting, std::string_view value) {
  const SettingRow& where = RowOf(setting);
  return store_.Write(where.section, where.key, value);
}

bool SettingsFile::WriteUnicode(Setting setting, std::wstring_view value) {
  const SettingRow& where = RowOf(setting);
  // The keys of the table are ASCII: the same characters in any code page.
  return store_.WriteUnicode(where.section, std::wstring(where.key.begin(), where.key.end()), value);
}

}  // namespace kestrune
