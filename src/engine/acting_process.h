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

// The rule applied to a real window; window 0 acts on the program's own process, as it always has.
// 0 when the window's owner cannot be read.
ProcessId ActingProcessOf(ProcessApi& api, WindowHandle window);

}  // namespace kestrune
