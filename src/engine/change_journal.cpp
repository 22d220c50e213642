#include "engine/change_journal.h"

#include <charconv>
#include <cstdio>

#include "platform/file_system.h"
#include "platform/processes.h"

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

// FNV-1a over 64 bits, of the text's UTF-16 units: a short, fixed name for a seat.
std::uint64_t SeatHash(std::wstring_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const wchar_t c : text) {
    for (const unsigned byte : {static_cast<unsigned>(c) & 0xFFu, (static_cast<unsigned>(c) >> 8) & 0xFFu}) {
      hash ^= byte;
      hash *= 1099511628211ull;
    }
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

// A confirmed change in the fields earlier versions wrote, which they still read; one that is not
// confirmed yet with the class asked after them.
std::string FieldsOf(const ChangeEntry& e) {
  std::string fields = std::to_string(e.process) + ' ' + std::to_string(e.started) + ' ' + std::to_string(e.before) +
                       ' ' + std::to_string(e.set) + ' ' + (e.throttled ? '1' : '0');
  if (e.asked != 0) fields += ' ' + std::to_string(e.asked);
  return fields;
}

constexpr int kOldFields = 4, kFields = 6;

}  // namespace

bool ChangeEntry::Accepts(std::uint32_t classNow) const {
  if (classNow == 0 || classNow == before) return false;
  if (classNow == set) return true;
  // Windows answers a request for real time without the right to it with high, and says it succeeded.
  return asked != 0 && (classNow == asked || (asked == priority::kRealtime && classNow == priority::kHigh));
}

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

  std::string_view parts[kFields];
  int count = 0;
  for (std::string_view rest = fields;;) {
    if (count == kFields) return std::nullopt;  // more fields than any version writes
    const std::size_t blank = rest.find(' ');
    parts[count++] = rest.substr(0, blank);
    if (blank == std::string_view::npos) break;
    rest.remove_prefix(blank + 1);
  }
  if (count < kOldFields) return std::nullopt;
  const auto process = DecimalField<ProcessId>(parts[0]);
  const auto started = DecimalField<std::uint64_t>(parts[1]);
  const auto before = DecimalField<std::uint32_t>(parts[2]);
  const auto set = DecimalField<std::uint32_t>(parts[3]);
  // Lines of earlier versions say nothing of throttling: nothing is known to have been switched on.
  const bool throttled = count > kOldFields && parts[4] == "1";
  if (count > kOldFields && !throttled && parts[4] != "0") return std::nullopt;
  const auto asked = count == kFields ? DecimalField<std::uint32_t>(parts[5]) : std::optional<std::uint32_t>(0);
  // A change always names a process and a class: the one it got or, not yet confirmed, the one asked
  // (a line that asks for nothing is no version's). The class before may have been unreadable.
  if (!process || !started || !before || !set || !asked || *process == 0 || *started == 0) return std::nullopt;
  if (count == kFields ? *asked == 0 : *set == 0) return std::nullopt;
  return ChangeEntry{*process, *started, *before, *set, throttled, *asked};
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

std::wstring JournalFilePath(std::wstring_view settingsFolder, std::wstring_view seat) {
  char digits[17] = {};
  std::snprintf(digits, sizeof(digits), "%016llx", static_cast<unsigned long long>(SeatHash(seat)));
  return JoinPath(settingsFolder, L"kestrune." + std::wstring(digits, digits + 16) + L".journal");
}

std::wstring SharedJournalFilePath(std::wstring_view settingsFolder) {
  return JoinPath(settingsFolder, L"kestrune.journal");
}

StartJournals JournalsAtStart(std::wstring_view settingsFolder, std::wstring_view programFolder,
                              std::wstring_view userFolder, std::wstring_view seat) {
  StartJournals journals{JournalFilePath(settingsFolder, seat), {}};
  std::vector<std::wstring_view> folders{settingsFolder};
  for (const std::wstring_view other : {programFolder, userFolder})
    if (!other.empty() && other != settingsFolder) folders.push_back(other);
  for (std::size_t i = 1; i < folders.size(); ++i) journals.earlier.push_back(JournalFilePath(folders[i], seat));
  for (const std::wstring_view folder : folders) journals.earlier.push_back(SharedJournalFilePath(folder));
  return journals;
}

}  // namespace kestrune
