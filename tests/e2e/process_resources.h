#pragma once
// What another process holds of the system: GDI objects, user objects and kernel handles, read from
// outside so that a long run can show whether the program gives back everything it takes.
#include <windows.h>

#include <string>

namespace kestrune::e2e {

// One figure and where it came from. Wine answers GetGuiResources and GetProcessHandleCount with
// nothing, so each figure falls back to the nearest count that Wine does keep; `source` names it,
// and `available` is false when no way of counting worked.
struct ResourceFigure {
  long value = 0;
  bool available = false;
  std::wstring source;
};

struct ProcessResources {
  ResourceFigure gdiObjects;
  ResourceFigure userObjects;
  ResourceFigure kernelHandles;
  // Private bytes, for information only: the heap breathes, so it is printed and never compared.
  ResourceFigure privateBytes;
};

// Reads the figures of a running process (the handle needs PROCESS_QUERY_INFORMATION | PROCESS_VM_READ).
ProcessResources ReadProcessResources(HANDLE process, DWORD processId);

// The lowest of several readings taken while the program waits for messages: a reading that lands in
// the middle of a timer tick counts the pen or brush that tick is drawing with, the resting value does not.
ProcessResources RestingProcessResources(HANDLE process, DWORD processId, HWND window, int readings = 5);

std::wstring Describe(const wchar_t* name, const ResourceFigure& before, const ResourceFigure& after);

}  // namespace kestrune::e2e
