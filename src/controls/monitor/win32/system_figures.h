#pragma once
// System figures from the platform: ntdll's system information queries, the dynamic-data registry
// root, the extended memory status, the disk free-space queries and the Windows directory.
#include <windows.h>

#include <string>

#include "controls/monitor/system_figures.h"

namespace kestrune::monitor {

class Win32SystemFigures : public SystemFigures {
 public:
  Win32SystemFigures() = default;
  ~Win32SystemFigures() override;
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
  struct DiskFigures {
    std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
    bool operator==(const DiskFigures&) const = default;
  };
  // Which of the volume's size records gives GetDiskFreeSpaceEx's figures here: found at the first
  // sample; None when neither does.
  enum class VolumeForm : unsigned char { Unknown, FullSize, Size, None };
  // The free-space figures of the root read through a handle kept open on it: GetDiskFreeSpaceEx
  // opens and closes the root for every sample, two calls to the Wine server that a kept handle
  // saves twice a second. False when the handle cannot be had or the query fails.
  bool VolumeSizes(const std::wstring& root, VolumeForm form, DiskFigures& figures);

  HANDLE volume_ = INVALID_HANDLE_VALUE;
  std::wstring volumeRoot_;
  VolumeForm volumeForm_ = VolumeForm::Unknown;
};

}  // namespace kestrune::monitor
