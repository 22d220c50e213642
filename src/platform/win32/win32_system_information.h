#pragma once
// ntdll's NtQuerySystemInformation, which no import library offers: looked up once, for the
// monitor's system figures and the restraint's process list.
#include <windows.h>

#include <cstring>

namespace kestrune {

// The query's status; STATUS_PROCEDURE_NOT_FOUND where ntdll does not export it.
inline LONG QuerySystemInformation(ULONG infoClass, void* buffer, ULONG length, ULONG* needed = nullptr) {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  static const Query query = [] {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    const FARPROC proc = ntdll == nullptr ? nullptr : ::GetProcAddress(ntdll, "NtQuerySystemInformation");
    Query fn = nullptr;
    static_assert(sizeof(fn) == sizeof(proc));
    std::memcpy(&fn, &proc, sizeof(fn));
    return fn;
  }();
  ULONG returned = 0;
  if (query == nullptr) return static_cast<LONG>(0xC000007A);
  return query(infoClass, buffer, length, needed != nullptr ? needed : &returned);
}

}  // namespace kestrune
