#pragma once
// A state file in memory: its bytes, how often it was written, and a write that fails on demand.
#include <string>
#include <string_view>

#include "platform/state_file.h"

namespace kestrune::testing {

class FakeStateFile : public StateFile {
 public:
  std::string Read() override { return bytes; }
  bool Write(std::string_view written) override {
    ++writes;
    if (failWrite) return false;
    bytes = written;
    return true;
  }
  std::string bytes;
  bool failWrite = false;
  int writes = 0;
};

}  // namespace kestrune::testing
