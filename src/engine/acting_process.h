#pragma once
// Which process a foreground switch acts on. Normally the owner of the window; a store app's
// window, though, is a frame owned by a frame host, and the app itself owns a core window inside
// the frame: raising the host would do nothing for the program the user sees.
#include <string_view>

#include "platform/processes.h"

namespace kestrune {

inline constexpr std::string_view kFrameWindowClass = "ApplicationFrameWindow";
inline constexpr std::string_view kCoreWindowClass = "Windows.UI.Core.CoreWindow";

// The rule, over values: the core window's owner when the window is a frame that holds one
// (coreOwner 0: none yet), the window's own owner otherwise.
ProcessId ActingProcess(std::string_view windowClass, ProcessId windowOwner, ProcessId coreOwner);

// Whether the decision must be made again on the following ticks: a frame whose app is not inside
// yet (at launch or on restore) stands for its host only until the core window comes.
bool AwaitsCoreWindow(std::string_view windowClass, ProcessId coreOwner);

struct Acting {
  ProcessId process = 0;
  bool awaitsCore = false;
};

// The rules applied to a real window; window 0 acts on the program's own process, as it always has.
// process 0 when the window's owner cannot be read.
Acting ActingProcessOf(ProcessApi& api, WindowHandle window);

}  // namespace kestrune
