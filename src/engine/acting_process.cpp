#include "engine/acting_process.h"

namespace kestrune {

ProcessId ActingProcess(std::string_view windowClass, ProcessId windowOwner, ProcessId coreOwner) {
  if (windowClass == kFrameWindowClass && coreOwner != 0) return coreOwner;
  return windowOwner;
}

bool AwaitsCoreWindow(std::string_view windowClass, ProcessId coreOwner) {
  return windowClass == kFrameWindowClass && coreOwner == 0;
}

Acting ActingProcessOf(ProcessApi& api, WindowHandle window) {
  if (window == 0) return {api.CurrentProcess(), false};
  const ProcessId owner = api.WindowProcess(window);
  const std::string windowClass = api.WindowClassName(window);
  // Only a frame is worth the child search: one string compare on every other switch.
  if (windowClass != kFrameWindowClass) return {owner, false};
  const WindowHandle core = api.ChildWindowOfClass(window, kCoreWindowClass);
  const ProcessId coreOwner = core != 0 ? api.WindowProcess(core) : 0;
  return {ActingProcess(windowClass, owner, coreOwner), AwaitsCoreWindow(windowClass, coreOwner)};
}

}  // namespace kestrune
