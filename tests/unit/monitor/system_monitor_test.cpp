#include "controls/monitor/system_monitor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/form_main_monitor_props.h"
#include "fakes/fake_control_host.h"
#include "fakes/fake_system_figures.h"
#include "platform/control_error.h"
#include "platform/raster/raster_surface.h"
#include "support/raster_images.h"

namespace kestrune::monitor {
namespace {

using testing::FakeControlHost;
using testing::FakeSystemFigures;

class FixedColors : public SystemColors {
 public:
  Rgb Get(int index) const override { return static_cast<Rgb>(0x010101 * index); }
};

class RecordingEvents : public SystemMonitorEvents {
 public:
  void SystemLevelsUpdated(const SystemLevels& levels) override {
    updates.push_back(levels);
    presentsAtEvent = surface->PresentCount();
  }
  void DblClick() override { ++dblClicks; }
  RasterSurface* surface = nullptr;
  std::vector<SystemLevels> updates;
  int presentsAtEvent = -1;
  int dblClicks = 0;
};

constexpr Rgb kBack = 0xFBFDFB;
constexpr Rgb kGrid = 0xE0E0E0;
constexpr Rgb kCpu = 0x00C000;

// The main window's instance: 441 x 89, saved settings from the form's data.
class MainMonitor : public ::testing::Test {
 protected:
  MainMonitor() : surface(441, 89), monitor(host, surface, figures, colors, cpuState) {
    host.bounds = Rect{8, 8, 8 + 441, 8 + 89};
    figures.processors = 1;
    figures.memory = MemoryStatus{40, 1000, 500, 1000, 250, 1000, 750};
    figures.diskTotal = 100;
    figures.diskFreeToCaller = 20;
    figures.diskTotalFree = 30;
    events.surface = &surface;
    monitor.SetEvents(&events);
  }

  void LoadMain() { monitor.Load(SystemMonitorStateProperties()); }

  // Shows only the processor curve and makes each sample's load come out as the given percentages.
  void OnlyCpu() {
    monitor.Set<bool>("MemoryLoadDisplayed", false);
    monitor.Set<bool>("PageFileDisplayed", false);
    monitor.Set<bool>("VirtualMemoryDisplayed", false);
    monitor.Set<bool>("HDMonitorDisplayed", false);
  }
  // One tick whose processor load is `load` percent (one processor, 1e7 time units per tick).
  void TickWithLoad(int load) {
    clock += 10'000'000;
    idle += static_cast<std::int64_t>(100 - load) * 100'000;
    figures.systemTimes = {clock};
    figures.idleTimes = {idle};
    monitor.OnTimer(SystemMonitor::kTimerId);
  }

  // Columns of one row that hold the colour.
  std::vector<int> ColumnsOf(int y, Rgb color) const {
    std::vector<int> xs;
    for (int x = 0; x < surface.ScaleWidth(); ++x)
      if (surface.GetPixel(x, y) == color) xs.push_back(x);
    return xs;
  }
  std::vector<int> RowsOf(int x, Rgb color) const {
    std::vector<int> ys;
    for (int y = 0; y < surface.ScaleHeight(); ++y)
      if (surface.GetPixel(x, y) == color) ys.push_back(y);
    return ys;
  }

