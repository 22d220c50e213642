#include "controls/monitor/system_monitor.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwctype>

#include "platform/control_error.h"
#include "platform/rounding.h"

namespace kestrune {


namespace {

// Digits of a non-negative whole number (held in a double, so any size) with a thousands separator
// every three digits.
std::wstring Grouped(double whole, wchar_t separator) {
  char digits[400] = {};
  std::snprintf(digits, sizeof(digits), "%.0f", whole);
  std::wstring out;
  const std::size_t n = std::strlen(digits);
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(static_cast<wchar_t>(digits[i]));
    const std::size_t left = n - 1 - i;
    if (left > 0 && left % 3 == 0) out.push_back(separator);
  }
  return out;
}

}  // namespace

std::span<const PersistedProperty<SystemMonitor>> SystemMonitor::Properties() {
  using P = PersistedProperty<SystemMonitor>;
  static constexpr P kTable[] = {
      {"BackColor", &SystemMonitor::backColor_, OleColor{0}},
      {"Appearance", &SystemMonitor::appearance_, std::int32_t{1}},
      {"BorderStyle", &SystemMonitor::borderStyle_, std::int32_t{1}},
      {"CPUMonitorDisplayed", &SystemMonitor::cpuDisplayed_, true},
      {"PageFileDisplayed", &SystemMonitor::pageFileDisplayed_, true},
      {"VirtualMemoryDisplayed", &SystemMonitor::virtualDisplayed_, true},
      {"CPUMonitorColor", &SystemMonitor::cpuColor_, OleColor{0x00FF00}},
      {"MemoryLoadDisplayed", &SystemMonitor::memoryDisplayed_, true},
      {"MemoryColor", &SystemMonitor::memoryColor_, OleColor{0x00FFFF}},
      {"PageFileColor", &SystemMonitor::pageFileColor_, OleColor{0x0000FF}},
      {"VirtualMemoryColor", &SystemMonitor::virtualColor_, OleColor{0xFF0000}},
      {"Enabled", &SystemMonitor::enabled_, true},
      {"DisplayGrid", &SystemMonitor::displayGrid_, true},
      {"DisplayGridColor", &SystemMonitor::gridColor_, OleColor{0x008000}},
      {"UpdateInterval", &SystemMonitor::updateInterval_, std::int32_t{1000}},
      {"ScrollGrid", &SystemMonitor::scrollGrid_, true},
      {"DiagramStyle", &SystemMonitor::diagramStyle_, std::int32_t{kLines}},
      {"HDMonitorDisplayed", &SystemMonitor::hdDisplayed_, true},
      {"HDMonitorColor", &SystemMonitor::hdColor_, OleColor{0xFF80FF}},
      // Taken as stored, without the normalisation of the setter.
      {"HDDriveLetter", &SystemMonitor::drive_, L""},
  };
  return kTable;
}

SystemMonitor::SystemMonitor(ControlHost& host, Surface& surface, SystemFigures& figures, const SystemColors& colors,
                             CpuSamplerState& cpuState)
    : host_(host), surface_(surface), figures_(figures), colors_(colors), cpuState_(cpuState) {
  ResetProperties(Properties(), *this);
}

Rgb SystemMonitor::Resolve(OleColor color) const {
  if (IsSystemColor(color)) return colors_.Get(SystemColorIndex(color)) & 0x00FFFFFFu;
  return color & 0x00FFFFFFu;
}

// ---- persistence -------------------------------------------------------------------------------

void SystemMonitor::InitNew() {
  ResetProperties(Properties(), *this);
  drive_ = resource_sampling::QueryWindowsDirectory(figures_).substr(0, 3);
  // Known now so that an on-demand sample of a newly placed control takes the right route.
  platformIsNt_ = resource_sampling::IsNtPlatform(figures_);
  host_.SetWindowBorder(borderStyle_, appearance_);
  Redraw();
}

