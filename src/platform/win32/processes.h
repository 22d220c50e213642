#pragma once
#include "platform/processes.h"

namespace kestrune {

class Win32ProcessApi : public ProcessApi {
 public:
  WindowHandle ForegroundWindow() override;
  std::wstring WindowTitle(WindowHandle window) override;
  ProcessId WindowProcess(WindowHandle window) override;
  ProcessId CurrentProcess() override;
  Handle OpenProcess(std::uint32_t accessRights, ProcessId process) override;
  bool SetPriorityClass(Handle process, std::uint32_t priorityClass) override;
  std::uint32_t GetPriorityClass(Handle process) override;
  void CloseHandle(Handle handle) override;
  std::string WindowClassName(WindowHandle window) override;
  WindowHandle ChildWindowOfClass(WindowHandle parent, std::string_view className) override;
  std::wstring ExecutablePath(Handle process) override;
  std::uint64_t StartTime(Handle process) override;
  bool ReadThrottling(Handle process, Throttling& state) override;
  bool WriteThrottling(Handle process, const Throttling& state) override;
};

}  // namespace kestrune