  FakeControlHost host;
  RasterSurface surface;
  FakeSystemFigures figures;
  FixedColors colors;
  CpuSamplerState cpuState;
  RecordingEvents events;
  SystemMonitor monitor;
  std::int64_t clock = 0;
  std::int64_t idle = 0;
};

TEST_F(MainMonitor, LoadAppliesTheSavedSet) {
  LoadMain();
  EXPECT_EQ(monitor.Get<OleColor>("BackColor"), 0xFBFDFBu);
  EXPECT_EQ(monitor.BorderStyle(), 0);
  EXPECT_EQ(monitor.Appearance(), 1);
  EXPECT_EQ(monitor.Get<OleColor>("CPUMonitorColor"), 0x00C000u);
  EXPECT_EQ(monitor.Get<OleColor>("DisplayGridColor"), 0xE0E0E0u);
  EXPECT_EQ(monitor.Get<OleColor>("MemoryColor"), 0x00FFFFu);
  EXPECT_EQ(monitor.Get<OleColor>("HDMonitorColor"), 0xFF80FFu);
  EXPECT_EQ(monitor.HDDriveLetter(), L"C:\\");
  EXPECT_EQ(monitor.UpdateInterval(), 500);
  EXPECT_EQ(host.timerStarts, (std::vector<std::pair<int, unsigned>>{{SystemMonitor::kTimerId, 500u}}));
  EXPECT_EQ(monitor.History().size(), 442u);
  EXPECT_EQ(monitor.LastEmptyColumn(), 440);
  EXPECT_TRUE(monitor.PlatformIsNt());
  EXPECT_EQ(figures.calls["QuerySystemTime"], 1);  // the baseline was taken
  EXPECT_EQ(host.borderStyle, 0);
  EXPECT_EQ(host.appearance, 1);
  EXPECT_EQ(surface.CountColor(kBack), 441 * 89);
  EXPECT_TRUE(host.changedKeys.empty());  // loading notifies nothing
}

TEST_F(MainMonitor, DesignModeLoadStartsNoTimerAndDrawsOnlyTheGrid) {
  host.userMode = false;
  LoadMain();
  EXPECT_TRUE(host.timerStarts.empty());
  OnlyCpu();
  monitor.OnTimer(SystemMonitor::kTimerId);
  EXPECT_EQ(monitor.LastEmptyColumn(), 440);  // the tick did nothing
  EXPECT_EQ(figures.calls["QueryMemoryStatus"], 0);
  monitor.GetCurrentSystemLevels();  // an explicit sample runs in any mode
  monitor.GetCurrentSystemLevels();
  monitor.Redraw();
  EXPECT_EQ(surface.CountColor(kCpu), 0);
  EXPECT_GT(surface.CountColor(kGrid), 0);
}

TEST_F(MainMonitor, NewControlTakesTheWindowsDriveAndDefaults) {
  figures.windowsDirectory = L"D:\\WINNT";
  monitor.InitNew();
  EXPECT_EQ(monitor.HDDriveLetter(), L"D:\\");
  EXPECT_EQ(host.borderStyle, 1);
  EXPECT_EQ(host.appearance, 1);
  EXPECT_EQ(monitor.Get<OleColor>("BackColor"), 0u);
  EXPECT_EQ(monitor.UpdateInterval(), 1000);
  EXPECT_TRUE(host.timerStarts.empty());
  EXPECT_TRUE(monitor.History().empty());
  // The default grid on black.
  EXPECT_EQ(surface.GetPixel(0, 50), 0x008000u);
  EXPECT_EQ(surface.GetPixel(1, 50), 0u);
  // Sampling on demand before any history exists allocates what it needs instead of failing.
  const SystemLevels l = monitor.GetCurrentSystemLevels();
  EXPECT_EQ(l.MemoryLoadPercent, 40);
  EXPECT_EQ(monitor.History().size(), 441u);
  EXPECT_TRUE(figures.messages.empty());  // the NT route was taken, not the registry counter
}

TEST_F(MainMonitor, SaveWritesEveryKeyInOrderAndLeavesOutDefaults) {
  LoadMain();
  PropertyBag saved;
  monitor.Save(saved);
  std::vector<std::string> keys;
  for (const auto& [k, v] : saved.Entries()) keys.push_back(k);
  EXPECT_EQ(keys, (std::vector<std::string>{"BackColor", "BorderStyle", "CPUMonitorColor", "DisplayGridColor",
                                            "UpdateInterval", "HDDriveLetter"}));

  // With every value off its default, all twenty keys come out in the stated order.
  monitor.SetAppearance(0);
  monitor.Set<bool>("CPUMonitorDisplayed", false);
  monitor.Set<bool>("PageFileDisplayed", false);
  monitor.Set<bool>("VirtualMemoryDisplayed", false);
  monitor.Set<bool>("MemoryLoadDisplayed", false);
  monitor.Set<OleColor>("MemoryColor", 1);
  monitor.Set<OleColor>("PageFileColor", 2);
  monitor.Set<OleColor>("VirtualMemoryColor", 3);
  monitor.SetEnabled(false);
  monitor.Set<bool>("DisplayGrid", false);
  monitor.Set<bool>("ScrollGrid", false);
  monitor.Set<std::int32_t>("DiagramStyle", 2);
  monitor.Set<bool>("HDMonitorDisplayed", false);
  monitor.Set<OleColor>("HDMonitorColor", 4);
  PropertyBag all;
  monitor.Save(all);
  keys.clear();
  for (const auto& [k, v] : all.Entries()) keys.push_back(k);
  EXPECT_EQ(keys, (std::vector<std::string>{
                      "BackColor", "Appearance", "BorderStyle", "CPUMonitorDisplayed", "PageFileDisplayed",
                      "VirtualMemoryDisplayed", "CPUMonitorColor", "MemoryLoadDisplayed", "MemoryColor",
                      "PageFileColor", "VirtualMemoryColor", "Enabled", "DisplayGrid", "DisplayGridColor",
                      "UpdateInterval", "ScrollGrid", "DiagramStyle", "HDMonitorDisplayed", "HDMonitorColor",
                      "HDDriveLetter"}));

  // The saved set restores the same state in a second control.
  FakeControlHost host2;
  host2.bounds = host.bounds;
  RasterSurface surface2(441, 89);
  SystemMonitor copy(host2, surface2, figures, colors, cpuState);
  copy.Load(all);
  PropertyBag again;
  copy.Save(again);
  EXPECT_EQ(again.Entries(), all.Entries());
  EXPECT_FALSE(host2.windowEnabled);
}

TEST_F(MainMonitor, SettersNotifyUnderTheirKeysAndRedrawAsDescribed) {
  LoadMain();
  const int presents = surface.PresentCount();
  monitor.Set<OleColor>("MemoryColor", 0x123456);
  monitor.Set<OleColor>("HDMonitorColor", 0x654321);  // no redraw
  monitor.SetUpdateInterval(250);       // no redraw, timer re-armed
  monitor.SetHDDriveLetter(L"d:");      // no redraw
  monitor.Set<bool>("ScrollGrid", false);
  EXPECT_EQ(host.changedKeys,
            (std::vector<std::string>{"MemoryColor", "HDMonitorColor", "UpdateInterval", "HDDriveLetter", "ScrollGrid"}));
  EXPECT_EQ(surface.PresentCount(), presents + 2);
  EXPECT_EQ(host.runningTimers.at(SystemMonitor::kTimerId), 250u);
  monitor.SetUpdateInterval(0);
  EXPECT_FALSE(host.TimerRunning(SystemMonitor::kTimerId));
  EXPECT_THROW(monitor.SetUpdateInterval(-1), ControlError);
  try {
    monitor.SetBorderStyle(2);
    FAIL() << "border style 2 accepted";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), 380);
  }
  EXPECT_EQ(monitor.BorderStyle(), 0);
}