void SystemMonitor::Load(const PropertyBag& bag) {
  LoadProperties(Properties(), bag, *this);
  // 1. The timer runs only in run mode (an interval of 0 or less runs no timer).
  if (host_.UserMode() && updateInterval_ > 0) host_.StartTimer(kTimerId, static_cast<unsigned>(updateInterval_));
  // 2. One sample per pixel column of the outer width, plus one.
  history_.assign(static_cast<std::size_t>(std::max(0, host_.Bounds().Width())) + 1, SystemLevelSample{});
  // 3. The processor-load baseline.
  platformIsNt_ = resource_sampling::IsNtPlatform(figures_);
  resource_sampling::StartCpuSampler(figures_, cpuState_, platformIsNt_);
  // 4. Every column is empty until the first samples arrive.
  lastEmptyColumn_ = surface_.ScaleWidth() - 1;
  lastSampleColumn_ = lastEmptyColumn_;
  // 5. The window's own looks, after the measurements above (a border shrinks the inner size).
  host_.SetWindowBorder(borderStyle_, appearance_);
  host_.SetWindowEnabled(enabled_);
  surface_.Clear(Resolve(backColor_));
  surface_.Present();
}

void SystemMonitor::Save(PropertyBag& bag) { SaveProperties(Properties(), *this, bag); }

// ---- properties --------------------------------------------------------------------------------

void SystemMonitor::Changed(const char* key, bool redraw) {
  if (redraw) Redraw();
  host_.PropertyChanged(key);
}

void SystemMonitor::SetAppearance(std::int32_t value) {
  if (value != 0 && value != 1) throw MakeControlError(errnum::kInvalidPropertyValue, "SystemMonitor.Appearance");
  appearance_ = value;
  host_.SetWindowBorder(borderStyle_, appearance_);
  Changed("Appearance", true);
}

void SystemMonitor::SetBackColor(OleColor value) {
  backColor_ = value;
  Changed("BackColor", true);
}

void SystemMonitor::SetBorderStyle(std::int32_t value) {
  if (value != 0 && value != 1) throw MakeControlError(errnum::kInvalidPropertyValue, "SystemMonitor.BorderStyle");
  borderStyle_ = value;
  host_.SetWindowBorder(borderStyle_, appearance_);
  Changed("BorderStyle", true);
}

void SystemMonitor::SetCPUMonitorColor(OleColor value) {
  cpuColor_ = value;
  Changed("CPUMonitorColor", true);
}

void SystemMonitor::SetCPUMonitorDisplayed(bool value) {
  cpuDisplayed_ = value;
  Changed("CPUMonitorDisplayed", true);
}

void SystemMonitor::SetDiagramStyle(std::int32_t value) {
  diagramStyle_ = value;
  Changed("DiagramStyle", true);
}

void SystemMonitor::SetDisplayGrid(bool value) {
  displayGrid_ = value;
  Changed("DisplayGrid", true);
}

void SystemMonitor::SetDisplayGridColor(OleColor value) {
  gridColor_ = value;
  Changed("DisplayGridColor", true);
}

void SystemMonitor::SetEnabled(bool value) {
  enabled_ = value;
  host_.SetWindowEnabled(enabled_);
  Changed("Enabled", true);
}

void SystemMonitor::SetHDDriveLetter(const std::wstring& value) {
  if (value.empty()) return;
  if (value.size() >= 2)
    drive_ = std::wstring(1, static_cast<wchar_t>(std::towupper(static_cast<wint_t>(value[0])))) + L":\\";
  else
    drive_ = value;
  Changed("HDDriveLetter", false);
}

void SystemMonitor::SetHDMonitorColor(OleColor value) {
  hdColor_ = value;
  Changed("HDMonitorColor", false);
}

void SystemMonitor::SetHDMonitorDisplayed(bool value) {
  hdDisplayed_ = value;
  Changed("HDMonitorDisplayed", true);
}

void SystemMonitor::SetMemoryLoadColor(OleColor value) {
  memoryColor_ = value;
  Changed("MemoryColor", true);
}

void SystemMonitor::SetMemoryLoadDisplayed(bool value) {
  memoryDisplayed_ = value;
  Changed("MemoryLoadDisplayed", true);
}

void SystemMonitor::SetPageFileColor(OleColor value) {
  pageFileColor_ = value;
  Changed("PageFileColor", true);
}

void SystemMonitor::SetPageFileDisplayed(bool value) {
  pageFileDisplayed_ = value;
  Changed("PageFileDisplayed", true);
}

void SystemMonitor::SetScrollGrid(bool value) {
  scrollGrid_ = value;
  Changed("ScrollGrid", true);
}

void SystemMonitor::SetUpdateInterval(std::int32_t value) {
  if (value < 0) throw MakeControlError(errnum::kInvalidPropertyValue, "SystemMonitor.UpdateInterval");
  updateInterval_ = value;
  if (host_.UserMode()) {
    if (value > 0)
      host_.StartTimer(kTimerId, static_cast<unsigned>(value));
    else
      host_.StopTimer(kTimerId);
  }
  Changed("UpdateInterval", false);
}

