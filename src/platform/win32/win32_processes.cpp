#include "platform/win32/win32_processes.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace kestrune {

WindowHandle Win32ProcessApi::ForegroundWindow() { return ToWindowHandle(::GetForegroundWindow()); }

std::string Win32ProcessApi::WindowTitleAnsi(WindowHandle window) {
  // Read the whole title; the caller cuts it at the byte bound without splitting a character,
  // which GetWindowTextA with a short buffer does not promise.
  const HWND hwnd = ToHwnd(window);
  if (hwnd == nullptr) return {};
  const int length = ::GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

ProcessId Win32ProcessApi::WindowProcess(WindowHandle window) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(ToHwnd(window), &pid);
  return pid;
}

ProcessId Win32ProcessApi::CurrentProcess() { return ::GetCurrentProcessId(); }

ProcessApi::Handle Win32ProcessApi::OpenProcess(std::uint32_t accessRights, ProcessId process) {
  return reinterpret_cast<Handle>(::OpenProcess(accessRights, FALSE, process));
}

bool Win32ProcessApi::SetPriorityClass(Handle process, std::uint32_t priorityClass) {
  return ::SetPriorityClass(reinterpret_cast<HANDLE>(process), priorityClass) != FALSE;
}

std::uint32_t Win32ProcessApi::GetPriorityClass(Handle process) {
  return ::GetPriorityClass(reinterpret_cast<HANDLE>(process));
}

void Win32ProcessApi::CloseHandle(Handle handle) { ::CloseHandle(reinterpret_cast<HANDLE>(handle)); }

}  // namespace kestrune
