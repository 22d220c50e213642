#pragma once
// Files and folders by name, with the ones this user may not write.
#include <functional>
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
    const std::wstring name(file);
    const std::wstring folder = name.substr(0, name.rfind(L'\\'));
    return readOnly.count(name) == 0 && readOnly.count(folder) == 0 && folders.count(folder) > 0;
  }
  bool MakeFolder(std::wstring_view folder) override {
    if (failMakeFolder) return false;
    folders.insert(std::wstring(folder));
    return true;
  }
  bool Copy(std::wstring_view from, std::wstring_view to) override {
    const auto it = files.find(std::wstring(from));
    if (failCopy || it == files.end() || Exists(to) || !CanWrite(to)) return false;
    files[std::wstring(to)] = it->second;
    return true;
  }

  std::map<std::wstring, std::string, std::less<>> files;  // name -> content
  std::set<std::wstring, std::less<>> folders;
  std::set<std::wstring, std::less<>> readOnly;  // files and folders this user may not write
  bool failMakeFolder = false;
  bool failCopy = false;
};

}  // namespace kestrune::testing
