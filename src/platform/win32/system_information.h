#pragma once
// ntdll's NtQuerySystemInformation, which no import library offers: looked up once, for the
// monitor's system figures and the restraint's process list.
#include <windows.h>

namespace kestrune {

// The query's status; STATUS_PROCEDURE_NOT_FOUND where ntdll does not export it.
inline LONG QuerySystemInformation(ULONG infoClass, void* buffer, ULONG length, ULONG* needed = nullptr) {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  static const Query query = [] {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    const FARPROC proc = ntdll == nullptr ? nullptr : ::GetProcAddress(ntdll, "NtQuerySystemInformation");
    return reinterpret_cast<Query>(reinterpret_cast<void*>(proc));
  }();
  ULONG returned = 0;
  if (query == nullptr) return static_cast<LONG>(0xC000007A);
  return query(infoClass, buffer, length, needed != nullptr ? needed : &returned);
}

}  // namespace kestrune
