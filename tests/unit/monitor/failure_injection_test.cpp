// Every system-figure query the monitor makes, failed in turn under the running control. A failure
// costs only the figures it feeds: the other figures of the same sample are still taken, the diagram
// is still redrawn and the host still told, only the older route's counter read says anything, and no
// counter key is left open when the control goes away.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/form_main_monitor_props.h"
#include "controls/monitor/system_monitor.h"
#include "fakes/fake_control_host.h"
#include "fakes/fake_system_figures.h"
#include "platform/raster/raster_surface.h"

namespace kestrune::monitor {
namespace {

using testing::FakeControlHost;
using testing::FakeSystemFigures;

class NoColors : public SystemColors {
 public:
  Rgb Get(int) const override { return 0; }
};

class Updates : public SystemMonitorEvents {
 public:
  void SystemLevelsUpdated(const SystemLevels& levels) override { seen.push_back(levels); }
  std::vector<SystemLevels> seen;
};

enum class Route { Nt, Older };
enum class When { FromStart, AfterStart };

struct QueryFailure {
  const char* name;
  Route route;
  When when;
  std::function<void(FakeSystemFigures&)> fail;
  int cpu;             // the processor load each sample reports
  bool memoryLost;     // memory figures read as zeros
  bool diskLost;       // disk figures read as zeros
  bool messagePerTick; // "Unable to Query Registry!" once per sample
};

constexpr int kGoodNtLoad = 50;      // idle half of each interval, one processor
constexpr int kGoodOlderLoad = 0x57;  // low byte of the counter value 0x157

class MonitorQueryFailure : public ::testing::TestWithParam<QueryFailure> {
 protected:
  MonitorQueryFailure() : surface(60, 20), monitor(host, surface, figures, colors, cpuState) {
    host.bounds = Rect{0, 0, 60, 20};
    figures.ntPlatform = GetParam().route == Route::Nt;
    figures.processors = 1;
    // The baseline at 0, then every tick 1e7 later with half of it idle.
    figures.systemTimes = {0, 10'000'000, 20'000'000, 30'000'000};
    figures.idleTimes = {0, 5'000'000, 10'000'000, 15'000'000};
    figures.cpuUsage = 0x157;
    figures.memory = MemoryStatus{40, 1000, 250, 2000, 1000, 4000, 1000};
    figures.diskTotal = 1000;
    figures.diskTotalFree = 300;
    figures.diskFreeToCaller = 250;
    figures.sectorsPerCluster = 8;
    figures.bytesPerSector = 512;
    figures.totalClusterCount = 1000;
    figures.freeClusterCount = 250;
    monitor.SetEvents(&updates);
  }

