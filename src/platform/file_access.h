#pragma once
// What choosing the settings file's place asks of the file system. Paths are Unicode.
#include <string_view>

namespace kestrune {

class FileAccess {
 public:
  virtual ~FileAccess() = default;
  virtual bool Exists(std::wstring_view file) = 0;
  // Whether this process may write the file: an existing one opens for writing, a missing one
  // could be made in its folder. Nothing is left changed.
  virtual bool CanWrite(std::wstring_view file) = 0;
  // Makes the folder (one level) unless it exists; true when it exists afterwards.
  virtual bool MakeFolder(std::wstring_view folder) = 0;
  // Copies a file to a name that must not exist yet; true on success.
  virtual bool Copy(std::wstring_view from, std::wstring_view to) = 0;
};

}  // namespace kestrune
