#include "controls/monitor/monitor_accessibility.h"

#include <gtest/gtest.h>

namespace kestrune::monitor {
namespace {

SystemLevelSample Sample(float cpu, float memory, float pageFile, float virtualMemory, float diskFree) {
  SystemLevelSample s;
  s.CPULoadPercent = cpu;
  s.MemoryLoadPercent = memory;
  s.PageFileAvailablePercent = pageFile;
  s.VirtualMemoryAvailablePercent = virtualMemory;
  s.HDAvailablePercent = diskFree;
  return s;
}

// The figures as read aloud: every one rounded to a whole percent, halves to the even neighbour.
TEST(MonitorFiguresText, ReadsTheNewestSampleInJapanese) {
  struct Case {
    std::optional<SystemLevelSample> sample;
    const wchar_t* text;
  } const cases[] = {
      {Sample(12, 43, 5, 1, 68), L"CPU 12%、メモリ 43%、ページファイル 5%、仮想メモリ 1%、ディスク空き 68%"},
      {Sample(12.5f, 43.5f, 0.4f, 99.6f, 100), L"CPU 12%、メモリ 44%、ページファイル 0%、仮想メモリ 100%、ディスク空き 100%"},
      {Sample(-1, 0, 0, 0, 0), L"CPU 不明、メモリ 0%、ページファイル 0%、仮想メモリ 0%、ディスク空き 0%"},
      {std::nullopt, L"計測中"},
  };
  for (const Case& c : cases) EXPECT_EQ(FiguresText(c.sample), c.text);
}

TEST(MonitorDescription, IsAReadOnlyGraphicWhoseNameAndValueAreTheFigures) {
  const AccessibleDescription d = DescribeMonitor(Sample(1, 2, 3, 4, 5), false, 441, 89);
  EXPECT_EQ(d.self.role, AccessibleRole::kGraphic);
  EXPECT_EQ(d.self.name, L"CPU 1%、メモリ 2%、ページファイル 3%、仮想メモリ 4%、ディスク空き 5%");
  EXPECT_EQ(d.self.value, d.self.name);
  EXPECT_EQ(d.self.state, accessible_state::kReadOnly | accessible_state::kUnavailable);
  EXPECT_EQ(d.self.location, (Rect{0, 0, 441, 89}));
  EXPECT_TRUE(d.self.defaultAction.empty());
  EXPECT_TRUE(d.children.empty());
}

}  // namespace
}  // namespace kestrune::monitor
