#include "controls/monitor/win32/system_figures.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "platform/win32/system_information.h"

namespace kestrune::monitor {

namespace {

// The layouts of the build's own bitness: the pointer-sized members make the basic-information
// record 44 bytes on 32-bit builds and 64 bytes on 64-bit ones.
struct SystemBasicInformation {
  ULONG reserved;
  ULONG timerResolution;
  ULONG pageSize;
  ULONG numberOfPhysicalPages;
  ULONG lowestPhysicalPageNumber;
  ULONG highestPhysicalPageNumber;
  ULONG allocationGranularity;
  ULONG_PTR minimumUserModeAddress;
  ULONG_PTR maximumUserModeAddress;
  ULONG_PTR activeProcessorsAffinityMask;
  CCHAR numberOfProcessors;
};
static_assert(sizeof(void*) != 4 || offsetof(SystemBasicInformation, numberOfProcessors) == 40);
static_assert(sizeof(void*) != 8 || offsetof(SystemBasicInformation, numberOfProcessors) == 56);

constexpr ULONG kSystemBasicInformation = 0;
constexpr ULONG kSystemPerformanceInformation = 2;
constexpr ULONG kSystemTimeOfDayInformation = 3;

// The performance record has grown over the platform's versions and the query refuses a buffer shorter
// than its own record, so a generous buffer is passed; only the idle time at byte 0 is read. The
// time-of-day query is the other way round: it refuses a buffer longer than its record and fills a
// shorter one, so it gets the 32 bytes that hold the current time at byte 8.
constexpr std::size_t kLargeRecord = 1024;
constexpr std::size_t kTimeOfDayRecord = 32;

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromAnsi(const char* text, int length) {
  if (length <= 0) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, text, length, out.data(), n);
  return out;
}

HKEY ToKey(std::uintptr_t key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

bool Win32SystemFigures::IsNtPlatform() {
  // The version query reports every supported system as NT; it is still asked, as on older systems.
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#elif defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#endif
  ::GetVersionExA(&info);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#elif defined(_MSC_VER)
#pragma warning(pop)
#endif
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::int32_t Win32SystemFigures::QueryProcessorCount(int& processors) {
  SystemBasicInformation info{};
  const std::int32_t status = QuerySystemInformation(kSystemBasicInformation, &info, sizeof(info));
  if (status == 0) processors = static_cast<unsigned char>(info.numberOfProcessors);
  return status;
}

std::int32_t Win32SystemFigures::QueryIdleTime(std::int64_t& idleTime) {
  alignas(8) unsigned char buffer[kLargeRecord] = {};
  const std::int32_t status = QuerySystemInformation(kSystemPerformanceInformation, buffer, sizeof(buffer));
  if (status == 0) std::memcpy(&idleTime, buffer, sizeof(idleTime));
  return status;
}

std::int32_t Win32SystemFigures::QuerySystemTime(std::int64_t& systemTime) {
  alignas(8) unsigned char buffer[kTimeOfDayRecord] = {};
  const std::int32_t status = QuerySystemInformation(kSystemTimeOfDayInformation, buffer, sizeof(buffer));
  if (status == 0) std::memcpy(&systemTime, buffer + 8, sizeof(systemTime));
  return status;
}

long Win32SystemFigures::OpenDynDataKey(std::string_view subKey, std::uint32_t access, std::uintptr_t& key) {
  HKEY opened = nullptr;
  const std::string name(subKey);
  const LONG result = ::RegOpenKeyExA(HKEY_DYN_DATA, name.c_str(), 0, access, &opened);
  if (result == ERROR_SUCCESS) key = reinterpret_cast<std::uintptr_t>(opened);
  return result;
}

long Win32SystemFigures::QueryCpuUsage(std::uintptr_t key, std::uint32_t& value) {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  const LONG result =
      ::RegQueryValueExA(ToKey(key), "KERNEL\\CPUUsage", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (result == ERROR_SUCCESS) value = data;
  return result;
}

void Win32SystemFigures::CloseDynDataKey(std::uintptr_t key) {
  if (key != 0) ::RegCloseKey(ToKey(key));
}

bool Win32SystemFigures::QueryMemoryStatus(MemoryStatus& status) {
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof(m);
  if (!::GlobalMemoryStatusEx(&m)) return false;
  status.memoryLoad = m.dwMemoryLoad;
  status.totalPhys = static_cast<std::int64_t>(m.ullTotalPhys);
  status.availPhys = static_cast<std::int64_t>(m.ullAvailPhys);
  status.totalPageFile = static_cast<std::int64_t>(m.ullTotalPageFile);
  status.availPageFile = static_cast<std::int64_t>(m.ullAvailPageFile);
  status.totalVirtual = static_cast<std::int64_t>(m.ullTotalVirtual);
  status.availVirtual = static_cast<std::int64_t>(m.ullAvailVirtual);
  return true;
}

bool Win32SystemFigures::HasDiskFreeSpaceEx() {
  const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  return kernel != nullptr && ::GetProcAddress(kernel, "GetDiskFreeSpaceExA") != nullptr;
}

bool Win32VolumeAccess::Open(const std::wstring& root) {
  Close();
  volume_ = ::CreateFileW(root.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  return volume_ != INVALID_HANDLE_VALUE;
}

void Win32VolumeAccess::Close() {
  if (volume_ != INVALID_HANDLE_VALUE) ::CloseHandle(volume_);
  volume_ = INVALID_HANDLE_VALUE;
}

bool Win32VolumeAccess::Read(VolumeForm form, DiskFigures& figures) {
  using VolumeQuery = LONG(WINAPI*)(HANDLE, void*, void*, ULONG, int);
  static const VolumeQuery query = [] {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    const FARPROC proc = ntdll == nullptr ? nullptr : ::GetProcAddress(ntdll, "NtQueryVolumeInformationFile");
    return reinterpret_cast<VolumeQuery>(reinterpret_cast<void*>(proc));
  }();
  if (query == nullptr || volume_ == INVALID_HANDLE_VALUE) return false;
  ULONG_PTR status[2] = {};  // IO_STATUS_BLOCK
  if (form == VolumeForm::FullSize) {
    // FILE_FS_FULL_SIZE_INFORMATION (class 7): the units in all, free to this user, free at all.
    struct {
      LARGE_INTEGER total, caller, actual;
      ULONG sectorsPerUnit, bytesPerSector;
    } size{};
    if (query(volume_, status, &size, sizeof(size), 7) != 0) return false;
    const std::uint64_t unit = static_cast<std::uint64_t>(size.sectorsPerUnit) * size.bytesPerSector;
    figures = {static_cast<std::uint64_t>(size.caller.QuadPart) * unit,
               static_cast<std::uint64_t>(size.total.QuadPart) * unit,
               static_cast<std::uint64_t>(size.actual.QuadPart) * unit};
    return true;
  }
  // FILE_FS_SIZE_INFORMATION (class 3): the units in all and free, the same free to all.
  struct {
    LARGE_INTEGER total, available;
    ULONG sectorsPerUnit, bytesPerSector;
  } size{};
  if (query(volume_, status, &size, sizeof(size), 3) != 0) return false;
  const std::uint64_t unit = static_cast<std::uint64_t>(size.sectorsPerUnit) * size.bytesPerSector;
  const std::uint64_t available = static_cast<std::uint64_t>(size.available.QuadPart) * unit;
  figures = {available, static_cast<std::uint64_t>(size.total.QuadPart) * unit, available};
  return true;
}

bool Win32VolumeAccess::Query(const std::wstring& root, DiskFigures& figures) {
  ULARGE_INTEGER caller{};
  ULARGE_INTEGER all{};
  ULARGE_INTEGER free{};
  const std::string path = ToAnsi(root);
  if (!::GetDiskFreeSpaceExA(path.c_str(), &caller, &all, &free)) return false;
  figures = {caller.QuadPart, all.QuadPart, free.QuadPart};
  return true;
}

bool Win32SystemFigures::DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& freeToCaller, std::uint64_t& total,
                                         std::uint64_t& totalFree) {
  DiskFigures figures;
  // The tick count only moves forward, and wraps after 49 days only in its 32-bit form.
  if (!kept_.Sample(volume_, root, ::GetTickCount64(), figures)) return false;
  freeToCaller = figures.freeToCaller;
  total = figures.total;
  totalFree = figures.totalFree;
  return true;
}

bool Win32SystemFigures::DiskFreeSpace(const std::wstring& root, std::uint32_t& sectorsPerCluster,
                                       std::uint32_t& bytesPerSector, std::uint32_t& freeClusters,
                                       std::uint32_t& totalClusters) {
  DWORD spc = 0;
  DWORD bps = 0;
  DWORD freeCount = 0;
  DWORD totalCount = 0;
  const std::string path = ToAnsi(root);
  if (!::GetDiskFreeSpaceA(path.c_str(), &spc, &bps, &freeCount, &totalCount)) return false;
  sectorsPerCluster = spc;
  bytesPerSector = bps;
  freeClusters = freeCount;
  totalClusters = totalCount;
  return true;
}

std::wstring Win32SystemFigures::WindowsDirectory() {
  char buffer[256] = {};
  const UINT n = ::GetWindowsDirectoryA(buffer, 255);
  // A result above the capacity is the size the call would need: nothing was written then.
  if (n == 0 || n >= 255) return {};
  return FromAnsi(buffer, static_cast<int>(n));
}

void Win32SystemFigures::ShowMessage(std::wstring_view text, std::wstring_view title) {
  const std::wstring copy(text);
  const std::wstring caption(title);
  ::MessageBoxW(nullptr, copy.c_str(), caption.c_str(), MB_OK);
}

}  // namespace kestrune::monitor
