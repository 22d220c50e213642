#include "engine/acting_process.h"

namespace kestrune {

ProcessId ActingProcess(std::string_view windowClass, ProcessId windowOwner, ProcessId coreOwner) {
  if (windowClass == kFrameWindowClass && coreOwner != 0) return coreOwner;
  return windowOwner;
}

ProcessId ActingProcessOf(ProcessApi& api, WindowHandle window) {
  if (window == 0) return api.CurrentProcess();
  const ProcessId owner = api.WindowProcess(window);
  const std::string windowClass = api.WindowClassName(window);
  // Only a frame is worth the child search: one string compare on every other switch.
  if (windowClass != kFrameWindowClass) return owner;
  const WindowHandle core = api.ChildWindowOfClass(window, kCoreWindowClass);
  return ActingProcess(windowClass, owner, core != 0 ? api.WindowProcess(core) : 0);
}

}  // namespace kestrune
