#pragma once
// The few file operations a history save needs. Paths are Unicode; contents are raw bytes.
#include <string>
#include <string_view>

namespace kestrune {

struct FileResult {
  enum class Status {
    Ok,
    AlreadyExists,  // WriteFile: the name is taken; nothing was made or touched
    NotCreated,     // WriteFile: failed before a file was made; whatever has the name is not ours
    Failed,         // WriteFile: failed after making the file, which may hold part of the bytes.
                    // Replace: failed with the source and the target as they were.
    TargetLost,     // Replace: the target was taken away but the source could not take its place;
                    // the source holds the only copy of the new content
  };
  Status status = Status::Ok;
  std::wstring error;  // the platform's description of a failure, shown to the user as it is

  bool Ok() const { return status == Status::Ok; }
  static FileResult Success() { return {}; }
  static FileResult Exists(std::wstring description) { return {Status::AlreadyExists, std::move(description)}; }
  static FileResult NothingCreated(std::wstring description) { return {Status::NotCreated, std::move(description)}; }
  static FileResult Failure(std::wstring description) { return {Status::Failed, std::move(description)}; }
  static FileResult Lost(std::wstring description) { return {Status::TargetLost, std::move(description)}; }
};

// A file name in a directory. A directory that already ends in a backslash (a drive root) is not
// given a second one.
std::wstring JoinPath(std::wstring_view directory, std::wstring_view name);

// The form of a full path that the file functions take beyond MAX_PATH (259 characters): "\\?\"
// before a drive path, "\\?\UNC\" instead of the two backslashes of a share, with every "/" made
// a "\" (the prefix turns off the platform's own clean-up). Shorter paths, relative ones and those
// already in a device form are given back as they are.
std::wstring ExtendedLengthPath(std::wstring_view fullPath);

// The temporary file a whole-file write goes through before it takes the file's place: beside the
// file, its name longer by ".tmp", in the form the file functions take. Made from the plain path, so
// that a file just within MAX_PATH (a folder of 240 characters) still gets a temporary file the
// system accepts.
std::wstring TemporaryPathBeside(std::wstring_view fullPath);

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Creates a file that must not exist yet (AlreadyExists when the name is taken), writes all bytes
  // in one write, flushes and closes it.
  virtual FileResult WriteFile(std::wstring_view path, std::string_view bytes) = 0;
  // Puts source in target's place. A target that exists keeps what makes it the same file to the
  // user and the system (attributes, security, identity); one that does not is created by the move.
  virtual FileResult Replace(std::wstring_view source, std::wstring_view target) = 0;
  virtual FileResult Remove(std::wstring_view path) = 0;
};

}  // namespace kestrune
