#include "process_resources.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <thread>
#include <vector>

namespace kestrune::e2e {
namespace {

// ---- GDI objects ----------------------------------------------------------------------------------
// Wine keeps each process's GDI objects in a handle table of the same shape as the one Windows
// publishes in the process environment block (GdiSharedHandleTable): 24-byte entries, a zero type
// marks a free slot and the high bit of the unique byte marks a stock object. Stock objects are made
// once at start-up, so they are left out of the count.
constexpr std::size_t kGdiTableEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiEntryUnique = 12;
constexpr std::size_t kGdiEntryType = 14;
constexpr unsigned char kGdiStockFlag = 0x80;
#ifdef _WIN64
constexpr std::size_t kPebGdiTable = 0xF8;
#endif

using NtQueryInformationProcessFn = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

template <typename Fn>
Fn NtdllFunction(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), name)));
}

struct BasicInformation {  // PROCESS_BASIC_INFORMATION, of which only the environment block is used
  LONG exitStatus;
  void* pebBaseAddress;
  ULONG_PTR affinityMask;
  LONG basePriority;
  ULONG_PTR uniqueProcessId;
  ULONG_PTR inheritedFromUniqueProcessId;
};

ResourceFigure GdiFromHandleTable(HANDLE process) {
  ResourceFigure figure;
#ifdef _WIN64
  auto query = NtdllFunction<NtQueryInformationProcessFn>("NtQueryInformationProcess");
  BasicInformation basic{};
  if (query == nullptr || query(process, 0, &basic, sizeof(basic), nullptr) != 0) return figure;
  std::uint64_t table = 0;
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process, static_cast<const char*>(basic.pebBaseAddress) + kPebGdiTable, &table,
                           sizeof(table), &read) ||
      table == 0) {
    return figure;
  }
  std::vector<unsigned char> entries(kGdiTableEntries * kGdiEntrySize);
  if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table)), entries.data(),
                           entries.size(), &read)) {
    return figure;
  }
  for (std::size_t i = 0; i < kGdiTableEntries; ++i) {
    const unsigned char* entry = &entries[i * kGdiEntrySize];
    if (entry[kGdiEntryType] != 0 && (entry[kGdiEntryUnique] & kGdiStockFlag) == 0) ++figure.value;
  }
  figure.available = true;
  figure.source = L"live entries of the process's GDI handle table (GetGuiResources is not implemented)";
#else
  (void)process;
#endif
  return figure;
}

ResourceFigure GdiObjects(HANDLE process) {
  ::SetLastError(0);
  const DWORD count = ::GetGuiResources(process, GR_GDIOBJECTS);
  // A program with a window always holds GDI objects: zero means the call is not implemented.
  if (count > 0) return {static_cast<long>(count), true, L"GetGuiResources"};
  return GdiFromHandleTable(process);
}

// ---- user objects ---------------------------------------------------------------------------------
// Without GetGuiResources the windows are the user objects that can be counted from outside: every
// top-level, child and message-only window the process owns. Icons and cursors leaked by the program
// still show, since each holds GDI bitmaps.
struct WindowCount {
  DWORD processId;
  long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
  ++reinterpret_cast<WindowCount*>(param)->count;
  return TRUE;
}

void CountWindowAndChildren(HWND hwnd, WindowCount& count) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner != count.processId) return;
  ++count.count;
  ::EnumChildWindows(hwnd, CountChild, reinterpret_cast<LPARAM>(&count));
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM param) {
  CountWindowAndChildren(hwnd, *reinterpret_cast<WindowCount*>(param));
  return TRUE;
}

ResourceFigure UserObjects(HANDLE process, DWORD processId) {
  const DWORD count = ::GetGuiResources(process, GR_USEROBJECTS);
  if (count > 0) return {static_cast<long>(count), true, L"GetGuiResources"};
  WindowCount windows{processId, 0};
  ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  for (HWND hwnd = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd != nullptr;
       hwnd = ::FindWindowExW(HWND_MESSAGE, hwnd, nullptr, nullptr)) {
    CountWindowAndChildren(hwnd, windows);
  }
  return {windows.count, true, L"windows of the process (GetGuiResources is not implemented)"};
}

