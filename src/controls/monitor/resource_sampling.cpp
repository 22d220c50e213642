#include "controls/monitor/resource_sampling.h"

#include <cmath>
#include <limits>

#include "platform/rounding.h"

namespace kestrune::monitor::resource_sampling {

namespace {

constexpr char kStartStat[] = "PerfStats\\StartStat";
constexpr char kStatData[] = "PerfStats\\StatData";
constexpr char kStopStat[] = "PerfStats\\StopStat";

// Rounds to four decimal places, halves to the even neighbour.
double RoundTo4(double v) { return std::nearbyint(v * 10000.0) / 10000.0; }

// (1 - available / total) * 100, the share in use. A zero total (which the query does not report in
// practice) gives 0 rather than a division by zero.
float UsedPercent(std::int64_t available, std::int64_t total) {
  if (total == 0) return 0.0f;
  return static_cast<float>((1.0 - static_cast<double>(available) / static_cast<double>(total)) * 100.0);
}

float FreePercent(std::int64_t part, std::int64_t total) {
  if (total == 0) return 0.0f;
  const float single = static_cast<float>(static_cast<double>(part) / static_cast<double>(total) * 100.0);
  return static_cast<float>(RoundTo4(static_cast<double>(single)));
}

bool ToSigned(std::uint64_t v, std::int64_t& out) {
  if (v > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return false;
  out = static_cast<std::int64_t>(v);
  return true;
}

// a * b of two figures that are never negative; false when the product does not fit.
bool MultiplyFits(std::int64_t a, std::int64_t b, std::int64_t& out) {
  if (a != 0 && b > std::numeric_limits<std::int64_t>::max() / a) return false;
  out = a * b;
  return true;
}

}  // namespace

CpuSamplerState& SharedCpuSamplerState() {
  static CpuSamplerState state;
  return state;
}

bool IsNtPlatform(SystemFigures& figures) { return figures.IsNtPlatform(); }

int LoadFromDeltas(std::int64_t idleDelta, std::int64_t elapsedDelta, int processors) {
  // A processor count of 0 would divide by zero; no running system has fewer than one.
  const int n = processors < 1 ? 1 : processors;
  const double r = elapsedDelta != 0 ? RoundTo4(static_cast<double>(idleDelta) / static_cast<double>(elapsedDelta))
                                     : static_cast<double>(idleDelta) / 10000.0;
  const double x = r * 100.0;
  const double y = 100.0 - x / n + 0.5;
  // The 0.5 is added before rounding to the nearest, so the load is in effect rounded up.
  return RoundEvenInt(RoundTo4(y));
}

void StartCpuSampler(SystemFigures& figures, CpuSamplerState& state, bool isNt) {
  if (isNt) {
    std::int64_t systemTime = 0;
    std::int64_t idleTime = 0;
    if (figures.QuerySystemTime(systemTime) != 0) return;
    if (figures.QueryIdleTime(idleTime) != 0) return;
    state.previousIdleTime = idleTime;
    state.previousSystemTime = systemTime;
    return;
  }
  std::uintptr_t startKey = 0;
  if (figures.OpenDynDataKey(kStartStat, kKeyAllAccess, startKey) != 0) return;
  std::uint32_t ignored = 0;
  figures.QueryCpuUsage(startKey, ignored);  // reading the start key starts the counter
  figures.CloseDynDataKey(startKey);
  std::uintptr_t dataKey = 0;
  figures.OpenDynDataKey(kStatData, kKeyRead, dataKey);
  state.counterKey = dataKey;
}

float SampleCpuLoad(SystemFigures& figures, CpuSamplerState& state, bool isNt) {
  if (isNt) {
    int processors = 0;
    std::int64_t systemTime = 0;
    std::int64_t idleTime = 0;
    if (figures.QueryProcessorCount(processors) != 0) return -1.0f;
    if (figures.QuerySystemTime(systemTime) != 0) return -1.0f;
    if (figures.QueryIdleTime(idleTime) != 0) return -1.0f;
    const int load = LoadFromDeltas(idleTime - state.previousIdleTime, systemTime - state.previousSystemTime, processors);
    state.previousIdleTime = idleTime;
    state.previousSystemTime = systemTime;
    return static_cast<float>(load);
  }
  std::uint32_t value = 0;
  if (figures.QueryCpuUsage(state.counterKey, value) != 0) {
    figures.ShowMessage(L"Unable to Query Registry!", kMessageTitle);
    return -1.0f;
  }
  return static_cast<float>(value & 0xFFu);
}

void StopCpuSampler(SystemFigures& figures, CpuSamplerState& state, bool isNt) {
  if (isNt) return;
  if (state.counterKey != 0) figures.CloseDynDataKey(state.counterKey);
  state.counterKey = 0;
  std::uintptr_t stopKey = 0;
  if (figures.OpenDynDataKey(kStopStat, kKeyAllAccess, stopKey) != 0) return;
  std::uint32_t ignored = 0;
  figures.QueryCpuUsage(stopKey, ignored);  // reading the stop key stops the counter
  figures.CloseDynDataKey(stopKey);
}

void SampleMemory(SystemFigures& figures, SystemLevelSample& sample) {
  MemoryStatus m;
  if (!figures.QueryMemoryStatus(m)) m = MemoryStatus{};  // a failed query shows as zeros, not stale figures
  sample.MemoryLoadPercent = static_cast<float>(m.memoryLoad);
  sample.PhysicalMemoryTotal = m.totalPhys;
  sample.PhysicalMemoryAvailable = m.availPhys;
  sample.PhysicalMemoryAvailablePercent = UsedPercent(m.availPhys, m.totalPhys);
  sample.PageFileTotal = m.totalPageFile;
  sample.PageFileAvailable = m.availPageFile;
  sample.PageFileAvailablePercent = UsedPercent(m.availPageFile, m.totalPageFile);
  sample.VirtualMemoryTotal = m.totalVirtual;
  sample.VirtualMemoryAvailable = m.availVirtual;
  sample.VirtualMemoryAvailablePercent = UsedPercent(m.availVirtual, m.totalVirtual);
}

void SampleDisk(SystemFigures& figures, const std::wstring& drive, SystemLevelSample& sample) {
  sample.HDTotalBytes = 0;
  sample.HDTotalFreeBytes = 0;
  sample.HDAvailableFreeBytes = 0;
  sample.HDTotalBytesUsed = 0;
  sample.HDAvailablePercent = 0;

  if (figures.HasDiskFreeSpaceEx()) {
    std::uint64_t freeToCaller = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    if (!figures.DiskFreeSpaceEx(drive, freeToCaller, total, totalFree)) return;
    std::int64_t t = 0;
    std::int64_t f = 0;
    std::int64_t a = 0;
    if (!ToSigned(total, t) || !ToSigned(totalFree, f) || !ToSigned(freeToCaller, a)) return;
    sample.HDTotalBytes = t;
    sample.HDTotalFreeBytes = f;
    sample.HDAvailableFreeBytes = a;
    sample.HDTotalBytesUsed = t - a;
    sample.HDAvailablePercent = FreePercent(a, t);
    return;
  }

  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;
  std::uint32_t totalClusters = 0;
  if (!figures.DiskFreeSpace(drive, sectorsPerCluster, bytesPerSector, freeClusters, totalClusters)) return;
  // Each figure that overflows is skipped and stays 0; the others are still filled in.
  std::int64_t bytesPerCluster = 0;
  const bool clusterOk =
      MultiplyFits(static_cast<std::int64_t>(sectorsPerCluster), static_cast<std::int64_t>(bytesPerSector), bytesPerCluster);
  std::int64_t total = 0;
  std::int64_t totalFree = 0;
  if (clusterOk && MultiplyFits(bytesPerCluster, static_cast<std::int64_t>(totalClusters), total))
    sample.HDTotalBytes = total;
  if (clusterOk && MultiplyFits(bytesPerCluster, static_cast<std::int64_t>(freeClusters), totalFree))
    sample.HDTotalFreeBytes = totalFree;
  sample.HDTotalBytesUsed = sample.HDTotalBytes - sample.HDTotalFreeBytes;
  sample.HDAvailablePercent = FreePercent(sample.HDTotalFreeBytes, sample.HDTotalBytes);
  sample.HDAvailableFreeBytes = sample.HDTotalFreeBytes;
}

std::wstring QueryWindowsDirectory(SystemFigures& figures) {
  std::wstring dir = figures.WindowsDirectory();
  if (dir.size() > 255) dir.resize(255);
  return dir;
}

}  // namespace kestrune::monitor::resource_sampling
