#pragma once
#include <string>

#include "platform/file_access.h"

namespace kestrune {

// Through the wide-character functions, so any folder's name works.
class Win32FileAccess : public FileAccess {
 public:
  bool Exists(std::wstring_view file) override;
  bool CanWrite(std::wstring_view file) override;
  bool MakeFolder(std::wstring_view folder) override;
  bool Copy(std::wstring_view from, std::wstring_view to) override;
};

// The user's folder for the program's own files, %APPDATA%\Kestrune; empty when the system names
// no application-data folder.
std::wstring UserProgramFolder();

}  // namespace kestrune