struct DriveCase {
  const wchar_t* input;
  const wchar_t* stored;
  bool notified;
};

class DriveLetter : public ::testing::TestWithParam<DriveCase> {};

TEST_P(DriveLetter, IsNormalisedToARootPath) {
  FakeControlHost host;
  RasterSurface surface(50, 20);
  FakeSystemFigures figures;
  FixedColors colors;
  CpuSamplerState state;
  SystemMonitor m(host, surface, figures, colors, state);
  m.Load(SystemMonitorStateProperties());
  m.SetHDDriveLetter(GetParam().input);
  EXPECT_EQ(m.HDDriveLetter(), GetParam().stored);
  EXPECT_EQ(host.changedKeys.size(), GetParam().notified ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, DriveLetter,
                         ::testing::Values(DriveCase{L"e", L"e", true}, DriveCase{L"e:", L"E:\\", true},
                                           DriveCase{L"d:", L"D:\\", true}, DriveCase{L"data", L"D:\\", true},
                                           DriveCase{L"", L"C:\\", false}));

TEST_F(MainMonitor, TickShiftsHistorySamplesRedrawsThenRaisesTheEvent) {
  LoadMain();
  OnlyCpu();
  figures.memory.memoryLoad = 10;
  TickWithLoad(100);
  EXPECT_EQ(monitor.LastEmptyColumn(), 439);
  EXPECT_EQ(monitor.GridOffset(), -1);
  EXPECT_EQ(surface.CountColor(kCpu), 0);  // one sample: no line yet
  ASSERT_EQ(events.updates.size(), 1u);
  EXPECT_EQ(events.presentsAtEvent, surface.PresentCount());  // raised after the redraw
  EXPECT_EQ(events.updates[0].CPULoadPercent, 100);
  EXPECT_EQ(events.updates[0].MemoryLoadPercent, 10);
  EXPECT_EQ(events.updates[0].PageFileTotal, 1000);
  EXPECT_FLOAT_EQ(events.updates[0].PageFileAvailablePercent, 75.0f);
  EXPECT_EQ(events.updates[0].HDTotalBytesUsed, 80);
  EXPECT_FLOAT_EQ(events.updates[0].HDAvailablePercent, 20.0f);
  EXPECT_EQ(figures.drives.back(), L"C:\\");

  figures.memory.memoryLoad = 20;
  TickWithLoad(100);
  EXPECT_EQ(monitor.LastEmptyColumn(), 438);
  EXPECT_FLOAT_EQ(monitor.History()[439].MemoryLoadPercent, 10.0f);
  EXPECT_FLOAT_EQ(monitor.History()[440].MemoryLoadPercent, 20.0f);
  // One segment from column 439 to 440 at 100 %: its end point is not painted.
  EXPECT_EQ(ColumnsOf(0, kCpu), std::vector<int>{439});
  EXPECT_EQ(surface.CountColor(kCpu), 1);

  // Disabled: ticks do nothing at all.
  monitor.SetEnabled(false);
  const int memoryCalls = figures.calls["QueryMemoryStatus"];
  monitor.OnTimer(SystemMonitor::kTimerId);
  EXPECT_EQ(figures.calls["QueryMemoryStatus"], memoryCalls);
  EXPECT_EQ(monitor.GridOffset(), -2);
  EXPECT_EQ(events.updates.size(), 2u);
  monitor.OnTimer(99);  // another timer's tick is not ours
  EXPECT_EQ(events.updates.size(), 2u);
}

// A reader hears the figures of the newest sample, whichever way it was taken.
TEST_F(MainMonitor, DescriptionFollowsTheNewestSample) {
  LoadMain();
  EXPECT_EQ(monitor.Describe()->self.name, L"計測中");
  figures.memory.memoryLoad = 43;
  TickWithLoad(12);
  EXPECT_EQ(monitor.Describe()->self.value,
            L"CPU 12%、メモリ 43%、ページファイル 75%、仮想メモリ 25%、ディスク空き 20%");
  figures.memory.memoryLoad = 44;
  monitor.GetCurrentSystemLevels();
  EXPECT_NE(monitor.Describe()->self.name.find(L"メモリ 44%"), std::wstring::npos);
}

// A whole rig: the fixture, for tests that run two monitors side by side.
struct MonitorRig : MainMonitor {
  void TestBody() override {}
  using MainMonitor::events;
  using MainMonitor::host;
  using MainMonitor::LoadMain;
  using MainMonitor::monitor;
  using MainMonitor::surface;
  using MainMonitor::TickWithLoad;
};

TEST(MonitorUnseen, TicksDrawNothingAndThePaintThatShowsItAgainDrawsWhatASeenOneShows) {
  using testing::Pixels;
  MonitorRig seen;
  MonitorRig hidden;
  for (MonitorRig* rig : {&seen, &hidden}) rig->LoadMain();
  // Past the grid's wrap (every 440 ticks at this width), ending away from it.
  for (int i = 0; i < 520; ++i) {
    if (i == 30) {
      hidden.host.seen = false;
      const std::vector<Rgb> before = Pixels(hidden.surface);
      const int presents = hidden.surface.PresentCount();
      hidden.TickWithLoad(77);
      seen.TickWithLoad(77);
      EXPECT_EQ(hidden.surface.PresentCount(), presents);
      EXPECT_EQ(Pixels(hidden.surface), before);
      continue;
    }
    for (MonitorRig* rig : {&seen, &hidden}) rig->TickWithLoad((i * 37) % 101);
  }
  EXPECT_EQ(hidden.events.updates, seen.events.updates);  // the samples and events go on unseen
  EXPECT_EQ(hidden.monitor.GridOffset(), seen.monitor.GridOffset());

  hidden.host.seen = true;
  hidden.monitor.OnPaint();
  EXPECT_EQ(Pixels(hidden.surface), Pixels(seen.surface));
  const int presents = hidden.surface.PresentCount();
  hidden.monitor.OnPaint();  // an ordinary paint shows the kept image
  EXPECT_EQ(hidden.surface.PresentCount(), presents);
}

TEST_F(MainMonitor, LastEmptyColumnStopsAtZero) {
  LoadMain();
  for (int i = 0; i < 445; ++i) TickWithLoad(50);
  EXPECT_EQ(monitor.LastEmptyColumn(), 0);
  EXPECT_EQ(events.updates.size(), 445u);
}

TEST_F(MainMonitor, GridOnTheMainInstance) {
  LoadMain();
  monitor.Redraw();
  // Vertical lines every 40 px from 0, the right edge from the outline; a row between grid rows.
  std::vector<int> expected;
  for (int x = 0; x <= 440; x += 40) expected.push_back(x);
  EXPECT_EQ(ColumnsOf(50, kGrid), expected);
  // Horizontal lines at 0, 15, ..., 75 and the outline's bottom row.
  EXPECT_EQ(RowsOf(20, kGrid), (std::vector<int>{0, 15, 30, 45, 60, 75, 88}));

  // Scrolling: one tick moves the vertical lines one pixel left.
  OnlyCpu();
  monitor.Set<bool>("CPUMonitorDisplayed", false);
  TickWithLoad(0);
  std::vector<int> shifted{0};
  for (int x = 39; x < 440; x += 40) shifted.push_back(x);
  shifted.push_back(440);
  EXPECT_EQ(ColumnsOf(50, kGrid), shifted);

  // After 440 ticks the offset is back at 0 and the pattern matches the start: no jump.
  for (int i = 1; i < 439; ++i) TickWithLoad(0);
  EXPECT_EQ(monitor.GridOffset(), -439);
  TickWithLoad(0);
  EXPECT_EQ(monitor.GridOffset(), 0);
  EXPECT_EQ(ColumnsOf(50, kGrid), expected);

  // Reset returns false and brings the lines back to 0, 40, 80, ...
  TickWithLoad(0);
  TickWithLoad(0);
  EXPECT_FALSE(monitor.Reset());
  EXPECT_EQ(monitor.GridOffset(), 0);
  EXPECT_EQ(ColumnsOf(50, kGrid), expected);

  // Without scrolling the offset still falls and is set back, but the lines stay put.
  monitor.Set<bool>("ScrollGrid", false);
  TickWithLoad(0);
  EXPECT_EQ(monitor.GridOffset(), -1);
  EXPECT_EQ(ColumnsOf(50, kGrid), expected);

  // Without the grid the offset keeps falling and is never set back.
  monitor.Set<bool>("DisplayGrid", false);
  for (int i = 0; i < 500; ++i) TickWithLoad(0);
  EXPECT_EQ(monitor.GridOffset(), -501);
  EXPECT_EQ(surface.CountColor(kGrid), 0);
  // Turned on again, it draws the lines of that offset and then sets it back.
  monitor.Set<bool>("ScrollGrid", true);
  EXPECT_EQ(surface.CountColor(kGrid), 0);
  monitor.Set<bool>("DisplayGrid", true);
  std::vector<int> far{0};
  for (int x = 19; x < 440; x += 40) far.push_back(x);  // -501 + 13 * 40 = 19
  far.push_back(440);
  EXPECT_EQ(ColumnsOf(50, kGrid), far);
  EXPECT_EQ(monitor.GridOffset(), 0);
}

TEST_F(MainMonitor, CurveHeightsRoundHalvesToEven) {
  LoadMain();
  OnlyCpu();
  monitor.Set<bool>("DisplayGrid", false);
  TickWithLoad(100);
  TickWithLoad(100);
  TickWithLoad(50);
  TickWithLoad(50);
  // Segments: 438->439 at 100 %, 439->440 from 50 % (y 44) to 50 %.
  EXPECT_EQ(ColumnsOf(0, kCpu), (std::vector<int>{437, 438}));
  // The step from y 0 to y 44 runs down columns 438 and 439, each row once, and the flat 50 %
  // segment that follows is on row 44.
  EXPECT_EQ(RowsOf(438, kCpu).front(), 0);
  EXPECT_EQ(RowsOf(439, kCpu).back(), 44);
  EXPECT_EQ(RowsOf(438, kCpu).size() + RowsOf(439, kCpu).size(), 45u);
  EXPECT_EQ(RowsOf(438, kCpu).back() + 1, RowsOf(439, kCpu).front());
  EXPECT_EQ(surface.GetPixel(440, 44), kBack);  // the newest point is the end of the last segment

  // A failed processor sample (-1) plots just below the bottom edge: y = round(89.89) = 90.
  figures.idleStatus = 1;
  monitor.OnTimer(SystemMonitor::kTimerId);
  EXPECT_FLOAT_EQ(monitor.History()[440].CPULoadPercent, -1.0f);
  EXPECT_EQ(events.updates.back().CPULoadPercent, -1);
}

TEST_F(MainMonitor, PointsBarsAndUnknownStyles) {
  LoadMain();
  OnlyCpu();
  monitor.Set<bool>("DisplayGrid", false);
  TickWithLoad(100);
  TickWithLoad(50);
  TickWithLoad(0);  // columns 438, 439, 440 hold 100, 50, 0
  monitor.Set<std::int32_t>("DiagramStyle", SystemMonitor::kPoints);
  // Each point one column right of its sample; the newest sample (0 %) has none.
  EXPECT_EQ(RowsOf(439, kCpu), std::vector<int>{0});
  EXPECT_EQ(RowsOf(440, kCpu), std::vector<int>{44});
  EXPECT_EQ(surface.CountColor(kCpu), 2);

  monitor.Set<std::int32_t>("DiagramStyle", SystemMonitor::kBars);
  EXPECT_EQ(RowsOf(438, kCpu).size(), 89u);       // 100 %: the whole height
  EXPECT_EQ(RowsOf(439, kCpu).front(), 44);       // 50 %: from 44 down
  EXPECT_EQ(RowsOf(439, kCpu).size(), 45u);
  EXPECT_TRUE(RowsOf(440, kCpu).empty());         // the newest sample has no bar
  EXPECT_EQ(surface.CountColor(kCpu), 89 + 45);

  monitor.Set<std::int32_t>("DiagramStyle", 3);
  EXPECT_EQ(surface.CountColor(kCpu), 0);
  EXPECT_EQ(surface.CountColor(kBack), 441 * 89);
}

TEST_F(MainMonitor, AllCurvesInTheirOrderAndColours) {
  LoadMain();
  monitor.Set<bool>("DisplayGrid", false);
  figures.memory = MemoryStatus{100, 1000, 0, 1000, 0, 1000, 0};  // every memory curve at 100 %
  figures.diskTotal = 100;
  figures.diskFreeToCaller = 100;  // disk 100 % free
  TickWithLoad(100);
  TickWithLoad(100);
  // All five share row 0 at column 439; the disk curve is drawn last and wins.
  EXPECT_EQ(surface.GetPixel(439, 0), 0xFF80FFu);
  monitor.Set<bool>("HDMonitorDisplayed", false);
  EXPECT_EQ(surface.GetPixel(439, 0), 0xFF0000u);  // then virtual memory
  monitor.Set<bool>("VirtualMemoryDisplayed", false);
  EXPECT_EQ(surface.GetPixel(439, 0), 0x0000FFu);  // then page file
  monitor.Set<bool>("PageFileDisplayed", false);
  EXPECT_EQ(surface.GetPixel(439, 0), 0x00FFFFu);  // then memory load
  monitor.Set<bool>("MemoryLoadDisplayed", false);
  EXPECT_EQ(surface.GetPixel(439, 0), kCpu);
  monitor.Set<OleColor>("CPUMonitorColor", 0x8000000F);  // a system colour is resolved before drawing
  EXPECT_EQ(surface.GetPixel(439, 0), 0x0F0F0Fu);
}

TEST_F(MainMonitor, GetCurrentSystemLevelsSamplesWithoutRedrawOrEvent) {
  LoadMain();
  monitor.SetEnabled(false);
  const int presents = surface.PresentCount();
  figures.memory.memoryLoad = 77;
  clock = 10'000'000;
  idle = 3'000'000;
  figures.systemTimes = {clock};
  figures.idleTimes = {idle};
  const SystemLevels l = monitor.GetCurrentSystemLevels();
  EXPECT_EQ(l.CPULoadPercent, 70);
  EXPECT_EQ(l.MemoryLoadPercent, 77);
  EXPECT_EQ(l.PhysicalMemoryTotal, 1000);
  EXPECT_EQ(l.HDTotalBytes, 100);
  EXPECT_EQ(surface.PresentCount(), presents);
  EXPECT_TRUE(events.updates.empty());
  EXPECT_EQ(monitor.GridOffset(), 0);
  EXPECT_EQ(monitor.LastEmptyColumn(), 439);
  EXPECT_FLOAT_EQ(monitor.History()[440].MemoryLoadPercent, 77.0f);

  // The sixteen-argument form takes a sample of its own and hands out the same fields.
  figures.memory = MemoryStatus{12, 3'000'000'000LL, 1'000'000'000LL, 4000, 1000, 8000, 2000};
  figures.diskTotal = 500;
  figures.diskFreeToCaller = 125;
  figures.diskTotalFree = 150;
  std::int32_t cpu = 0, mem = 0;
  std::int64_t pt = 0, pa = 0, ft = 0, fa = 0, vt = 0, va = 0, ht = 0, hf = 0, ha = 0, hu = 0;
  float pp = 0, fp = 0, vp = 0, hp = 0;
  monitor.GetCurrentSystemLevels(cpu, mem, pt, pa, pp, ft, fa, fp, vt, va, vp, ht, hf, ha, hu, hp);
  EXPECT_EQ(mem, 12);
  EXPECT_EQ(pt, 3'000'000'000LL);  // above 2^31, not wrapped
  EXPECT_EQ(pa, 1'000'000'000LL);
  EXPECT_NEAR(pp, 66.6667f, 1e-3f);
  EXPECT_EQ(ft, 4000);
  EXPECT_EQ(fa, 1000);
  EXPECT_FLOAT_EQ(fp, 75.0f);
  EXPECT_EQ(vt, 8000);
  EXPECT_EQ(va, 2000);
  EXPECT_FLOAT_EQ(vp, 75.0f);
  EXPECT_EQ(ht, 500);
  EXPECT_EQ(hf, 150);
  EXPECT_EQ(ha, 125);
  EXPECT_EQ(hu, 375);
  EXPECT_FLOAT_EQ(hp, 25.0f);
  EXPECT_EQ(monitor.LastEmptyColumn(), 438);
}

TEST_F(MainMonitor, SurfaceWiderThanTheHistoryGrowsItAtTheLeft) {
  LoadMain();
  OnlyCpu();
  TickWithLoad(100);
  TickWithLoad(100);
  surface.Resize(600, 89);
  monitor.OnResize(600, 89);
  EXPECT_EQ(monitor.History().size(), 600u);
  EXPECT_EQ(monitor.LastEmptyColumn(), 438 + 159);  // the new columns count as empty
  EXPECT_EQ(ColumnsOf(0, kCpu), std::vector<int>{598});  // the newest sample is at the right edge
  TickWithLoad(100);
  EXPECT_EQ(monitor.LastEmptyColumn(), 596);
  // Three samples in columns 597 to 599: two segments.
  EXPECT_EQ(ColumnsOf(0, kCpu), (std::vector<int>{597, 598}));
  // A GetCurrentSystemLevels after a resize the control was not told about is safe too.
  surface.Resize(700, 89);
  monitor.GetCurrentSystemLevels();
  EXPECT_EQ(monitor.History().size(), 700u);
  // Narrower again: the history stays, the sample goes to the new last column.
  surface.Resize(300, 89);
  monitor.OnResize(300, 89);
  TickWithLoad(100);
  EXPECT_EQ(monitor.History().size(), 700u);
}

TEST_F(MainMonitor, TinySurfacesDrawWithoutHanging) {
  LoadMain();
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{5, 3}, {1, 1}, {0, 0}, {6, 89}, {441, 2}}) {
    surface.Resize(w, h);
    monitor.OnResize(w, h);
    TickWithLoad(50);
    if (w >= 1 && h >= 1) {
      EXPECT_EQ(surface.GetPixel(0, 0), kGrid) << w << "x" << h;
    }
  }
  // 5 x 3: no step fits, so only the outline is drawn.
  surface.Resize(5, 3);
  monitor.Set<bool>("CPUMonitorDisplayed", false);
  monitor.Set<bool>("MemoryLoadDisplayed", false);
  monitor.Set<bool>("PageFileDisplayed", false);
  monitor.Set<bool>("VirtualMemoryDisplayed", false);
  monitor.Set<bool>("HDMonitorDisplayed", false);
  EXPECT_EQ(surface.CountColor(kGrid), 12);
  EXPECT_EQ(surface.GetPixel(2, 1), kBack);
}

TEST_F(MainMonitor, DoubleClickAndDestructionReachTheirTargets) {
  figures.ntPlatform = false;
  LoadMain();
  monitor.OnDblClick();
  EXPECT_EQ(events.dblClicks, 1);
  monitor.OnDestroy();
  EXPECT_FALSE(host.TimerRunning(SystemMonitor::kTimerId));
  EXPECT_EQ(figures.closed.back(), "PerfStats\\StopStat");
  EXPECT_TRUE(figures.openKeys.empty());
}

struct SizeCase {
  double value;
  const wchar_t* text;
};

class FileSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FileSize, UsesTheUnitOfItsRange) {
  FakeControlHost host;
  RasterSurface surface(10, 10);
  FakeSystemFigures figures;
  FixedColors colors;
  CpuSamplerState state;
  SystemMonitor m(host, surface, figures, colors, state);
  EXPECT_EQ(m.FormatFilesize(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileSize,
    ::testing::Values(SizeCase{0, L"0 B"}, SizeCase{1024, L"1,024 B"}, SizeCase{1025, L"1 K"},
                      SizeCase{1536, L"2 K"},              // 1.5 -> 2
                      SizeCase{2560, L"2 K"},              // 2.5 -> 2 (halves to even)
                      SizeCase{1048575, L"1,024 K"},       // just below a megabyte
                      SizeCase{1048576, L"1.00 MB"},       // exactly one megabyte
                      SizeCase{1500000, L"1.43 MB"}, SizeCase{5242880, L"5.00 MB"},
                      SizeCase{1073741823, L"1,024.00 MB"}, SizeCase{3221225472.0, L"3.00 GB"},
                      SizeCase{1099511627776.0 * 2, L"2,048.00 GB"}, SizeCase{-5, L"-5 B"},
                      SizeCase{-HUGE_VAL, L""}, SizeCase{std::nan(""), L""}));  // not byte counts

TEST(FileSizeBeyond64Bits, IsGroupedWithoutOverflow) {
  FakeControlHost host;
  RasterSurface surface(10, 10);
  FakeSystemFigures figures;
  FixedColors colors;
  CpuSamplerState state;
  SystemMonitor m(host, surface, figures, colors, state);
  const std::wstring text = m.FormatFilesize(1e30);  // 9.3e20 GB: more digits than 64 bits hold
  EXPECT_EQ(text.substr(0, 20), L"931,322,574,615,478,");
  EXPECT_EQ(text.size(), 27u + 3u + 3u);  // 21 digits, 6 separators, ".dd", " GB"
  EXPECT_EQ(text.substr(text.size() - 3), L" GB");
  EXPECT_EQ(m.FormatFilesize(-1e30).substr(0, 5), L"-1,00");
}

TEST(SystemMonitorSnapshot, WritesTheMainInstanceAsPng) {
  FakeControlHost host;
  host.bounds = Rect{0, 0, 441, 89};
  RasterSurface surface(441, 89);
  FakeSystemFigures figures;
  FixedColors colors;
  CpuSamplerState state;
  SystemMonitor m(host, surface, figures, colors, state);
  m.Load(SystemMonitorStateProperties());
  figures.diskTotal = 1000;
  std::int64_t clock = 0;
  std::int64_t idle = 0;
  for (int i = 0; i < 300; ++i) {
    const int load = 30 + (i * 7) % 50;
    clock += 10'000'000;
    idle += (100 - load) * 100'000;
    figures.systemTimes = {clock};
    figures.idleTimes = {idle};
    figures.memory = MemoryStatus{static_cast<std::uint32_t>(55 + i / 30), 1000, 400 - i / 2, 1000, 700, 1000, 900};
    figures.diskFreeToCaller = 350;
    m.OnTimer(SystemMonitor::kTimerId);
  }
  ASSERT_TRUE(surface.WritePng(testing::ArtifactPath("system_monitor_main.png")));
  EXPECT_GT(surface.CountColor(kCpu), 250);
  EXPECT_GT(surface.CountColor(0xFF80FF), 250);  // the disk curve at 35 % free
}

}  // namespace
}  // namespace kestrune::monitor

