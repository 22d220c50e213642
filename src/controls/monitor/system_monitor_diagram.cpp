// The monitor's diagram: the background, the scrolling grid and the five curves over the history.
#include <algorithm>

#include "controls/monitor/system_monitor.h"
#include "platform/rounding.h"

namespace kestrune::monitor {

void SystemMonitor::Redraw() {
  stale_ = false;
  surface_.SetDrawMode(DrawMode::CopyPen);
  surface_.Clear(Resolve(backColor_));
  if (displayGrid_) DrawGrid();
  if (host_.UserMode()) {
    if (cpuDisplayed_) DrawCurve(&SystemLevelSample::CPULoadPercent, cpuColor_);
    if (memoryDisplayed_) DrawCurve(&SystemLevelSample::MemoryLoadPercent, memoryColor_);
    if (pageFileDisplayed_) DrawCurve(&SystemLevelSample::PageFileAvailablePercent, pageFileColor_);
    if (virtualDisplayed_) DrawCurve(&SystemLevelSample::VirtualMemoryAvailablePercent, virtualColor_);
    if (hdDisplayed_) DrawCurve(&SystemLevelSample::HDAvailablePercent, hdColor_);
  }
  surface_.Present();
}

void SystemMonitor::DrawGrid() {
  const int width = surface_.ScaleWidth();
  const int height = surface_.ScaleHeight();
  const Rgb color = Resolve(gridColor_);

  // A surface too small for a step (a step that rounds to 0) gets no stepped lines in that direction,
  // only the outline: stepping by 0 would never end.
  const int sx = RoundEvenInt((width - 1) / 11.0);
  const int lastX = width - 1;
  if (sx > 0) {
    int x = scrollGrid_ ? gridOffset_ : 0;
    // Lines left of the surface draw nothing; skip them without stepping through each.
    if (x < 0) x += static_cast<int>((-static_cast<long long>(x)) / sx) * sx;
    for (; x <= lastX; x += sx) surface_.Line(x, 0, x, height, color);
  }
  const int sy = RoundEvenInt((height - 1) / 6.0);
  const int lastY = height - 1;
  if (sy > 0)
    for (int y = 0; y <= lastY; y += sy) surface_.Line(0, y, width, y, color);

  surface_.FrameRect(Rect{0, 0, width, height}, color);
  WrapGridOffset();
}

void SystemMonitor::WrapGridOffset() {
  if (gridOffset_ <= -(surface_.ScaleWidth() - 1)) gridOffset_ = 0;
}

void SystemMonitor::DrawCurve(float SystemLevelSample::*field, OleColor color) {
  const int width = surface_.ScaleWidth();
  const int height = surface_.ScaleHeight();
  if (lastEmptyColumn_ > width - 1) return;
  const Rgb pen = Resolve(color);
  auto yOf = [&](float v) { return RoundEvenInt(height - static_cast<double>(v) / 100.0 * height); };
  // Columns past the history (a surface grown since the last sample) are not drawn.
  const int last = std::min(width - 2, static_cast<int>(history_.size()) - 2);
  for (int i = std::max(0, lastEmptyColumn_ + 1); i <= last; ++i) {
    const float v = history_[static_cast<std::size_t>(i)].*field;
    switch (diagramStyle_) {
      case kLines:
        surface_.Line(i, yOf(v), i + 1, yOf(history_[static_cast<std::size_t>(i) + 1].*field), pen);
        break;
      case kPoints:
        surface_.SetPixel(i + 1, yOf(v), pen);
        break;
      case kBars:
        surface_.Line(i, yOf(v), i, height, pen);
        break;
      default:
        return;
    }
  }
}

}  // namespace kestrune::monitor