void SystemMonitor::SetVirtualMemoryColor(OleColor value) {
  virtualColor_ = value;
  Changed("VirtualMemoryColor", true);
}

void SystemMonitor::SetVirtualMemoryDisplayed(bool value) {
  virtualDisplayed_ = value;
  Changed("VirtualMemoryDisplayed", true);
}

// ---- sampling ----------------------------------------------------------------------------------

void SystemMonitor::EnsureHistoryCovers() {
  const int width = std::max(1, surface_.ScaleWidth());
  if (static_cast<std::size_t>(width) <= history_.size()) return;
  const int newLast = width - 1;
  if (history_.empty()) {
    history_.assign(static_cast<std::size_t>(width), SystemLevelSample{});
    lastEmptyColumn_ = newLast;
    lastSampleColumn_ = newLast;
    return;
  }
  // Move the samples right so that the newest lands in the new last column; the columns that open up
  // on the left hold no sample.
  const int oldLast = std::min(lastSampleColumn_, static_cast<int>(history_.size()) - 1);
  const int shift = newLast - oldLast;
  std::vector<SystemLevelSample> grown(static_cast<std::size_t>(width));
  std::copy(history_.begin(), history_.begin() + oldLast + 1, grown.begin() + shift);
  history_ = std::move(grown);
  lastEmptyColumn_ = std::min(lastEmptyColumn_ + shift, newLast);
  lastSampleColumn_ = newLast;
}

void SystemMonitor::TakeSample() {
  EnsureHistoryCovers();
  const int w = std::max(0, surface_.ScaleWidth() - 1);
  lastSampleColumn_ = w;
  // The oldest sample at column 0 falls out; History[w] keeps the previous sample until overwritten.
  std::copy(history_.begin() + 1, history_.begin() + w + 1, history_.begin());
  if (lastEmptyColumn_ > 0) --lastEmptyColumn_;
  SystemLevelSample& s = history_[static_cast<std::size_t>(w)];
  resource_sampling::SampleMemory(figures_, s);
  resource_sampling::SampleDisk(figures_, drive_, s);
  s.CPULoadPercent = resource_sampling::SampleCpuLoad(figures_, cpuState_, platformIsNt_);
}

namespace {

SystemLevels LevelsOf(const SystemLevelSample& s) {
  SystemLevels l;
  l.CPULoadPercent = RoundEvenInt(static_cast<double>(s.CPULoadPercent));
  l.MemoryLoadPercent = RoundEvenInt(static_cast<double>(s.MemoryLoadPercent));
  l.PhysicalMemoryTotal = s.PhysicalMemoryTotal;
  l.PhysicalMemoryAvailable = s.PhysicalMemoryAvailable;
  l.PhysicalMemoryAvailablePercent = s.PhysicalMemoryAvailablePercent;
  l.PageFileTotal = s.PageFileTotal;
  l.PageFileAvailable = s.PageFileAvailable;
  l.PageFileAvailablePercent = s.PageFileAvailablePercent;
  l.VirtualMemoryTotal = s.VirtualMemoryTotal;
  l.VirtualMemoryAvailable = s.VirtualMemoryAvailable;
  l.VirtualMemoryAvailablePercent = s.VirtualMemoryAvailablePercent;
  l.HDTotalBytes = s.HDTotalBytes;
  l.HDTotalFreeBytes = s.HDTotalFreeBytes;
  l.HDAvailableFreeBytes = s.HDAvailableFreeBytes;
  l.HDTotalBytesUsed = s.HDTotalBytesUsed;
  l.HDAvailablePercent = s.HDAvailablePercent;
  return l;
}

}  // namespace

SystemLevels SystemMonitor::GetCurrentSystemLevels() {
  TakeSample();
  return LevelsOf(history_[static_cast<std::size_t>(std::max(0, surface_.ScaleWidth() - 1))]);
}