namespace kestrune::monitor {
namespace {

// Monitors built without a state of their own share the process-wide baseline: a sample by one moves
// the interval measured by the next sample of the other.
TEST(SharedCpuBaseline, EverySampleMovesTheBaselineOfAllMonitors) {
  resource_sampling::SharedCpuSamplerState() = CpuSamplerState{};
  testing::FakeControlHost hostA;
  testing::FakeControlHost hostB;
  RasterSurface surfaceA(50, 20);
  RasterSurface surfaceB(50, 20);
  testing::FakeSystemFigures figures;
  FixedColors colors;
  SystemMonitor a(hostA, surfaceA, figures, colors);
  SystemMonitor b(hostB, surfaceB, figures, colors);
  figures.systemTimes = {0};
  figures.idleTimes = {0};
  a.Load(SystemMonitorStateProperties());
  b.Load(SystemMonitorStateProperties());
  figures.systemTimes = {10'000'000};
  figures.idleTimes = {10'000'000};  // idle throughout the first interval
  EXPECT_EQ(a.GetCurrentSystemLevels().CPULoadPercent, 0);
  figures.systemTimes = {20'000'000};
  figures.idleTimes = {10'000'000};  // busy throughout the second
  EXPECT_EQ(b.GetCurrentSystemLevels().CPULoadPercent, 100);  // covers only the time since a's sample
  EXPECT_EQ(resource_sampling::SharedCpuSamplerState().previousSystemTime, 20'000'000);
  resource_sampling::SharedCpuSamplerState() = CpuSamplerState{};
}

}  // namespace
}  // namespace kestrune::monitor
