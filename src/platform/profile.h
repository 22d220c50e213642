#pragma once
// Private-profile (ini) file access, bound to one file.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace kestrune {

// One key of a section with its value, as the wide profile functions read them.
struct ProfileEntry {
  std::wstring key;
  std::wstring value;
  friend bool operator==(const ProfileEntry&, const ProfileEntry&) = default;
};

// The file holds its text in the ANSI code page until a value that the code page cannot hold is
// stored. It then becomes UTF-16 with a byte-order mark: the profile functions read and write such a
// file as it is, so every other key keeps reading the same, through either pair of calls.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // As GetPrivateProfileStringA with an empty default: the value's bytes, at most bufferBytes - 1;
  // empty when the file, section or key is missing.
  virtual std::string Read(std::string_view section, std::string_view key, std::size_t bufferBytes) = 0;
  // As WritePrivateProfileStringA: true on success.
  virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;

  // As GetPrivateProfileStringW on a file in UTF-16: at most bufferChars - 1 characters. None while
  // the file is in the code page, where Read gives the value with its byte bound.
  virtual std::optional<std::wstring> ReadUnicode(std::string_view /*section*/, std::string_view /*key*/,
                                                  std::size_t /*bufferChars*/) {
    return std::nullopt;
  }
  // Stores a key or value the code page cannot hold: a file still in the code page is first written
  // again in UTF-16, every line as it was (a missing file is made so). False, and the file as it was,
  // when that or the write failed. The defaults are a store that keeps to the code page.
  virtual bool WriteUnicode(std::string_view /*section*/, std::wstring_view /*key*/, std::wstring_view /*value*/) {
    return false;
  }

  // Every key of the section with its value, in the file's order, however many and however long
  // (GetPrivateProfileStringW with no key name lists them): a file in the code page is read through
  // it, one in UTF-16 as it is. A value loses the quotes around it as a single read does. Empty when
  // the file or the section is missing.
  virtual std::vector<ProfileEntry> ReadSection(std::string_view section) = 0;
  // Removes the key (WritePrivateProfileStringW with no value): true when the platform reported
  // success.
  virtual bool Remove(std::string_view section, std::wstring_view key) = 0;
};

// A file's bytes in UTF-16 with its byte-order mark, the text read in the code page as the profile
// functions read it; none for a file that is in UTF-16 already.
std::optional<std::string> Utf16ProfileBytes(std::string_view fileBytes, const CodePage& codePage);

// A file saved as UTF-8 with its byte-order mark (Notepad saves so), in a form the profile functions
// read: they know only the UTF-16 mark and take the UTF-8 one for part of the first line, so its
// "[Normal]" is not found. The code page's bytes when they hold the text exactly, else UTF-16 with
// its mark. None for a file that does not begin with the UTF-8 mark, and for one whose bytes after it
// are not UTF-8, which is left as it is rather than guessed at.
std::optional<std::string> ReadableProfileBytes(std::string_view fileBytes, const CodePage& codePage);

}  // namespace kestrune
