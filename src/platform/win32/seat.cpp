#include "platform/win32/seat.h"

#include <windows.h>

namespace kestrune {
namespace {

// The installation's own identifier, made at set-up (by Wine for each prefix). The computer's name
// stands in where it cannot be read.
std::wstring MachineIdentity() {
  wchar_t guid[64] = {};
  DWORD size = sizeof(guid);
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Cryptography", L"MachineGuid",
                     RRF_RT_REG_SZ, nullptr, guid, &size) == ERROR_SUCCESS &&
      guid[0] != L'\0') {
    return guid;
  }
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  return ::GetComputerNameW(name, &length) ? std::wstring(name, length) : std::wstring();
}

}  // namespace

std::wstring SeatIdentity() {
  // One copy runs per session (its single-instance guard is the session's), and sessions that run
  // at the same time on one machine have different ids.
  DWORD session = 0;
  ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
  return MachineIdentity() + L"|" + std::to_wstring(session);
}

}  // namespace kestrune