// ---- kernel handles -------------------------------------------------------------------------------
// Wine's answer to the system handle list (information class 16): one 24-byte entry per open handle
// of every process, the owner's id in the first 32 bits.
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004L);
struct SystemHandleEntry {
  ULONG ownerPid;
  BYTE objectType;
  BYTE handleFlags;
  USHORT handleValue;
  void* objectPointer;
  ULONG accessMask;
};

ResourceFigure KernelHandles(HANDLE process, DWORD processId) {
  DWORD count = 0;
  if (::GetProcessHandleCount(process, &count) && count > 0) return {static_cast<long>(count), true, L"GetProcessHandleCount"};
  ResourceFigure figure;
  auto query = NtdllFunction<NtQuerySystemInformationFn>("NtQuerySystemInformation");
  if (query == nullptr) return figure;
  std::vector<unsigned char> buffer(1 << 16);
  LONG status = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
             kInfoLengthMismatch &&
         buffer.size() < (std::size_t{1} << 28)) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return figure;
  ULONG entries = 0;
  std::memcpy(&entries, buffer.data(), sizeof(entries));
  // The entries follow the 32-bit count at the entries' own alignment.
  constexpr std::size_t first = (sizeof(ULONG) + alignof(SystemHandleEntry) - 1) / alignof(SystemHandleEntry) *
                                alignof(SystemHandleEntry);
  for (ULONG i = 0; i < entries && first + (i + 1) * sizeof(SystemHandleEntry) <= buffer.size(); ++i) {
    SystemHandleEntry entry{};
    std::memcpy(&entry, buffer.data() + first + i * sizeof(SystemHandleEntry), sizeof(entry));
    if (entry.ownerPid == processId) ++figure.value;
  }
  figure.available = figure.value > 0;
  figure.source = L"the system handle list (GetProcessHandleCount answers 0)";
  return figure;
}

ResourceFigure PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  using Fn = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
  auto get = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "K32GetProcessMemoryInfo")));
  if (get == nullptr || !get(process, &counters, sizeof(counters))) return {};
  return {static_cast<long>(counters.PagefileUsage), true, L"K32GetProcessMemoryInfo"};
}

void KeepLower(ResourceFigure& lowest, const ResourceFigure& reading) {
  if (!reading.available) return;
  if (!lowest.available || reading.value < lowest.value) lowest = reading;
}

}  // namespace

ProcessResources ReadProcessResources(HANDLE process, DWORD processId) {
  ProcessResources figures;
  figures.gdiObjects = GdiObjects(process);
  figures.userObjects = UserObjects(process, processId);
  figures.kernelHandles = KernelHandles(process, processId);
  figures.privateBytes = PrivateBytes(process);
  return figures;
}

ProcessResources RestingProcessResources(HANDLE process, DWORD processId, HWND window, int readings) {
  ProcessResources lowest;
  for (int i = 0; i < readings; ++i) {
    // Returns once the program has come back to its message loop.
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    const ProcessResources reading = ReadProcessResources(process, processId);
    KeepLower(lowest.gdiObjects, reading.gdiObjects);
    KeepLower(lowest.userObjects, reading.userObjects);
    KeepLower(lowest.kernelHandles, reading.kernelHandles);
    KeepLower(lowest.privateBytes, reading.privateBytes);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
  }
  return lowest;
}

std::wstring Describe(const wchar_t* name, const ResourceFigure& before, const ResourceFigure& after) {
  std::wostringstream text;
  text << name << L": ";
  if (!before.available || !after.available) {
    text << L"not reported by this system";
  } else {
    text << before.value << L" -> " << after.value << L" (" << before.source << L")";
  }
  return text.str();
}

}  // namespace kestrune::e2e
