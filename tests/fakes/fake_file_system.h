#pragma once
// Files in memory. A write can be made to fail part-way (leaving the bytes written so far, as a
// full disk does) and every operation can fail on demand with a description.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace kestrune::testing {

class FakeFileSystem : public FileSystem {
 public:
  FileResult WriteFile(std::wstring_view path, std::string_view bytes) override {
    ++writeCalls;
    if (failCreate) return FileResult::NothingCreated(createError);
    if (files.find(path) != files.end()) return FileResult::Exists(L"exists: " + std::wstring(path));
    if (failWriteAfter >= 0 && static_cast<std::size_t>(failWriteAfter) < bytes.size()) {
      files.emplace(path, bytes.substr(0, static_cast<std::size_t>(failWriteAfter)));
      return FileResult::Failure(writeError);
    }
    files.emplace(path, bytes);
    return FileResult::Success();
  }

  FileResult Replace(std::wstring_view source, std::wstring_view target) override {
    ++replaceCalls;
    const auto it = files.find(source);
    if (failReplace || it == files.end()) return FileResult::Failure(replaceError);
    if (replaceLosesTarget) {
      if (const auto lost = files.find(target); lost != files.end()) files.erase(lost);
      return FileResult::Lost(replaceError);
    }
    auto moved = files.extract(it);
    if (const auto existing = files.find(target); existing != files.end()) {
      existing->second = std::move(moved.mapped());
    } else {
      moved.key() = target;
      files.insert(std::move(moved));
    }
    return FileResult::Success();
  }

  FileResult Remove(std::wstring_view path) override {
    ++removeCalls;
    if (failRemove) return FileResult::Failure(L"削除できません。");
    const auto it = files.find(path);
    if (it == files.end()) return FileResult::Failure(L"missing");
    files.erase(it);
    return FileResult::Success();
  }

  // Looked up by view, so that no lookup makes a string of the path.
  std::map<std::wstring, std::string, std::less<>> files;
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
