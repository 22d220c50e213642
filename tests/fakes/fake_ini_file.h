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
// added at the end; the file is then stored again with CR LF after every line. A section read lists
// the keys of the first section of its name, each with the value a read of that key gives (so every
// line of a key written twice has the first one's), unquoted, each byte taken as the character of the
// same number (the fake's code page is Latin-1); a removal drops the first matching key line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace kestrune::testing {

// Each line is taken apart once, when the file is set or the line written, not on every read: the
// settings fuzz target reads files of hundreds of lines dozens of times per input, under sanitizers.
class FakeIniFile : public ProfileStore {
 public:
  FakeIniFile() = default;
  explicit FakeIniFile(std::string_view bytes) { SetBytes(bytes); }
  // A copy has room for the lines a load writes, as a file read from disk has.
  FakeIniFile(const FakeIniFile& other)
      : ProfileStore(other), failWrites(other.failWrites), reads(other.reads), writes(other.writes) {
    text_.reserve(other.text_.size() + kRoomBytes);
    text_ = other.text_;
    lines_.reserve(other.lines_.size() + kRoomLines);
    lines_ = other.lines_;
    sections_.reserve(other.sections_.size() + kRoomLines);
    sections_ = other.sections_;
  }
  FakeIniFile& operator=(const FakeIniFile&) = default;

