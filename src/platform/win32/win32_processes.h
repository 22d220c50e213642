#pragma once
#include "platform/processes.h"

namespace kestrune {

class Win32ProcessApi : public ProcessApi {
 public:
  WindowHandle ForegroundWindow() override;
  std::string WindowTitleAnsi(WindowHandle window) override;
  ProcessId WindowProcess(WindowHandle window) override;
  ProcessId CurrentProcess() override;
  Handle OpenProcess(std::uint32_t accessRights, ProcessId process) override;
  bool SetPriorityClass(Handle process, std::uint32_t priorityClass) override;
  std::uint32_t GetPriorityClass(Handle process) override;
  void CloseHandle(Handle handle) override;
};

}  // namespace kestrune
