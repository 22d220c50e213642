#pragma once
#include "platform/file_system.h"

namespace kestrune {

// Files through the wide-character functions, so any path the user picks can be written.
class Win32FileSystem : public FileSystem {
 public:
  FileResult WriteFile(std::wstring_view path, std::string_view bytes) override;
  FileResult Replace(std::wstring_view source, std::wstring_view target) override;
  FileResult Remove(std::wstring_view path) override;
};

}  // namespace kestrune
