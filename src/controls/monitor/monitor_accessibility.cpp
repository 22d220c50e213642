#include "controls/monitor/monitor_accessibility.h"

#include "platform/rounding.h"

namespace kestrune::monitor {

namespace {

std::wstring Percent(float value) { return std::to_wstring(RoundEvenInt(static_cast<double>(value))) + L"%"; }

}  // namespace

std::wstring FiguresText(const std::optional<SystemLevelSample>& newest) {
  if (!newest) return L"計測中";
  const SystemLevelSample& s = *newest;
  // The page-file and virtual-memory fields hold the share in use, the disk field the share free.
  return L"CPU " + (s.CPULoadPercent < 0 ? std::wstring(L"不明") : Percent(s.CPULoadPercent)) + L"、メモリ " +
         Percent(s.MemoryLoadPercent) + L"、ページファイル " + Percent(s.PageFileAvailablePercent) + L"、仮想メモリ " +
         Percent(s.VirtualMemoryAvailablePercent) + L"、ディスク空き " + Percent(s.HDAvailablePercent);
}

AccessibleDescription DescribeMonitor(const std::optional<SystemLevelSample>& newest, bool enabled, int width,
                                      int height) {
  AccessibleDescription d;
  d.self.role = AccessibleRole::kGraphic;
  d.self.name = FiguresText(newest);
  d.self.value = d.self.name;
  d.self.state = accessible_state::kReadOnly | (enabled ? 0u : accessible_state::kUnavailable);
  d.self.location = Rect{0, 0, width, height};
  return d;
}

}  // namespace kestrune::monitor
