#pragma once
// The few file operations a history save needs. Paths are Unicode; contents are raw bytes.
#include <string>
#include <string_view>

namespace kestrune {

struct FileResult {
  enum class Status { Ok, AlreadyExists, Failed };
  Status status = Status::Ok;
  std::wstring error;  // the platform's description of a failure, shown to the user as it is

  bool Ok() const { return status == Status::Ok; }
  static FileResult Success() { return {}; }
  static FileResult Exists(std::wstring description) { return {Status::AlreadyExists, std::move(description)}; }
  static FileResult Failure(std::wstring description) { return {Status::Failed, std::move(description)}; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Creates a file that must not exist yet (AlreadyExists when the name is taken), writes all bytes
  // in one write, flushes and closes it. After a Failed write part of the file may be left behind.
  virtual FileResult WriteFile(std::wstring_view path, std::string_view bytes) = 0;
  // Moves source over target in one step, replacing a target that exists, and waits until it is on disk.
  virtual FileResult Replace(std::wstring_view source, std::wstring_view target) = 0;
  virtual FileResult Remove(std::wstring_view path) = 0;
};

}  // namespace kestrune
