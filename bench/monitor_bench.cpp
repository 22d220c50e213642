// Cost of one resource-monitor tick on the main window's instance (441 x 89, every curve shown): the
// history shift, the sample from scripted figures and the full redraw on the raster surface. The shift
// and the redraw are also measured alone.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/form_main_monitor_props.h"
#include "controls/monitor/system_monitor.h"
#include "fakes/null_control_host.h"
#include "platform/raster/raster_surface.h"

namespace {

using namespace kestrune;
using namespace kestrune::monitor;

class BenchColors : public SystemColors {
 public:
  Rgb Get(int index) const override { return MakeRgb(index, index, index); }
};

// Figures that move a little every call, so each column differs.
class BenchFigures : public SystemFigures {
 public:
  bool IsNtPlatform() override { return true; }
  std::int32_t QueryProcessorCount(int& n) override {
    n = 4;
    return 0;
  }
  std::int32_t QueryIdleTime(std::int64_t& idle) override {
    idle_ += 2'000'000 + (step_ * 7919) % 3'000'000;
    idle = idle_;
    return 0;
  }
  std::int32_t QuerySystemTime(std::int64_t& time) override {
    time_ += 5'000'000;
    ++step_;
    time = time_;
    return 0;
  }
  long OpenDynDataKey(std::string_view, std::uint32_t, std::uintptr_t&) override { return 2; }
  long QueryCpuUsage(std::uintptr_t, std::uint32_t&) override { return 2; }
  void CloseDynDataKey(std::uintptr_t) override {}
  bool QueryMemoryStatus(MemoryStatus& m) override {
    m = MemoryStatus{static_cast<std::uint32_t>(40 + step_ % 30), 8LL << 30, (3LL << 30) + step_ * 4096,
                     16LL << 30, 9LL << 30, 128LL << 40, 100LL << 40};
    return true;
  }
  bool HasDiskFreeSpaceEx() override { return true; }
  bool DiskFreeSpaceEx(const std::wstring&, std::uint64_t& a, std::uint64_t& t, std::uint64_t& f) override {
    t = 500ull << 30;
    f = 120ull << 30;
    a = 110ull << 30;
    return true;
  }
  bool DiskFreeSpace(const std::wstring&, std::uint32_t&, std::uint32_t&, std::uint32_t&, std::uint32_t&) override {
    return false;
  }
  std::wstring WindowsDirectory() override { return L"C:\\Windows"; }
  void ShowMessage(std::wstring_view, std::wstring_view) override {}

 private:
  std::int64_t idle_ = 0;
  std::int64_t time_ = 0;
  std::int64_t step_ = 0;
};

struct MainInstance {
  MainInstance() : surface(441, 89), monitor(host, surface, figures, colors, state) {
    monitor.Load(SystemMonitorStateProperties());
    for (int i = 0; i < 441; ++i) monitor.OnTimer(SystemMonitor::kTimerId);  // a full history
  }
  testing::NullControlHost host{Rect{0, 0, 441, 89}, 0};
  RasterSurface surface;
  BenchFigures figures;
  BenchColors colors;
  CpuSamplerState state;
  SystemMonitor monitor;
};

void BM_MonitorTick(benchmark::State& st) {
  MainInstance m;
  for (auto _ : st) {
    m.monitor.OnTimer(SystemMonitor::kTimerId);
    benchmark::DoNotOptimize(m.surface.GetPixel(440, 0));
  }
}
BENCHMARK(BM_MonitorTick);

void BM_MonitorRedraw(benchmark::State& st) {
  MainInstance m;
  for (auto _ : st) {
    m.monitor.Redraw();
    benchmark::DoNotOptimize(m.surface.GetPixel(440, 0));
  }
}
BENCHMARK(BM_MonitorRedraw);

void BM_MonitorSampleAndShift(benchmark::State& st) {
  MainInstance m;
  for (auto _ : st) benchmark::DoNotOptimize(m.monitor.GetCurrentSystemLevels());
}
BENCHMARK(BM_MonitorSampleAndShift);

}  // namespace
