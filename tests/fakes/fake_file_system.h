#pragma once
// Files in memory. A write can be made to fail part-way (leaving the bytes written so far, as a
// full disk does) and every operation can fail on demand with a description.
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kestrune::testing {

class FakeFileSystem : public FileSystem {
 public:
  FileResult WriteFile(std::wstring_view path, std::string_view bytes) override {
    ++writeCalls;
    const std::wstring name(path);
    if (failCreate) return FileResult::NothingCreated(createError);
    if (files.count(name)) return FileResult::Exists(L"exists: " + name);
    if (failWriteAfter >= 0 && static_cast<std::size_t>(failWriteAfter) < bytes.size()) {
      files[name] = std::string(bytes.substr(0, static_cast<std::size_t>(failWriteAfter)));
      return FileResult::Failure(writeError);
    }
    files[name] = std::string(bytes);
    return FileResult::Success();
  }

  FileResult Replace(std::wstring_view source, std::wstring_view target) override {
    ++replaceCalls;
    const auto it = files.find(std::wstring(source));
    if (failReplace || it == files.end()) return FileResult::Failure(replaceError);
    if (replaceLosesTarget) {
      files.erase(std::wstring(target));
      return FileResult::Lost(replaceError);
    }
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[std::wstring(target)] = std::move(bytes);
    return FileResult::Success();
  }

  FileResult Remove(std::wstring_view path) override {
    ++removeCalls;
    if (failRemove) return FileResult::Failure(L"削除できません。");
    return files.erase(std::wstring(path)) ? FileResult::Success() : FileResult::Failure(L"missing");
  }

  std::map<std::wstring, std::string> files;
  int failWriteAfter = -1;  // >= 0: a write keeps only this many bytes and fails
  bool failCreate = false;  // a write fails before it makes a file (access denied, a folder of that name)
  bool failReplace = false;
  bool replaceLosesTarget = false;  // the replace takes the target away and leaves the source
  bool failRemove = false;  // a file cannot be removed (still open elsewhere)
  std::wstring writeError = L"ディスクがいっぱいです。";
  std::wstring createError = L"アクセスが拒否されました。";
  std::wstring replaceError = L"アクセスが拒否されました。";
  int writeCalls = 0, replaceCalls = 0, removeCalls = 0;
};

}  // namespace kestrune::testing
