#pragma once
// A small file of the program's own that is read whole and written whole. A write never leaves the
// file half old and half new where the platform can help it; a reader still has to expect a torn
// file (a power loss, a disk that lied about writing).
#include <string>
#include <string_view>

namespace kestrune {

class StateFile {
 public:
  virtual ~StateFile() = default;
  // The file's bytes; empty when it does not exist or cannot be read.
  virtual std::string Read() = 0;
  // Puts these bytes in the file's place; empty bytes remove the file. False when that failed, with
  // the file as it was.
  virtual bool Write(std::string_view bytes) = 0;
};

}  // namespace kestrune
