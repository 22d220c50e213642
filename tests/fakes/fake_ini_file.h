#pragma once
// An ini file held as raw bytes and read the way GetPrivateProfileStringA reads one, so that any byte
// sequence can stand for the contents of kestrune.ini:
//  - lines end at CR LF, a lone LF or a lone CR; a line's text ends at its first NUL byte;
//  - blanks and tabs around section names, keys and values are removed;
//  - "[name]" opens a section (up to the last ']' of the line); a '[' line without ']' and a line
//    starting with ';' are ignored; key lines before the first section belong to no section;
//  - "key=value" splits at the first '='; a line without '=' is a key with an empty value;
//  - a value wholly enclosed in a pair of the same quote (' or ") loses the pair;
//  - section and key names compare without regard to ASCII case; only the first section of a name
//    is searched, and the first matching key in it wins;
//  - a read gives at most bufferBytes - 1 bytes.
// Writes behave like WritePrivateProfileStringA: the first matching key line of the first matching
// section is replaced, a missing key is added after the section's last entry, a missing section is
// added at the end; the file is then stored again with CR LF after every line.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace kestrune::testing {

class FakeIniFile : public ProfileStore {
 public:
  FakeIniFile() = default;
  explicit FakeIniFile(std::string_view bytes) { SetBytes(bytes); }

  void SetBytes(std::string_view bytes) {
    lines_.clear();
    std::size_t start = 0;
    while (start < bytes.size()) {
      std::size_t end = start;
      while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
      lines_.emplace_back(bytes.substr(start, end - start));
      if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
      start = end + 1;
    }
  }

  // The file as it would be on disk: every line ended by CR LF.
  std::string Bytes() const {
    std::string out;
    for (const auto& line : lines_) out += line + "\r\n";
    return out;
  }

  std::string Read(std::string_view section, std::string_view key, std::size_t bufferBytes) override {
    ++reads;
    if (bufferBytes == 0) return std::string();
    const auto found = Find(section, key);
    if (!found) return std::string();
    std::string value = Unquote(Trim(ValueOf(lines_[*found])));
    if (value.size() > bufferBytes - 1) value.resize(bufferBytes - 1);
    return value;
  }

  bool Write(std::string_view section, std::string_view key, std::string_view value) override {
    ++writes;
    if (failWrites) return false;
    std::string entry = std::string(key) + "=" + std::string(value);
    if (const auto found = Find(section, key)) {
      lines_[*found] = std::move(entry);
      return true;
    }
    if (const auto header = FindSection(section)) {
      // After the section's last entry, so that blank lines before the next section stay there.
      std::size_t insertAt = *header + 1;
      for (std::size_t i = *header + 1; i < lines_.size() && !IsSectionLine(lines_[i]); ++i)
        if (!Trim(TextOf(lines_[i])).empty()) insertAt = i + 1;
      lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
      return true;
    }
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(entry));
    return true;
  }

  // The value the platform would give for a key, without the read bound; nullopt when missing.
  std::optional<std::string> Lookup(std::string_view section, std::string_view key) const {
    const auto found = Find(section, key);
    if (!found) return std::nullopt;
    return Unquote(Trim(ValueOf(lines_[*found])));
  }

  bool failWrites = false;
  int reads = 0;
  int writes = 0;

 private:
  static std::string_view TextOf(std::string_view line) { return line.substr(0, line.find('\0')); }

  static std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
  }

  static std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::string(value);
  }

  static bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      char x = a[i], y = b[i];
      if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
      if (x != y) return false;
    }
    return true;
  }

  static bool IsSectionLine(std::string_view line) {
    const std::string_view text = Trim(TextOf(line));
    return !text.empty() && text.front() == '[' && text.find(']') != std::string_view::npos;
  }

  static std::string_view SectionName(std::string_view line) {
    const std::string_view text = Trim(TextOf(line));
    return Trim(text.substr(1, text.rfind(']') - 1));
  }

  // A key line: not blank, not a section, not a comment, not a broken section header.
  static bool IsKeyLine(std::string_view line) {
    const std::string_view text = Trim(TextOf(line));
    return !text.empty() && text.front() != '[' && text.front() != ';';
  }

  static std::string_view KeyOf(std::string_view line) {
    const std::string_view text = Trim(TextOf(line));
    return Trim(text.substr(0, text.find('=')));
  }

  static std::string_view ValueOf(std::string_view line) {
    const std::string_view text = Trim(TextOf(line));
    const auto eq = text.find('=');
    return eq == std::string_view::npos ? std::string_view() : text.substr(eq + 1);
  }

  std::optional<std::size_t> FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
      if (IsSectionLine(lines_[i]) && SameName(SectionName(lines_[i]), section)) return i;
    return std::nullopt;
  }

  std::optional<std::size_t> Find(std::string_view section, std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) return std::nullopt;
    for (std::size_t i = *header + 1; i < lines_.size() && !IsSectionLine(lines_[i]); ++i)
      if (IsKeyLine(lines_[i]) && SameName(KeyOf(lines_[i]), key)) return i;
    return std::nullopt;
  }

  std::vector<std::string> lines_;
};

}  // namespace kestrune::testing
