#include "controls/monitor/monitor_accessibility.h"

#include "platform/rounding.h"
#include "platform/texts.h"

namespace kestrune::monitor {

namespace {

std::wstring Percent(float value) { return std::to_wstring(RoundEvenInt(static_cast<double>(value))) + L"%"; }

}  // namespace

std::wstring FiguresText(const std::optional<SystemLevelSample>& newest) {
  if (!newest) return std::wstring(UiText(TextId::MonitorMeasuring));
  const SystemLevelSample& s = *newest;
  // The page-file and virtual-memory fields hold the share in use, the disk field the share free.
  const std::wstring cpu =
      s.CPULoadPercent < 0 ? std::wstring(UiText(TextId::MonitorUnknown)) : Percent(s.CPULoadPercent);
  return UiText(TextId::MonitorFigures,
                {cpu, Percent(s.MemoryLoadPercent), Percent(s.PageFileAvailablePercent),
                 Percent(s.VirtualMemoryAvailablePercent), Percent(s.HDAvailablePercent)});
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
