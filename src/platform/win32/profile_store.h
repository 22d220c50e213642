#pragma once
#include <string>

#include "platform/code_page.h"
#include "platform/profile.h"

namespace kestrune {

// kestrune.ini through the wide private-profile functions, so the file is found whatever its folder
// is called. Its content stays in the ANSI code page without byte-order mark until a value outside
// the code page is stored: the wide functions keep a file's encoding, and a file they create is
// written in the ANSI code page, so copies that use the ANSI functions read it as before, and a file
// such a copy wrote reads here. A file turned into UTF-16 reads the same through both.
class Win32ProfileStore : public ProfileStore {
 public:
  Win32ProfileStore(const CodePage& codePage, std::wstring iniPath)
      : codePage_(codePage), path_(std::move(iniPath)) {}
  std::string Read(std::string_view section, std::string_view key, std::size_t bufferBytes) override;
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;
  std::optional<std::wstring> ReadUnicode(std::string_view section, std::string_view key,
                                          std::size_t bufferChars) override;
  bool WriteUnicode(std::string_view section, std::wstring_view key, std::wstring_view value) override;
  std::vector<ProfileEntry> ReadSection(std::string_view section) override;
  bool Remove(std::string_view section, std::wstring_view key) override;

  // At start-up, before anything is read: a file saved as UTF-8 with its byte-order mark is written
  // again in a form the profile functions read (ReadableProfileBytes), through a temporary file and
  // a replace. Any other file, and one that cannot be read whole or written, stays as it is.
  void RewriteUtf8File();

 private:
  const CodePage& codePage_;
  std::wstring path_;
};

}  // namespace kestrune
