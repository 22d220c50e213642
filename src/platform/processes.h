#pragma once
// Foreground window and process priority operations the acceleration cycle needs.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kestrune {

namespace priority {
constexpr std::uint32_t kNormal = 0x20;
constexpr std::uint32_t kHigh = 0x80;
constexpr std::uint32_t kRealtime = 0x100;
constexpr std::uint32_t kBelowNormal = 0x4000;
}  // namespace priority

namespace access {
constexpr std::uint32_t kSetInformation = 0x200;
constexpr std::uint32_t kQueryInformation = 0x400;
// Enough to read a process's executable name and start time, granted even for many protected ones.
constexpr std::uint32_t kQueryLimited = 0x1000;
}  // namespace access

class ProcessApi {
 public:
  using Handle = std::uintptr_t;  // 0 = none

  virtual ~ProcessApi() = default;
  virtual WindowHandle ForegroundWindow() = 0;
  // The window's whole title (the caller bounds it); empty when it has none.
  virtual std::wstring WindowTitle(WindowHandle window) = 0;
  virtual ProcessId WindowProcess(WindowHandle window) = 0;
  virtual ProcessId CurrentProcess() = 0;
  virtual Handle OpenProcess(std::uint32_t accessRights, ProcessId process) = 0;
  virtual bool SetPriorityClass(Handle process, std::uint32_t priorityClass) = 0;
  virtual std::uint32_t GetPriorityClass(Handle process) = 0;  // 0 on failure
  virtual void CloseHandle(Handle handle) = 0;

  // The window's class name (ASCII); empty when it cannot be read.
  virtual std::string WindowClassName(WindowHandle window) = 0;
  // The first child window of parent with exactly this class, 0 when there is none.
  virtual WindowHandle ChildWindowOfClass(WindowHandle parent, std::string_view className) = 0;
  // The full path of the process's executable, empty on failure (needs query rights).
  virtual std::wstring ExecutablePath(Handle process) = 0;
  // When the process started, in the system's time units; 0 on failure. Together with its id it
  // names one process for good: ids are reused, start times of the same id are not.
  virtual std::uint64_t StartTime(Handle process) = 0;

  // Power throttling (execution speed: Windows 11's efficiency mode). Only where the system can
  // read a process's state can it be given back exactly; elsewhere it is not offered, and the
  // defaults say so.
  struct Throttling {
    std::uint32_t controlMask = 0;  // the mechanisms someone took control of
    std::uint32_t stateMask = 0;    // of those, the ones switched on
  };
  static constexpr std::uint32_t kThrottleExecutionSpeed = 0x1;
  virtual bool ReadThrottling(Handle /*process*/, Throttling& /*state*/) { return false; }
  virtual bool WriteThrottling(Handle /*process*/, const Throttling& /*state*/) { return false; }
};

}  // namespace kestrune
