#pragma once
// The common open-file dialog, with comdlg32 loaded only while a dialog is shown: the program
// needs the dialog rarely (saving the history), and not mapping the library and all it pulls in
// keeps the idle program small.
#include <windows.h>
#include <commdlg.h>
#include <cderr.h>

#include "platform/win32/system_libraries.h"

namespace kestrune {

// As GetOpenFileNameW. error receives CommDlgExtendedError() after a failure (0 = cancelled), or
// CDERR_INITIALIZATION when the library cannot be loaded.
inline bool ShowOpenFileDialog(OPENFILENAMEW& ofn, DWORD& error) {
  error = 0;
  HMODULE library = LoadSystemLibrary(L"comdlg32.dll");
  if (library == nullptr) {
    error = CDERR_INITIALIZATION;
    return false;
  }
  using OpenFn = BOOL(WINAPI*)(OPENFILENAMEW*);
  using ErrorFn = DWORD(WINAPI*)();
  const auto open = reinterpret_cast<OpenFn>(reinterpret_cast<void*>(::GetProcAddress(library, "GetOpenFileNameW")));
  const auto lastError =
      reinterpret_cast<ErrorFn>(reinterpret_cast<void*>(::GetProcAddress(library, "CommDlgExtendedError")));
  bool ok = false;
  if (open == nullptr || lastError == nullptr) {
    error = CDERR_INITIALIZATION;
  } else {
    ok = open(&ofn) != FALSE;
    if (!ok) error = lastError();
  }
  ::FreeLibrary(library);
  return ok;
}

}  // namespace kestrune
