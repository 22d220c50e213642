#pragma once
// Foreground window and process priority operations the boost cycle needs.
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace kestrune {

namespace priority {
constexpr std::uint32_t kNormal = 0x20;
constexpr std::uint32_t kHigh = 0x80;
constexpr std::uint32_t kRealtime = 0x100;
}  // namespace priority

namespace access {
constexpr std::uint32_t kSetInformation = 0x200;
constexpr std::uint32_t kQueryInformation = 0x400;
}  // namespace access

class ProcessApi {
 public:
  using Handle = std::uintptr_t;  // 0 = none

  virtual ~ProcessApi() = default;
  virtual WindowHandle ForegroundWindow() = 0;
  // The window's whole title in the ANSI code page (the caller bounds it); empty when it has none.
  virtual std::string WindowTitleAnsi(WindowHandle window) = 0;
  virtual ProcessId WindowProcess(WindowHandle window) = 0;
  virtual ProcessId CurrentProcess() = 0;
  virtual Handle OpenProcess(std::uint32_t accessRights, ProcessId process) = 0;
  virtual bool SetPriorityClass(Handle process, std::uint32_t priorityClass) = 0;
  virtual std::uint32_t GetPriorityClass(Handle process) = 0;  // 0 on failure
  virtual void CloseHandle(Handle handle) = 0;
};

}  // namespace kestrune
