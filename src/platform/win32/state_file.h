#pragma once
#include <string>

#include "platform/file_system.h"
#include "platform/state_file.h"

namespace kestrune {

// The file through the wide-character functions. A write goes to a temporary file beside it that is
// then moved over it in one step, so a program ended in the middle of a write leaves the old file.
class Win32StateFile : public StateFile {
 public:
  // path: a full path; one longer than MAX_PATH is taken in its extended form, and so is the
  // temporary file beside it, which is longer.
  explicit Win32StateFile(std::wstring_view path)
      : path_(ExtendedLengthPath(path)), temporary_(TemporaryPathBeside(path)) {}
  std::string Read() override;
  bool Write(std::string_view bytes) override;

 private:
  std::wstring path_;
  std::wstring temporary_;
};

}  // namespace kestrune
