// kestrune.exe: single-instance guard, common controls, the program and its message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "app/form_main.h"
#include "app/win32/program.h"
#include "app/win32/start_language.h"
#include "platform/texts.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/system_libraries.h"
#include "vocabulary/program.h"

namespace {

// Held for the process's lifetime; the system releases it when the process ends.
bool AnotherInstanceRunning() {
  ::CreateMutexW(nullptr, FALSE, L"Local\\Kestrune.SingleInstance");
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

// Said before anything else is shown, in the language the settings file or the system names.
int CannotStart(const std::wstring& library, const std::wstring& function) {
  kestrune::Win32MessageBoxes boxes;
  kestrune::ShowLanguage(kestrune::LanguageBeforeStart());
  const std::wstring text = kestrune::UiText(kestrune::TextId::SystemFunctionMissing, {library, function});
  boxes.Show(text, kestrune::kProgramTitle, kestrune::mb::kOk | kestrune::mb::kIconExclamation);
  return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // First of all: from here on every DLL the process loads, and every DLL those load, comes from
  // System32, never from the program's folder (see system_libraries.h). The program imports only
  // Windows' known DLLs, which come from there anyway, so nothing was loaded from elsewhere before.
  if (::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) == FALSE)
    return CannotStart(L"kernel32.dll", L"SetDefaultDllDirectories");
  // Left last, after everything that calls into the libraries.
  const kestrune::SystemLibraries libraries;
  if (!libraries.MissingFunction().empty())
    return CannotStart(libraries.MissingLibrary(), libraries.MissingFunction());

  kestrune::Win32MessageBoxes boxes;
  const bool another = AnotherInstanceRunning();
  if (another) kestrune::ShowLanguage(kestrune::LanguageBeforeStart());
  if (!kestrune::PassSingleInstanceGuard(another, boxes)) return 0;

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                      ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  kestrune::system_call::InitCommonControlsEx(&controls);

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
