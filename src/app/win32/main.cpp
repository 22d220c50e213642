// kestrune.exe: single-instance guard, common controls, the main window and its message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/form_main.h"
#include "app/win32/main_window.h"
#include "platform/win32/control_window.h"

namespace {

// Held for the process's lifetime; the system releases it when the process ends.
bool AnotherInstanceRunning() {
  ::CreateMutexW(nullptr, FALSE, L"Local\\Kestrune.SingleInstance");
  return ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  kestrune::Win32MessageBoxes boxes;
  if (!kestrune::PassSingleInstanceGuard(AnotherInstanceRunning(), boxes)) return 0;

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  kestrune::Win32MainWindow window(instance);
  if (!window.Create()) return 1;

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.TranslateNavigation(message)) continue;
    if (kestrune::ControlWindow::TranslateAccessKey(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
