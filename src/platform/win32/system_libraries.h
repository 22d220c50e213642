#pragma once
// The functions the program uses from DLLs that are not among Windows' known DLLs (comctl32, oleacc).
// Windows looks for such a DLL in the program's own folder before System32, and the program is
// unpacked into folders like Downloads, where a web page can leave a DLL of any name: a static import
// would load it, with the program's rights, before any of the program's code runs. So these are not
// imported. SystemLibraries loads them from System32 at start, after SetDefaultDllDirectories has
// narrowed every later load (and the loads those DLLs make themselves) to it, and the calls below go
// through what it found. The manifest's activation context still applies to a load by name, so
// comctl32 is the version 6 that gives the controls their visual styles.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <string>

namespace kestrune {

// A DLL from System32 only, never from the program's folder or the current one.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Loads the libraries and finds every function the program calls in them; frees them when it goes.
// One at a time, for the program's whole run: while none exists, the calls below fail as the system
// call would (null, FALSE, E_FAIL).
class SystemLibraries {
 public:
  SystemLibraries();
  ~SystemLibraries();
  SystemLibraries(const SystemLibraries&) = delete;
  SystemLibraries& operator=(const SystemLibraries&) = delete;

  // The first function that could not be found, and its library; both empty when all were found.
  const std::wstring& MissingLibrary() const { return missingLibrary_; }
  const std::wstring& MissingFunction() const { return missingFunction_; }

 private:
  HMODULE modules_[2] = {};
  std::wstring missingLibrary_;
  std::wstring missingFunction_;
};

namespace system_call {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
HIMAGELIST ImageListCreate(int width, int height, UINT flags, int initial, int grow);
BOOL ImageListDestroy(HIMAGELIST list);
// ImageList_AddIcon: the icon appended; -1 on failure.
int ImageListAddIcon(HIMAGELIST list, HICON icon);
HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID iid, void** object);
LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);

}  // namespace system_call

}  // namespace kestrune
