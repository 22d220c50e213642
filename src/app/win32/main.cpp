// kestrune.exe: single-instance guard, common controls, the program and its message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/form_main.h"
#include "app/win32/program.h"
#include "app/win32/start_language.h"

namespace {

// Held for the process's lifetime; the system releases it when the process ends. A copy run as
// administrator makes a mutex that a copy without elevation may not open: the open is refused, and
// the copy is running all the same. Two copies in one session would give back each other's changes.
bool AnotherInstanceRunning() {
  if (::CreateMutexW(nullptr, FALSE, L"Local\\Kestrune.SingleInstance") == nullptr)
    return ::GetLastError() == ERROR_ACCESS_DENIED;
  return ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// Screen readers reach the own controls' accessibility objects through COM, served on this thread
// by its message loop.
class ComApartment {
 public:
  ComApartment() : entered_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (entered_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool entered_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  kestrune::Win32MessageBoxes boxes;
  const bool another = AnotherInstanceRunning();
  if (another) kestrune::ShowLanguage(kestrune::LanguageBeforeStart());
  if (!kestrune::PassSingleInstanceGuard(another, boxes)) return 0;

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  // Left after the window, whose controls disconnect their objects as they go.
  const ComApartment apartment;
  kestrune::Win32Program program(instance);
  if (!program.Start()) return 1;

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (program.PreTranslate(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
