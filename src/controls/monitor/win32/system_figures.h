#pragma once
// System figures from the platform: ntdll's system information queries, the dynamic-data registry
// root, the extended memory status, the disk free-space queries and the Windows directory.
#include <windows.h>

#include <string>

#include "controls/monitor/kept_volume.h"
#include "controls/monitor/system_figures.h"

namespace kestrune::monitor {

// A handle kept on a drive's root, read with NtQueryVolumeInformationFile, and GetDiskFreeSpaceEx.
class Win32VolumeAccess : public VolumeAccess {
 public:
  Win32VolumeAccess() = default;
  ~Win32VolumeAccess() override { Close(); }
  Win32VolumeAccess(const Win32VolumeAccess&) = delete;
  Win32VolumeAccess& operator=(const Win32VolumeAccess&) = delete;

  bool Open(const std::wstring& root) override;
  void Close() override;
  bool Read(VolumeForm form, DiskFigures& figures) override;
  bool Query(const std::wstring& root, DiskFigures& figures) override;

 private:
  HANDLE volume_ = INVALID_HANDLE_VALUE;
};

class Win32SystemFigures : public SystemFigures {
 public:
  Win32SystemFigures() = default;
  Win32SystemFigures(const Win32SystemFigures&) = delete;
  Win32SystemFigures& operator=(const Win32SystemFigures&) = delete;

  bool IsNtPlatform() override;
  std::int32_t QueryProcessorCount(int& processors) override;
  std::int32_t QueryIdleTime(std::int64_t& idleTime) override;
  std::int32_t QuerySystemTime(std::int64_t& systemTime) override;
  long OpenDynDataKey(std::string_view subKey, std::uint32_t access, std::uintptr_t& key) override;
  long QueryCpuUsage(std::uintptr_t key, std::uint32_t& value) override;
  void CloseDynDataKey(std::uintptr_t key) override;
  bool QueryMemoryStatus(MemoryStatus& status) override;
  bool HasDiskFreeSpaceEx() override;
  bool DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& freeToCaller, std::uint64_t& total,
                       std::uint64_t& totalFree) override;
  bool DiskFreeSpace(const std::wstring& root, std::uint32_t& sectorsPerCluster, std::uint32_t& bytesPerSector,
                     std::uint32_t& freeClusters, std::uint32_t& totalClusters) override;
  std::wstring WindowsDirectory() override;
  void ShowMessage(std::wstring_view text, std::wstring_view title) override;

 private:
  Win32VolumeAccess volume_;
  KeptVolume kept_;
};

}  // namespace kestrune::monitor