  void SetBytes(std::string_view bytes) {
    text_.clear();
    text_.reserve(bytes.size() + kRoomBytes);
    text_ += bytes;
    lines_.clear();
    const std::string_view text = text_;
    std::size_t start = 0;
    for (std::size_t end = 0; start < text.size(); start = end + 1) {
      end = start;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
      lines_.push_back(Parse({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)}));
      if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    }
    IndexSections();
  }

  // The file as it would be on disk: every line ended by CR LF.
  std::string Bytes() const {
    std::size_t size = 0;
    for (const auto& line : lines_) size += line.raw.size + 2;
    std::string out;
    out.reserve(size);
    for (const auto& line : lines_) {
      out += View(line.raw);
      out += "\r\n";
    }
    return out;
  }

  std::string Read(std::string_view section, std::string_view key, std::size_t bufferBytes) override {
    ++reads;
    if (bufferBytes == 0) return std::string();
    const auto found = Find(section, key);
    if (!found) return std::string();
    std::string value = Unquote(View(lines_[*found].value));
    if (value.size() > bufferBytes - 1) value.resize(bufferBytes - 1);
    return value;
  }

  bool Write(std::string_view section, std::string_view key, std::string_view value) override {
    ++writes;
    if (failWrites) return false;
    const Line entry = Append(std::string(key) + "=" + std::string(value));
    if (const auto found = Find(section, key)) {
      lines_[*found] = entry;  // over a key line, so only a section line written changes the index
      if (entry.kind == Kind::Section) IndexSections();
      return true;
    }
    if (const auto header = FindSection(section)) {
      // After the section's last entry, so that blank lines before the next section stay there.
      std::size_t insertAt = *header + 1;
      for (std::size_t i = *header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
        if (lines_[i].kind != Kind::Blank) insertAt = i + 1;
      lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
      if (entry.kind == Kind::Section) {
        IndexSections();
      } else {
        for (auto& line : sections_)
          if (line >= insertAt) ++line;
      }
      return true;
    }
    lines_.push_back(Append("[" + std::string(section) + "]"));
    lines_.push_back(entry);
    IndexSections();
    return true;
  }

  std::vector<ProfileEntry> ReadSection(std::string_view section) override {
    ++reads;
    std::vector<ProfileEntry> entries;
    const auto header = FindSection(section);
    if (!header) return entries;
    const auto wide = [](std::string_view bytes) {
      std::wstring text;
      for (const char c : bytes) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
      return text;
    };
    for (std::size_t i = *header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
      if (lines_[i].kind == Kind::Key) {
        const Line& first = lines_[*Find(section, View(lines_[i].name))];
        entries.push_back({wide(View(lines_[i].name)), wide(Unquote(View(first.value)))});
      }
    return entries;
  }

  bool Remove(std::string_view section, std::wstring_view key) override {
    ++writes;
    if (failWrites) return false;
    std::string narrow;
    for (const wchar_t c : key) narrow.push_back(static_cast<char>(c));
    if (const auto found = Find(section, narrow)) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*found));
    IndexSections();
    return true;
  }

  // The value the platform would give for a key, without the read bound; nullopt when missing.
  std::optional<std::string> Lookup(std::string_view section, std::string_view key) const {
    const auto found = Find(section, key);
    if (!found) return std::nullopt;
    return Unquote(View(lines_[*found].value));
  }

  bool failWrites = false;
  int reads = 0;
  int writes = 0;

 private:
  enum class Kind : unsigned char {
    Blank,    // nothing but blanks and tabs before the first NUL
    Section,  // "[name]"
    Key,      // "key=value" or "key"
    Other,    // a comment, or a '[' line without ']'
  };
  // A part of text_ by position, so that a copy of the file reads its own text.
  // Positions in 32 bits keep a line at 28 bytes: every load copies the lines, and under the address
  // sanitizer every byte of a fresh allocation is written once more.
  struct Span {
    std::uint32_t begin = 0, size = 0;
  };
  struct Line {
    Span raw;  // as stored, NULs and all
    Kind kind = Kind::Blank;
    Span name;   // of the section or the key
    Span value;  // of a key, trimmed, quotes not yet removed
  };

  static constexpr std::size_t kRoomBytes = 512;
  static constexpr std::size_t kRoomLines = 16;

  std::string_view View(Span span) const { return std::string_view(text_.data() + span.begin, span.size); }
  Span SpanOf(std::string_view part) const {
    return {static_cast<std::uint32_t>(part.data() - text_.data()), static_cast<std::uint32_t>(part.size())};
  }

  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

  static std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
  }

  static std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::string(value);
  }

  static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

  static bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
  }

  // A written line goes after everything in text_, where nothing later moves it.
  Line Append(const std::string& line) {
    const Span raw{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(line.size())};
    text_ += line;
    return Parse(raw);
  }

  Line Parse(Span raw) const {
    Line line{raw, Kind::Blank, {}, {}};
    const std::string_view whole = View(raw);
    const std::string_view text = Trim(whole.substr(0, whole.find('\0')));
    if (text.empty()) return line;
    if (text.front() == '[') {
      const auto close = text.rfind(']');
      if (close == std::string_view::npos) {
        line.kind = Kind::Other;
      } else {
        line.kind = Kind::Section;
        line.name = SpanOf(Trim(text.substr(1, close - 1)));
      }
      return line;
    }
    if (text.front() == ';') {
      line.kind = Kind::Other;
      return line;
    }
    line.kind = Kind::Key;
    const auto eq = text.find('=');
    line.name = SpanOf(Trim(text.substr(0, eq)));
    if (eq != std::string_view::npos) line.value = SpanOf(Trim(text.substr(eq + 1)));
    return line;
  }

  // Made anew when a section line is written ("[a]=1" is one too).
  void IndexSections() {
    sections_.clear();
    sections_.reserve(static_cast<std::size_t>(std::count_if(lines_.begin(), lines_.end(), [](const Line& line) {
                        return line.kind == Kind::Section;
                      })) + kRoomLines);
    for (std::size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].kind == Kind::Section) sections_.push_back(static_cast<std::uint32_t>(i));
  }

  // The stored length turns most lines away before their text is looked at.
  bool Named(const Line& line, std::string_view name) const {
    return line.name.size == name.size() && SameName(View(line.name), name);
  }

  std::optional<std::size_t> FindSection(std::string_view section) const {
    for (const std::size_t i : sections_)
      if (Named(lines_[i], section)) return i;
    return std::nullopt;
  }

  std::optional<std::size_t> Find(std::string_view section, std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) return std::nullopt;
    for (std::size_t i = *header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
      if (lines_[i].kind == Kind::Key && Named(lines_[i], key)) return i;
    return std::nullopt;
  }

  std::string text_;  // the file as set, then every line written since, one after another
  std::vector<Line> lines_;
  std::vector<std::uint32_t> sections_;  // the lines that are section lines, in order
};

}  // namespace kestrune::testing
