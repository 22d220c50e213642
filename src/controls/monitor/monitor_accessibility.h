#pragma once
// What a screen reader is told about the resource monitor: a graphic whose name and value read the
// newest figures. A graphic because the control is a picture of those figures, not text of the
// window: readers announce it as an image with its name, and a static text would be read out with
// the window's text each time the page is read, although it changes twice a second.
#include <optional>
#include <string>

#include "controls/monitor/resource_sampling.h"
#include "platform/accessible.h"

namespace kestrune::monitor {

// "CPU 12%、メモリ 43%、ページファイル 5%、仮想メモリ 1%、ディスク空き 68%" (rounded, halves to even);
// a failed processor sample reads "CPU 不明", no sample yet "計測中".
std::wstring FiguresText(const std::optional<SystemLevelSample>& newest);

AccessibleDescription DescribeMonitor(const std::optional<SystemLevelSample>& newest, bool enabled, int width,
                                      int height);

}  // namespace kestrune::monitor