  FakeControlHost host;
  RasterSurface surface;
  FakeSystemFigures figures;
  NoColors colors;
  CpuSamplerState cpuState;
  Updates updates;
  SystemMonitor monitor;
};

TEST_P(MonitorQueryFailure, CostsOnlyItsOwnFiguresAndLeavesNoKeyOpen) {
  const QueryFailure& c = GetParam();
  if (c.when == When::FromStart) c.fail(figures);
  monitor.Load(SystemMonitorStateProperties());
  if (c.when == When::AfterStart) c.fail(figures);

  constexpr int kTicks = 3;
  for (int i = 0; i < kTicks; ++i) monitor.OnTimer(SystemMonitor::kTimerId);
  monitor.OnDestroy();

  // Every tick still sampled, redrew and told the host.
  ASSERT_EQ(updates.seen.size(), static_cast<std::size_t>(kTicks));
  EXPECT_EQ(figures.calls["QueryMemoryStatus"], kTicks);
  EXPECT_EQ(monitor.LastEmptyColumn(), surface.ScaleWidth() - 1 - kTicks);
  for (const SystemLevels& l : updates.seen) {
    EXPECT_EQ(l.CPULoadPercent, c.cpu);
    if (c.memoryLost) {
      EXPECT_EQ(l.MemoryLoadPercent, 0);
      EXPECT_EQ(l.PhysicalMemoryTotal, 0);
      EXPECT_EQ(l.PageFileAvailablePercent, 0.0f);
    } else {
      EXPECT_EQ(l.MemoryLoadPercent, 40);
      EXPECT_EQ(l.PhysicalMemoryAvailablePercent, 75.0f);
      EXPECT_EQ(l.PageFileAvailablePercent, 50.0f);
      EXPECT_EQ(l.VirtualMemoryAvailablePercent, 75.0f);
    }
    if (c.diskLost) {
      EXPECT_EQ(l.HDTotalBytes, 0);
      EXPECT_EQ(l.HDTotalFreeBytes, 0);
      EXPECT_EQ(l.HDAvailableFreeBytes, 0);
      EXPECT_EQ(l.HDTotalBytesUsed, 0);
      EXPECT_EQ(l.HDAvailablePercent, 0.0f);
    } else {
      EXPECT_GT(l.HDTotalBytes, 0);
      EXPECT_EQ(l.HDAvailablePercent, 25.0f);
    }
  }

  const std::vector<std::wstring> expectedMessages(c.messagePerTick ? kTicks : 0, L"Unable to Query Registry!");
  EXPECT_EQ(figures.messages, expectedMessages);
  EXPECT_TRUE(figures.openKeys.empty()) << "counter key left open";
  EXPECT_EQ(cpuState.counterKey, 0u);
  EXPECT_EQ(std::count(figures.closed.begin(), figures.closed.end(), "<unknown>"), 0) << "closed a key never opened";
}

void FailProcessorCount(FakeSystemFigures& f) { f.processorStatus = static_cast<std::int32_t>(0xC0000001); }
void FailIdleTime(FakeSystemFigures& f) { f.idleStatus = static_cast<std::int32_t>(0xC0000001); }
void FailSystemTime(FakeSystemFigures& f) { f.timeStatus = static_cast<std::int32_t>(0xC0000001); }
void FailMemory(FakeSystemFigures& f) { f.failMemory = true; }
void FailExtendedDisk(FakeSystemFigures& f) { f.failDisk = true; }
void FailClusterDisk(FakeSystemFigures& f) {
  f.hasDiskEx = false;
  f.failDisk = true;
}
void FailStartKey(FakeSystemFigures& f) { f.failOpen["PerfStats\\StartStat"] = true; }
void FailDataKey(FakeSystemFigures& f) { f.failOpen["PerfStats\\StatData"] = true; }
void FailStopKey(FakeSystemFigures& f) { f.failOpen["PerfStats\\StopStat"] = true; }
void FailCounterRead(FakeSystemFigures& f) { f.cpuUsageResult = 5; }  // ERROR_ACCESS_DENIED

INSTANTIATE_TEST_SUITE_P(
    EachQuery, MonitorQueryFailure,
    ::testing::Values(
        QueryFailure{"NothingFails", Route::Nt, When::FromStart, [](FakeSystemFigures&) {}, kGoodNtLoad, false, false,
                     false},
        QueryFailure{"ProcessorCount", Route::Nt, When::AfterStart, FailProcessorCount, -1, false, false, false},
        QueryFailure{"IdleTime", Route::Nt, When::AfterStart, FailIdleTime, -1, false, false, false},
        QueryFailure{"SystemTime", Route::Nt, When::AfterStart, FailSystemTime, -1, false, false, false},
        QueryFailure{"BaselineIdleTime", Route::Nt, When::FromStart, FailIdleTime, -1, false, false, false},
        QueryFailure{"BaselineSystemTime", Route::Nt, When::FromStart, FailSystemTime, -1, false, false, false},
        QueryFailure{"MemoryStatus", Route::Nt, When::FromStart, FailMemory, kGoodNtLoad, true, false, false},
        QueryFailure{"ExtendedDiskQuery", Route::Nt, When::FromStart, FailExtendedDisk, kGoodNtLoad, false, true,
                     false},
        QueryFailure{"ClusterDiskQuery", Route::Nt, When::FromStart, FailClusterDisk, kGoodNtLoad, false, true, false},
        QueryFailure{"OlderNothingFails", Route::Older, When::FromStart, [](FakeSystemFigures&) {}, kGoodOlderLoad,
                     false, false, false},
        QueryFailure{"OlderStartKey", Route::Older, When::FromStart, FailStartKey, -1, false, false, true},
        QueryFailure{"OlderDataKey", Route::Older, When::FromStart, FailDataKey, -1, false, false, true},
        QueryFailure{"OlderCounterRead", Route::Older, When::AfterStart, FailCounterRead, -1, false, false, true},
        QueryFailure{"OlderStopKey", Route::Older, When::FromStart, FailStopKey, kGoodOlderLoad, false, false, false},
        QueryFailure{"OlderMemoryStatus", Route::Older, When::FromStart, FailMemory, kGoodOlderLoad, true, false,
                     false},
        QueryFailure{"OlderDiskQuery", Route::Older, When::FromStart, FailExtendedDisk, kGoodOlderLoad, false, true,
                     false}),
    [](const auto& p) { return std::string(p.param.name); });

// A failed baseline query leaves the old baseline; once the query works again the next sample measures
// from there, and a failing processor query in between changes nothing either.
TEST(MonitorQueryRecovery, SamplesResumeFromTheLastGoodBaseline) {
  FakeControlHost host;
  host.bounds = Rect{0, 0, 30, 10};
  RasterSurface surface(30, 10);
  FakeSystemFigures figures;
  NoColors colors;
  CpuSamplerState cpuState;
  Updates updates;
  SystemMonitor monitor(host, surface, figures, colors, cpuState);
  monitor.SetEvents(&updates);
  figures.systemTimes = {0, 10'000'000, 40'000'000};
  figures.idleTimes = {0, 10'000'000, 10'000'000};
  monitor.Load(SystemMonitorStateProperties());  // baseline (0, 0)

  figures.timeStatus = 1;
  monitor.OnTimer(SystemMonitor::kTimerId);  // fails before reading anything
  figures.timeStatus = 0;
  figures.processorStatus = 1;
  monitor.OnTimer(SystemMonitor::kTimerId);
  figures.processorStatus = 0;
  monitor.OnTimer(SystemMonitor::kTimerId);  // from (0, 0) to (1e7, 1e7): all idle
  monitor.OnTimer(SystemMonitor::kTimerId);  // to (4e7, 1e7): nothing idle

  ASSERT_EQ(updates.seen.size(), 4u);
  EXPECT_EQ(updates.seen[0].CPULoadPercent, -1);
  EXPECT_EQ(updates.seen[1].CPULoadPercent, -1);
  EXPECT_EQ(updates.seen[2].CPULoadPercent, 0);   // 100 - 100 + 0.5 rounds to the even 0
  EXPECT_EQ(updates.seen[3].CPULoadPercent, 100);
  EXPECT_TRUE(figures.messages.empty());
}

// A drive that cannot be asked (a missing medium, or no Windows directory to take it from) gives zero
// disk figures every tick and nothing else changes.
TEST(MonitorQueryRecovery, UnreadableWindowsDirectoryLeavesOnlyTheDiskEmpty) {
  FakeControlHost host;
  RasterSurface surface(30, 10);
  FakeSystemFigures figures;
  NoColors colors;
  CpuSamplerState cpuState;
  SystemMonitor monitor(host, surface, figures, colors, cpuState);
  figures.windowsDirectory = L"";  // GetWindowsDirectoryA gave 0 characters
  figures.diskTotal = 1000;
  figures.diskFreeToCaller = 250;
  figures.memory = MemoryStatus{40, 1000, 250, 1000, 250, 1000, 250};
  monitor.InitNew();
  EXPECT_EQ(monitor.HDDriveLetter(), L"");

  const SystemLevels l = monitor.GetCurrentSystemLevels();
  EXPECT_EQ(l.HDTotalBytes, 0);
  EXPECT_EQ(l.HDAvailablePercent, 0.0f);
  EXPECT_EQ(l.MemoryLoadPercent, 40);
  EXPECT_EQ(l.PhysicalMemoryAvailablePercent, 75.0f);
  EXPECT_TRUE(figures.messages.empty());
}

}  // namespace
}  // namespace kestrune::monitor
