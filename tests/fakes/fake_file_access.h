#pragma once
// Files and folders by name, with the ones this user may not write.
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "platform/file_access.h"

namespace kestrune::testing {

class FakeFileAccess : public FileAccess {
 public:
  bool Exists(std::wstring_view file) override { return files.count(std::wstring(file)) > 0; }
  bool CanWrite(std::wstring_view file) override {
    const std::wstring name(file), folder = name.substr(0, name.rfind(L'\\'));
    return readOnly.count(name) + readOnly.count(folder) == 0 && folders.count(folder) > 0;
  }
  bool MakeFolder(std::wstring_view folder) override {
    if (!failMakeFolder) folders.emplace(folder);
    return !failMakeFolder;
  }
  bool Copy(std::wstring_view from, std::wstring_view to) override {
    const auto it = files.find(std::wstring(from));
    if (failCopy || it == files.end() || Exists(to) || !CanWrite(to)) return false;
    files[std::wstring(to)] = it->second;
    return true;
  }

  std::map<std::wstring, std::string> files;  // name -> content
  std::set<std::wstring> folders;
  std::set<std::wstring> readOnly;  // files and folders this user may not write
  bool failMakeFolder = false, failCopy = false;
};

}  // namespace kestrune::testing
