#pragma once
#include <string>

#include "platform/state_file.h"

namespace kestrune {

// The file through the wide-character functions. A write goes to a temporary file beside it that is
// then moved over it in one step, so a program ended in the middle of a write leaves the old file.
class Win32StateFile : public StateFile {
 public:
  explicit Win32StateFile(std::wstring path) : path_(std::move(path)) {}
  std::string Read() override;
  bool Write(std::string_view bytes) override;

 private:
  std::wstring path_;
};

}  // namespace kestrune
