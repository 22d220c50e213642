#include "engine/change_journal.h"

#include <charconv>
#include <cstdio>

#include "platform/file_system.h"

namespace kestrune {

namespace {

// FNV-1a: enough to tell a torn or altered line from a whole one.
std::uint32_t Checksum(std::string_view text) {
  std::uint32_t hash = 2166136261u;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

std::string HexOf(std::uint32_t value) {
  char digits[9] = {};
  std::snprintf(digits, sizeof(digits), "%08x", static_cast<unsigned>(value));
  return digits;
}

// A field of decimal digits only (no sign, no blank), within the type's range.
template <typename T>
std::optional<T> DecimalField(std::string_view field) {
  if (field.empty() || field.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  T value{};
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

std::string FieldsOf(const ChangeEntry& e) {
  return std::to_string(e.process) + ' ' + std::to_string(e.started) + ' ' + std::to_string(e.before) + ' ' +
         std::to_string(e.set);
}

}  // namespace

std::string FormatJournal(const std::vector<ChangeEntry>& entries) {
  std::string text;
  for (const ChangeEntry& e : entries) {
    const std::string fields = FieldsOf(e);
    text += fields + ' ' + HexOf(Checksum(fields)) + '\n';
  }
  return text;
}

std::optional<ChangeEntry> ParseJournalLine(std::string_view line) {
  const std::size_t lastBlank = line.rfind(' ');
  if (lastBlank == std::string_view::npos) return std::nullopt;
  const std::string_view fields = line.substr(0, lastBlank);
  if (line.substr(lastBlank + 1) != HexOf(Checksum(fields))) return std::nullopt;

  std::string_view parts[4];
  std::string_view rest = fields;
  for (int i = 0; i < 4; ++i) {
    const std::size_t blank = rest.find(' ');
    if ((i < 3) != (blank != std::string_view::npos)) return std::nullopt;
    parts[i] = rest.substr(0, blank);
    if (i < 3) rest.remove_prefix(blank + 1);
  }
  const auto process = DecimalField<ProcessId>(parts[0]);
  const auto started = DecimalField<std::uint64_t>(parts[1]);
  const auto before = DecimalField<std::uint32_t>(parts[2]);
  const auto set = DecimalField<std::uint32_t>(parts[3]);
  // A change always names a process and the class it got; the class before may have been unreadable.
  if (!process || !started || !before || !set || *process == 0 || *started == 0 || *set == 0) return std::nullopt;
  return ChangeEntry{*process, *started, *before, *set};
}

std::vector<ChangeEntry> ParseJournal(std::string_view bytes) {
  std::vector<ChangeEntry> entries;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    // A last line without its line feed is what a write cut short leaves.
    if (end == std::string_view::npos) break;
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (const auto entry = ParseJournalLine(line)) entries.push_back(*entry);
    bytes.remove_prefix(end + 1);
  }
  return entries;
}

std::wstring JournalFilePath(std::wstring_view settingsFolder) { return JoinPath(settingsFolder, L"kestrune.journal"); }

}  // namespace kestrune
