#pragma once
// Scripted system figures: tests set the values each query returns, make any query fail, and read how
// often each was called and with what.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "controls/monitor/system_figures.h"

namespace kestrune::testing {

class FakeSystemFigures : public monitor::SystemFigures {
 public:
  using MemoryStatus = monitor::MemoryStatus;

  bool IsNtPlatform() override {
    ++calls["IsNtPlatform"];
    return ntPlatform;
  }

  std::int32_t QueryProcessorCount(int& n) override {
    ++calls["QueryProcessorCount"];
    if (processorStatus != 0) return processorStatus;
    n = processors;
    return 0;
  }
  // Each query takes the next scripted value (the last one repeats); a non-zero status fails it.
  std::int32_t QueryIdleTime(std::int64_t& idle) override {
    ++calls["QueryIdleTime"];
    if (idleStatus != 0) return idleStatus;
    idle = Next(idleTimes);
    return 0;
  }
  std::int32_t QuerySystemTime(std::int64_t& time) override {
    ++calls["QuerySystemTime"];
    if (timeStatus != 0) return timeStatus;
    time = Next(systemTimes);
    return 0;
  }

  long OpenDynDataKey(std::string_view subKey, std::uint32_t access, std::uintptr_t& key) override {
    ++calls["OpenDynDataKey"];
    opened.emplace_back(std::string(subKey), access);
    if (failOpen.count(std::string(subKey))) return 2;  // ERROR_FILE_NOT_FOUND
    key = nextKey++;
    openKeys[key] = std::string(subKey);
    return 0;
  }
  long QueryCpuUsage(std::uintptr_t key, std::uint32_t& value) override {
    ++calls["QueryCpuUsage"];
    queriedKeys.push_back(openKeys.count(key) ? openKeys[key] : std::string("<closed>"));
    if (cpuUsageResult != 0 || !openKeys.count(key)) return cpuUsageResult != 0 ? cpuUsageResult : 6;
    value = cpuUsage;
    return 0;
  }
  void CloseDynDataKey(std::uintptr_t key) override {
    ++calls["CloseDynDataKey"];
    closed.push_back(openKeys.count(key) ? openKeys[key] : std::string("<unknown>"));
    openKeys.erase(key);
  }

  bool QueryMemoryStatus(MemoryStatus& status) override {
    ++calls["QueryMemoryStatus"];
    if (failMemory) return false;
    status = memory;
    return true;
  }

  bool HasDiskFreeSpaceEx() override {
    ++calls["HasDiskFreeSpaceEx"];
    return hasDiskEx;
  }
  bool DiskFreeSpaceEx(const std::wstring& root, std::uint64_t& freeToCaller, std::uint64_t& total,
                       std::uint64_t& totalFree) override {
    ++calls["DiskFreeSpaceEx"];
    drives.push_back(root);
    if (failDisk || root.size() < 3) return false;
    freeToCaller = diskFreeToCaller;
    total = diskTotal;
    totalFree = diskTotalFree;
    return true;
  }
  bool DiskFreeSpace(const std::wstring& root, std::uint32_t& spc, std::uint32_t& bps, std::uint32_t& freeClusters,
                     std::uint32_t& totalClusters) override {
    ++calls["DiskFreeSpace"];
    drives.push_back(root);
    if (failDisk || root.size() < 3) return false;
    spc = sectorsPerCluster;
    bps = bytesPerSector;
    freeClusters = freeClusterCount;
    totalClusters = totalClusterCount;
    return true;
  }

  std::wstring WindowsDirectory() override {
    ++calls["WindowsDirectory"];
    return windowsDirectory;
  }
  void ShowMessage(std::wstring_view text, std::wstring_view title) override {
    messages.emplace_back(text);
    titles.emplace_back(title);
  }

  // Script.
  bool ntPlatform = true;
  int processors = 1;
  std::int32_t processorStatus = 0;
  std::int32_t idleStatus = 0;
  std::int32_t timeStatus = 0;
  std::deque<std::int64_t> idleTimes{0};
  std::deque<std::int64_t> systemTimes{0};
  std::map<std::string, bool> failOpen;  // sub-keys that cannot be opened
  long cpuUsageResult = 0;
  std::uint32_t cpuUsage = 0;
  bool failMemory = false;
  MemoryStatus memory{};
  bool hasDiskEx = true;
  bool failDisk = false;
  std::uint64_t diskFreeToCaller = 0;
  std::uint64_t diskTotal = 0;
  std::uint64_t diskTotalFree = 0;
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusterCount = 0;
  std::uint32_t totalClusterCount = 0;
  std::wstring windowsDirectory = L"C:\\WINDOWS";

  // Record.
  std::map<std::string, int> calls;
  std::vector<std::pair<std::string, std::uint32_t>> opened;
  std::vector<std::string> queriedKeys;
  std::vector<std::string> closed;
  std::map<std::uintptr_t, std::string> openKeys;
  std::vector<std::wstring> drives;
  std::vector<std::wstring> messages;
  std::vector<std::wstring> titles;  // of the message boxes, in the same order

 private:
  static std::int64_t Next(std::deque<std::int64_t>& values) {
    const std::int64_t v = values.front();
    if (values.size() > 1) values.pop_front();
    return v;
  }
  std::uintptr_t nextKey = 0x100;
};

}  // namespace kestrune::testing
