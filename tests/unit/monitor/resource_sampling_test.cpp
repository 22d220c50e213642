#include "controls/monitor/resource_sampling.h"

#include <gtest/gtest.h>

#include "fakes/fake_system_figures.h"

namespace kestrune::monitor {
namespace {

using testing::FakeSystemFigures;

struct LoadCase {
  std::int64_t idleDelta;
  std::int64_t elapsedDelta;
  int processors;
  int load;
};

class LoadFormula : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadFormula, RoundsTheShiftedLoadToEven) {
  const LoadCase c = GetParam();
  EXPECT_EQ(resource_sampling::LoadFromDeltas(c.idleDelta, c.elapsedDelta, c.processors), c.load);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadFormula,
    ::testing::Values(LoadCase{6'000'000, 10'000'000, 2, 70},   // 70.5 -> 70
                      LoadCase{6'000'000, 10'000'000, 1, 40},   // 40.5 -> 40
                      LoadCase{0, 10'000'000, 1, 100},          // fully busy: 100.5 -> 100
                      LoadCase{0, 0, 1, 100},                   // no time passed: r = 0
                      LoadCase{6'280'000, 10'000'000, 1, 38},   // raw 37.2 -> 38
                      LoadCase{6'240'000, 10'000'000, 1, 38},   // raw 37.6 -> 38
                      LoadCase{6'300'000, 10'000'000, 1, 38},   // raw 37.0 -> 37.5 -> 38
                      LoadCase{6'400'000, 10'000'000, 1, 36},   // raw 36.0 -> 36.5 -> 36
                      LoadCase{10'000'000, 10'000'000, 1, 0},   // idle throughout: 0.5 -> 0
                      LoadCase{12'000'000, 10'000'000, 1, -20}, // jitter is not clamped
                      LoadCase{20'000, 0, 1, -100},             // no elapsed time: r = idle / 10000
                      LoadCase{6'000'000, 10'000'000, 0, 40}));  // a zero count is taken as one processor

TEST(CpuSamplerNt, MeasuresFromTheLastGoodBaseline) {
  FakeSystemFigures f;
  CpuSamplerState state;
  f.processors = 2;
  f.systemTimes = {100'000'000, 110'000'000, 120'000'000, 130'000'000};
  f.idleTimes = {50'000'000, 56'000'000, 60'000'000};
  resource_sampling::StartCpuSampler(f, state, true);
  EXPECT_EQ(state.previousSystemTime, 100'000'000);
  EXPECT_EQ(state.previousIdleTime, 50'000'000);
  EXPECT_FLOAT_EQ(resource_sampling::SampleCpuLoad(f, state, true), 70.0f);  // idle 6e6 of 1e7 on 2 processors

  // A failing performance query: -1, baseline untouched.
  f.idleStatus = static_cast<std::int32_t>(0xC0000004);
  EXPECT_FLOAT_EQ(resource_sampling::SampleCpuLoad(f, state, true), -1.0f);
  EXPECT_EQ(state.previousSystemTime, 110'000'000);
  EXPECT_EQ(state.previousIdleTime, 56'000'000);

  // The next good sample covers both intervals: idle 4e6 of 2e7 (the failed call consumed one time).
  f.idleStatus = 0;
  EXPECT_FLOAT_EQ(resource_sampling::SampleCpuLoad(f, state, true), 90.0f);  // 100 - 10 + 0.5 = 90.5 -> 90
  EXPECT_EQ(state.previousSystemTime, 130'000'000);

  // A failing processor-count query fails the sample before any time is read.
  f.processorStatus = 1;
  const int timeCalls = f.calls["QuerySystemTime"];
  EXPECT_FLOAT_EQ(resource_sampling::SampleCpuLoad(f, state, true), -1.0f);
  EXPECT_EQ(f.calls["QuerySystemTime"], timeCalls);
}

TEST(CpuSamplerNt, FailedStartLeavesTheBaselineAndStopDoesNothing) {
  FakeSystemFigures f;
  CpuSamplerState state{7, 9, 0};
  f.timeStatus = 1;
  resource_sampling::StartCpuSampler(f, state, true);
  EXPECT_EQ(state.previousIdleTime, 7);
  EXPECT_EQ(f.calls["QueryIdleTime"], 0);
  f.timeStatus = 0;
  f.idleStatus = 1;
  resource_sampling::StartCpuSampler(f, state, true);
  EXPECT_EQ(state.previousSystemTime, 9);
  resource_sampling::StopCpuSampler(f, state, true);
  EXPECT_EQ(f.calls["OpenDynDataKey"], 0);
  EXPECT_EQ(f.calls["CloseDynDataKey"], 0);
}

TEST(CpuSampler9x, StartsReadsOnlyTheLowByteAndStops) {
  FakeSystemFigures f;
  CpuSamplerState state;
  resource_sampling::StartCpuSampler(f, state, false);
  ASSERT_EQ(f.opened.size(), 2u);
  EXPECT_EQ(f.opened[0], (std::pair<std::string, std::uint32_t>{"PerfStats\\StartStat", 0xF003F}));
  EXPECT_EQ(f.opened[1], (std::pair<std::string, std::uint32_t>{"PerfStats\\StatData", 0x20019}));
  EXPECT_EQ(f.queriedKeys, std::vector<std::string>{"PerfStats\\StartStat"});
  EXPECT_EQ(f.closed, std::vector<std::string>{"PerfStats\\StartStat"});

  f.cpuUsage = 343;  // 0x157: only 0x57 counts
  EXPECT_FLOAT_EQ(resource_sampling::SampleCpuLoad(f, state, false), 87.0f);
  EXPECT_TRUE(f.messages.empty());

  f.cpuUsageResult = 5;
  EXPECT_FLOAT_EQ(resource_sampling::SampleCpuLoad(f, state, false), -1.0f);
  EXPECT_FLOAT_EQ(resource_sampling::SampleCpuLoad(f, state, false), -1.0f);
  EXPECT_EQ(f.messages, (std::vector<std::wstring>{L"Unable to Query Registry!", L"Unable to Query Registry!"}));
  // A box without a title of its own carries the program's.
  EXPECT_EQ(f.titles, (std::vector<std::wstring>{L"Kestrune", L"Kestrune"}));

  f.cpuUsageResult = 0;
  resource_sampling::StopCpuSampler(f, state, false);
  EXPECT_EQ(f.closed, (std::vector<std::string>{"PerfStats\\StartStat", "PerfStats\\StatData", "PerfStats\\StopStat"}));
  EXPECT_EQ(f.opened.back().first, "PerfStats\\StopStat");
  EXPECT_TRUE(f.openKeys.empty());
}

TEST(CpuSampler9x, UnopenableStartKeyLeavesTheCounterUnstarted) {
  FakeSystemFigures f;
  CpuSamplerState state;
  f.failOpen["PerfStats\\StartStat"] = true;
  resource_sampling::StartCpuSampler(f, state, false);
  EXPECT_EQ(f.opened.size(), 1u);
  EXPECT_EQ(state.counterKey, 0u);
  EXPECT_FLOAT_EQ(resource_sampling::SampleCpuLoad(f, state, false), -1.0f);
  EXPECT_EQ(f.messages.size(), 1u);
  f.failOpen["PerfStats\\StopStat"] = true;
  resource_sampling::StopCpuSampler(f, state, false);  // nothing to close, stop key missing: silent
  EXPECT_TRUE(f.closed.empty());
}

TEST(MemorySample, PercentagesAreTheShareInUseOnWideFigures) {
  FakeSystemFigures f;
  f.memory = MemoryStatus{42, 1000, 250, 8'000'000'000LL, 2'000'000'000LL, 140'737'488'224'256LL, 0};
  SystemLevelSample s;
  s.CPULoadPercent = 33;
  s.HDTotalBytes = 5;
  resource_sampling::SampleMemory(f, s);
  EXPECT_FLOAT_EQ(s.MemoryLoadPercent, 42.0f);  // the system's figure, not computed
  EXPECT_EQ(s.PhysicalMemoryTotal, 1000);
  EXPECT_EQ(s.PhysicalMemoryAvailable, 250);
  EXPECT_FLOAT_EQ(s.PhysicalMemoryAvailablePercent, 75.0f);
  EXPECT_EQ(s.PageFileTotal, 8'000'000'000LL);  // above 2^31: kept whole
  EXPECT_FLOAT_EQ(s.PageFileAvailablePercent, 75.0f);
  EXPECT_FLOAT_EQ(s.VirtualMemoryAvailablePercent, 100.0f);
  EXPECT_FLOAT_EQ(s.CPULoadPercent, 33.0f);  // other fields untouched
  EXPECT_EQ(s.HDTotalBytes, 5);

  f.memory = MemoryStatus{};
  resource_sampling::SampleMemory(f, s);  // zero totals: 0, not NaN
  EXPECT_FLOAT_EQ(s.PhysicalMemoryAvailablePercent, 0.0f);
  f.failMemory = true;
  s.PhysicalMemoryTotal = 99;
  resource_sampling::SampleMemory(f, s);
  EXPECT_EQ(s.PhysicalMemoryTotal, 0);
}

TEST(DiskSample, ExtendedRouteUsesTheCallersShare) {
  FakeSystemFigures f;
  constexpr std::uint64_t kGb = 1ull << 30;
  f.diskTotal = 100 * kGb;
  f.diskTotalFree = 30 * kGb;
  f.diskFreeToCaller = 25 * kGb;
  SystemLevelSample s;
  resource_sampling::SampleDisk(f, L"C:\\", s);
  EXPECT_EQ(s.HDTotalBytes, static_cast<std::int64_t>(100 * kGb));
  EXPECT_EQ(s.HDTotalFreeBytes, static_cast<std::int64_t>(30 * kGb));
  EXPECT_EQ(s.HDAvailableFreeBytes, static_cast<std::int64_t>(25 * kGb));
  EXPECT_EQ(s.HDTotalBytesUsed, static_cast<std::int64_t>(75 * kGb));
  EXPECT_FLOAT_EQ(s.HDAvailablePercent, 25.0f);
  EXPECT_EQ(f.calls["DiskFreeSpace"], 0);

  // Four decimal places after single precision: 1/3 -> 33.3333.
  f.diskTotal = 3;
  f.diskFreeToCaller = 1;
  resource_sampling::SampleDisk(f, L"C:\\", s);
  EXPECT_FLOAT_EQ(s.HDAvailablePercent, 33.3333f);

  // The lookup is made on every call.
  EXPECT_EQ(f.calls["HasDiskFreeSpaceEx"], 2);
}

TEST(DiskSample, ClusterRouteCannotTellTheCallersShare) {
  FakeSystemFigures f;
  f.hasDiskEx = false;
  f.sectorsPerCluster = 8;
  f.bytesPerSector = 512;
  f.totalClusterCount = 1000;
  f.freeClusterCount = 250;
  SystemLevelSample s;
  resource_sampling::SampleDisk(f, L"D:\\", s);
  EXPECT_EQ(s.HDTotalBytes, 4'096'000);
  EXPECT_EQ(s.HDTotalFreeBytes, 1'024'000);
  EXPECT_EQ(s.HDTotalBytesUsed, 3'072'000);
  EXPECT_EQ(s.HDAvailableFreeBytes, 1'024'000);
  EXPECT_FLOAT_EQ(s.HDAvailablePercent, 25.0f);
  EXPECT_EQ(f.drives, std::vector<std::wstring>{L"D:\\"});

  // Large volumes do not overflow: 64 sectors x 4096 bytes x 4e9 clusters.
  f.sectorsPerCluster = 64;
  f.bytesPerSector = 4096;
  f.totalClusterCount = 4'000'000'000u;
  f.freeClusterCount = 1'000'000'000u;
  resource_sampling::SampleDisk(f, L"D:\\", s);
  EXPECT_EQ(s.HDTotalBytes, 64LL * 4096 * 4'000'000'000LL);
  EXPECT_FLOAT_EQ(s.HDAvailablePercent, 25.0f);

  // A figure past 63 bits is skipped and stays 0; the others are still filled in. A cluster size
  // past 63 bits leaves both byte counts at 0.
  struct Row {
    std::uint32_t sectors, bytes, totalClusters, freeClusters;
    std::int64_t total, free;
  };
  const Row rows[] = {
      {65536, 65536, 0xFFFFFFFFu, 1000, 0, 65536LL * 65536 * 1000},
      {65536, 65536, 1000, 0xFFFFFFFFu, 65536LL * 65536 * 1000, 0},
      {0xFFFFFFFFu, 0xFFFFFFFFu, 1, 1, 0, 0},
  };
  for (const Row& r : rows) {
    f.sectorsPerCluster = r.sectors;
    f.bytesPerSector = r.bytes;
    f.totalClusterCount = r.totalClusters;
    f.freeClusterCount = r.freeClusters;
    SystemLevelSample fresh;
    resource_sampling::SampleDisk(f, L"D:\\", fresh);
    EXPECT_EQ(fresh.HDTotalBytes, r.total) << r.sectors << " x " << r.bytes << " x " << r.totalClusters;
    EXPECT_EQ(fresh.HDTotalFreeBytes, r.free) << r.sectors << " x " << r.bytes << " x " << r.freeClusters;
  }
}

TEST(DiskSample, FailureAndZeroTotalGiveZeros) {
  FakeSystemFigures f;
  f.diskTotal = 100;
  f.diskTotalFree = 50;
  f.diskFreeToCaller = 50;
  SystemLevelSample s;
  resource_sampling::SampleDisk(f, L"C:\\", s);
  ASSERT_EQ(s.HDTotalBytes, 100);
  resource_sampling::SampleDisk(f, L"e", s);  // a bare letter is passed unchanged and fails
  EXPECT_EQ(f.drives.back(), L"e");
  EXPECT_EQ(s.HDTotalBytes, 0);
  EXPECT_EQ(s.HDTotalFreeBytes, 0);
  EXPECT_EQ(s.HDAvailableFreeBytes, 0);
  EXPECT_EQ(s.HDTotalBytesUsed, 0);
  EXPECT_FLOAT_EQ(s.HDAvailablePercent, 0.0f);

  f.diskTotal = 0;  // no division by zero
  f.diskFreeToCaller = 0;
  resource_sampling::SampleDisk(f, L"C:\\", s);
  EXPECT_FLOAT_EQ(s.HDAvailablePercent, 0.0f);
  f.hasDiskEx = false;
  f.sectorsPerCluster = 8;
  f.bytesPerSector = 512;
  f.totalClusterCount = 0;
  f.freeClusterCount = 0;
  resource_sampling::SampleDisk(f, L"C:\\", s);
  EXPECT_FLOAT_EQ(s.HDAvailablePercent, 0.0f);
}

TEST(WindowsDirectory, IsBoundedTo255Characters) {
  FakeSystemFigures f;
  EXPECT_EQ(resource_sampling::QueryWindowsDirectory(f), L"C:\\WINDOWS");
  f.windowsDirectory = std::wstring(300, L'x');
  EXPECT_EQ(resource_sampling::QueryWindowsDirectory(f).size(), 255u);
}

}  // namespace
}  // namespace kestrune::monitor
