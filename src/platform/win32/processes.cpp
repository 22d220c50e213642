#include "platform/win32/processes.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace kestrune {

WindowHandle Win32ProcessApi::ForegroundWindow() { return ToWindowHandle(::GetForegroundWindow()); }

std::wstring Win32ProcessApi::WindowTitle(WindowHandle window) {
  // Read whole and in Unicode: the caller cuts it at the code page's byte bound without splitting a
  // character, and a title the code page cannot spell keeps its characters.
  const HWND hwnd = ToHwnd(window);
  if (hwnd == nullptr) return {};
  if (::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId()) {
    // A window of this thread (the main window in front) would answer through its window procedure
    // and every subclass of it, under Wine a dozen server calls on each tick; the title the system
    // keeps is the same text. Far more characters than the caller's byte bound can hold.
    wchar_t wide[1024];
    const int chars = ::InternalGetWindowText(hwnd, wide, 1024);
    return chars > 0 ? std::wstring(wide, static_cast<std::size_t>(chars)) : std::wstring();
  }
  const int length = ::GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(hwnd, text.data(), length + 1);
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

std::string Win32ProcessApi::WindowClassName(WindowHandle window) {
  char name[256] = {};  // class names are at most 256 characters with their terminator
  const int length = ::GetClassNameA(ToHwnd(window), name, static_cast<int>(sizeof(name)));
  return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

WindowHandle Win32ProcessApi::ChildWindowOfClass(WindowHandle parent, std::string_view className) {
  const std::string name(className);
  return ToWindowHandle(::FindWindowExA(ToHwnd(parent), nullptr, name.c_str(), nullptr));
}

std::wstring Win32ProcessApi::ExecutablePath(Handle process) {
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = static_cast<DWORD>(path.size());
    if (::QueryFullProcessImageNameW(reinterpret_cast<HANDLE>(process), 0, path.data(), &size) != FALSE) {
      path.resize(size);
      return path;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    path.resize(path.size() * 4);
  }
  return {};
}

std::uint64_t Win32ProcessApi::StartTime(Handle process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (::GetProcessTimes(reinterpret_cast<HANDLE>(process), &created, &exited, &kernel, &user) == FALSE) return 0;
  return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

namespace {

// PROCESS_INFORMATION_CLASS ProcessPowerThrottling and its record, version 1. The functions are
// looked up: systems before Windows 8 have neither, and only Windows 11 reads the state back.
constexpr int kProcessPowerThrottling = 4;
struct PowerThrottlingState {
  ULONG version;
  ULONG controlMask;
  ULONG stateMask;
};
using ProcessInformationFn = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);

ProcessInformationFn Kernel32Function(const char* name) {
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const FARPROC proc = kernel == nullptr ? nullptr : ::GetProcAddress(kernel, name);
  return reinterpret_cast<ProcessInformationFn>(reinterpret_cast<void*>(proc));
}

}  // namespace

bool Win32ProcessApi::ReadThrottling(Handle process, Throttling& state) {
  static const ProcessInformationFn get = Kernel32Function("GetProcessInformation");
  PowerThrottlingState record{1, 0, 0};
  if (get == nullptr ||
      get(reinterpret_cast<HANDLE>(process), kProcessPowerThrottling, &record, sizeof(record)) == FALSE)
    return false;
  state = {record.controlMask, record.stateMask};
  return true;
}

bool Win32ProcessApi::WriteThrottling(Handle process, const Throttling& state) {
  static const ProcessInformationFn set = Kernel32Function("SetProcessInformation");
  PowerThrottlingState record{1, state.controlMask, state.stateMask};
  return set != nullptr &&
         set(reinterpret_cast<HANDLE>(process), kProcessPowerThrottling, &record, sizeof(record)) != FALSE;
}

}  // namespace kestrune
