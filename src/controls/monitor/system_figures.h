#pragma once
// The operating-system figures the resource sampler reads, one operation per query it makes. The Win32
// implementation is in win32/; tests use a scripted fake.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrune::monitor {

// One memory-status query, every figure in bytes except the load (percent as the system reports it).
struct MemoryStatus {
  std::uint32_t memoryLoad = 0;
  std::int64_t totalPhys = 0;
  std::int64_t availPhys = 0;
  std::int64_t totalPageFile = 0;
  std::int64_t availPageFile = 0;
  std::int64_t totalVirtual = 0;
  std::int64_t availVirtual = 0;
};

class SystemFigures {
 public:
  virtual ~SystemFigures() = default;

  // True when the operating-system version query names the NT platform (platform id 2).
  virtual bool IsNtPlatform() = 0;

  // NT route: system information queries; each returns the query's status, 0 on success.
  virtual std::int32_t QueryProcessorCount(int& processors) = 0;
  // Cumulative idle time of all processors, 100-ns units.
  virtual std::int32_t QueryIdleTime(std::int64_t& idleTime) = 0;
  // The system's current time, 100-ns units.
  virtual std::int32_t QuerySystemTime(std::int64_t& systemTime) = 0;

  // Older route: the processor-usage counter in the dynamic-data registry root. Results are registry
  // result codes, 0 on success. key is an opaque handle; 0 means none.
  virtual long OpenDynDataKey(std::string_view subKey, std::uint32_t access, std::uintptr_t& key) = 0;
  // Reads the 4-byte value "KERNEL\CPUUsage" from key.
  virtual long QueryCpuUsage(std::uintptr_t key, std::uint32_t& value) = 0;
  virtual void CloseDynDataKey(std::uintptr_t key) = 0;

  // Memory-status query with 64-bit figures; false when the query fails.
  virtual bool QueryMemoryStatus(MemoryStatus& status) = 0;

  // Whether the extended free-space query exists (looked up anew on every call).
  virtual bool HasDiskFreeSpaceEx() = 0;
  // Extended free-space query for a root path such as "C:\"; false on failure.
  virtual bool DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& freeToCaller, std::uint64_t& total,
                               std::uint64_t& totalFree) = 0;
  // Cluster-based free-space query; false on failure.
  virtual bool DiskFreeSpace(const std::wstring& root, std::uint32_t& sectorsPerCluster, std::uint32_t& bytesPerSector,
                             std::uint32_t& freeClusters, std::uint32_t& totalClusters) = 0;

  // The Windows directory, at most 255 characters.
  virtual std::wstring WindowsDirectory() = 0;

  // A modal message box with an OK button and the given title.
  virtual void ShowMessage(std::wstring_view text, std::wstring_view title) = 0;
};

}  // namespace kestrune::monitor
