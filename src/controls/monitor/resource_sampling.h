#pragma once
// Resource sampling: turns the system figures into one SystemLevelSample per sample.
#include <cstdint>
#include <string>
#include <string_view>

#include "controls/monitor/system_figures.h"

namespace kestrune::monitor {

// The figures of one sample. Memory sizes are 64-bit so that machines with 2 GB or more report true
// figures instead of wrapped ones.
struct SystemLevelSample {
  float CPULoadPercent = 0;  // -1 when the sample failed
  float MemoryLoadPercent = 0;
  std::int64_t PhysicalMemoryTotal = 0;
  std::int64_t PhysicalMemoryAvailable = 0;
  float PhysicalMemoryAvailablePercent = 0;  // share in use
  std::int64_t PageFileTotal = 0;
  std::int64_t PageFileAvailable = 0;
  float PageFileAvailablePercent = 0;  // share in use
  std::int64_t VirtualMemoryTotal = 0;
  std::int64_t VirtualMemoryAvailable = 0;
  float VirtualMemoryAvailablePercent = 0;  // share in use
  std::int64_t HDTotalBytes = 0;
  std::int64_t HDTotalFreeBytes = 0;
  std::int64_t HDAvailableFreeBytes = 0;
  std::int64_t HDTotalBytesUsed = 0;
  float HDAvailablePercent = 0;  // free share
  friend bool operator==(const SystemLevelSample&, const SystemLevelSample&) = default;
};

// The processor-load baseline. One instance is shared by every monitor of the process
// (SharedCpuSamplerState), so each sample moves the baseline of all of them.
struct CpuSamplerState {
  std::int64_t previousIdleTime = 0;
  std::int64_t previousSystemTime = 0;
  std::uintptr_t counterKey = 0;  // older route: the open counter key
};

namespace resource_sampling {

constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kKeyRead = 0x20019;
// The title of the sampler's message box: it has none of its own, so it carries the program's.
inline constexpr std::wstring_view kMessageTitle = L"Kestrune";

CpuSamplerState& SharedCpuSamplerState();

bool IsNtPlatform(SystemFigures& figures);
void StartCpuSampler(SystemFigures& figures, CpuSamplerState& state, bool isNt);
float SampleCpuLoad(SystemFigures& figures, CpuSamplerState& state, bool isNt);
void StopCpuSampler(SystemFigures& figures, CpuSamplerState& state, bool isNt);
// Fills MemoryLoadPercent through VirtualMemoryAvailablePercent.
void SampleMemory(SystemFigures& figures, SystemLevelSample& sample);
// Fills the five disk fields; all five become 0 when the query fails.
void SampleDisk(SystemFigures& figures, const std::wstring& drive, SystemLevelSample& sample);
std::wstring QueryWindowsDirectory(SystemFigures& figures);

// The load formula on two baselines, exposed for its table of cases.
int LoadFromDeltas(std::int64_t idleDelta, std::int64_t elapsedDelta, int processors);

}  // namespace resource_sampling

}  // namespace kestrune::monitor