void SystemMonitor::GetCurrentSystemLevels(
    std::int32_t& CPULoadPercent, std::int32_t& MemoryLoadPercent, std::int64_t& PhysicalMemoryTotal,
    std::int64_t& PhysicalMemoryAvailable, float& PhysicalMemoryAvailablePercent, std::int64_t& PageFileTotal,
    std::int64_t& PageFileAvailable, float& PageFileAvailablePercent, std::int64_t& VirtualMemoryTotal,
    std::int64_t& VirtualMemoryAvailable, float& VirtualMemoryAvailablePercent, std::int64_t& HDTotalBytes,
    std::int64_t& HDTotalFreeBytes, std::int64_t& HDAvailableFreeBytes, std::int64_t& HDTotalBytesUsed,
    float& HDAvailablePercent) {
  const SystemLevels l = GetCurrentSystemLevels();
  CPULoadPercent = l.CPULoadPercent;
  MemoryLoadPercent = l.MemoryLoadPercent;
  PhysicalMemoryTotal = l.PhysicalMemoryTotal;
  PhysicalMemoryAvailable = l.PhysicalMemoryAvailable;
  PhysicalMemoryAvailablePercent = l.PhysicalMemoryAvailablePercent;
  PageFileTotal = l.PageFileTotal;
  PageFileAvailable = l.PageFileAvailable;
  PageFileAvailablePercent = l.PageFileAvailablePercent;
  VirtualMemoryTotal = l.VirtualMemoryTotal;
  VirtualMemoryAvailable = l.VirtualMemoryAvailable;
  VirtualMemoryAvailablePercent = l.VirtualMemoryAvailablePercent;
  HDTotalBytes = l.HDTotalBytes;
  HDTotalFreeBytes = l.HDTotalFreeBytes;
  HDAvailableFreeBytes = l.HDAvailableFreeBytes;
  HDTotalBytesUsed = l.HDTotalBytesUsed;
  HDAvailablePercent = l.HDAvailablePercent;
}

void SystemMonitor::OnTimer(int timerId) {
  if (timerId != kTimerId) return;
  if (!enabled_ || !host_.UserMode()) return;
  if (gridOffset_ > INT_MIN) --gridOffset_;
  TakeSample();
  Redraw();
  if (events_ != nullptr)
    events_->SystemLevelsUpdated(LevelsOf(history_[static_cast<std::size_t>(std::max(0, surface_.ScaleWidth() - 1))]));
}

// ---- drawing -----------------------------------------------------------------------------------

void SystemMonitor::Redraw() {
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

  if (gridOffset_ <= -(width - 1)) gridOffset_ = 0;
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

// ---- surface events and methods ----------------------------------------------------------------

void SystemMonitor::OnResize(int /*width*/, int /*height*/) {
  if (!history_.empty()) EnsureHistoryCovers();
  Redraw();
}

void SystemMonitor::OnDestroy() {
  host_.StopTimer(kTimerId);
  resource_sampling::StopCpuSampler(figures_, cpuState_, platformIsNt_);
}

void SystemMonitor::OnDblClick() {
  if (events_ != nullptr) events_->DblClick();
}

void SystemMonitor::Refresh() { surface_.Present(); }

bool SystemMonitor::Reset() {
  gridOffset_ = 0;
  Redraw();
  return false;
}

std::wstring SystemMonitor::FormatFilesize(double nValue) const {
  constexpr double kK = 1024.0;
  constexpr double kM = 1048576.0;
  constexpr double kG = 1073741824.0;
  if (!std::isfinite(nValue)) return {};  // not a byte count
  const bool negative = nValue < 0;
  auto whole = [&](double v, const wchar_t* unit) {
    const double n = std::nearbyint(std::fabs(v));
    return std::wstring(negative && n != 0 ? L"-" : L"") + Grouped(n, thousands_) + unit;
  };
  auto twoDecimals = [&](double v, const wchar_t* unit) {
    const double hundredths = std::nearbyint(std::fabs(v) * 100.0);
    const int cents = static_cast<int>(std::fmod(hundredths, 100.0));
    const std::wstring frac{static_cast<wchar_t>(L'0' + cents / 10), static_cast<wchar_t>(L'0' + cents % 10)};
    return std::wstring(negative && hundredths != 0 ? L"-" : L"") + Grouped(std::floor(hundredths / 100.0), thousands_) +
           decimal_ + frac + unit;
  };
  if (nValue <= kK) return whole(nValue, L" B");
  if (nValue < kM) return whole(nValue / kK, L" K");
  // Exactly 1,048,576 bytes is one megabyte and is shown as "1.00 MB".
  if (nValue < kG) return twoDecimals(nValue / kM, L" MB");
  return twoDecimals(nValue / kG, L" GB");
}

}  // namespace kestrune
