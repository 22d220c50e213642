#include "controls/monitor/system_monitor.h"

#include <algorithm>
#include <climits>
#include <cwctype>

#include "controls/monitor/file_size_text.h"
#include "controls/monitor/monitor_accessibility.h"
#include "platform/control_error.h"
#include "platform/rounding.h"

namespace kestrune::monitor {

std::span<const PersistedProperty<SystemMonitor>> SystemMonitor::Properties() {
  using P = PersistedProperty<SystemMonitor>;
  // Set through the generic Set unless marked: kOwn has a setter of its own, kStoreOnly draws nothing.
  constexpr auto kOwn = P::OnSet::kOwnSetter;
  constexpr auto kStoreOnly = P::OnSet::kStoreOnly;
  static constexpr P kTable[] = {
      {"BackColor", &SystemMonitor::backColor_, OleColor{0}},
      {"Appearance", &SystemMonitor::appearance_, std::int32_t{1}, kOwn},
      {"BorderStyle", &SystemMonitor::borderStyle_, std::int32_t{1}, kOwn},
      {"CPUMonitorDisplayed", &SystemMonitor::cpuDisplayed_, true},
      {"PageFileDisplayed", &SystemMonitor::pageFileDisplayed_, true},
      {"VirtualMemoryDisplayed", &SystemMonitor::virtualDisplayed_, true},
      {"CPUMonitorColor", &SystemMonitor::cpuColor_, OleColor{0x00FF00}},
      {"MemoryLoadDisplayed", &SystemMonitor::memoryDisplayed_, true},
      {"MemoryColor", &SystemMonitor::memoryColor_, OleColor{0x00FFFF}},
      {"PageFileColor", &SystemMonitor::pageFileColor_, OleColor{0x0000FF}},
      {"VirtualMemoryColor", &SystemMonitor::virtualColor_, OleColor{0xFF0000}},
      {"Enabled", &SystemMonitor::enabled_, true, kOwn},
      {"DisplayGrid", &SystemMonitor::displayGrid_, true},
      {"DisplayGridColor", &SystemMonitor::gridColor_, OleColor{0x008000}},
      {"UpdateInterval", &SystemMonitor::updateInterval_, std::int32_t{1000}, kOwn},
      {"ScrollGrid", &SystemMonitor::scrollGrid_, true},
      {"DiagramStyle", &SystemMonitor::diagramStyle_, std::int32_t{kLines}},
      {"HDMonitorDisplayed", &SystemMonitor::hdDisplayed_, true},
      {"HDMonitorColor", &SystemMonitor::hdColor_, OleColor{0xFF80FF}, kStoreOnly},
      // Taken as stored, without the normalisation of the setter.
      {"HDDriveLetter", &SystemMonitor::drive_, L"", kOwn},
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

template <typename T>
void SystemMonitor::Set(std::string_view key, const T& value) {
  using Row = PersistedProperty<SystemMonitor>;
  const Row& row = PlainPropertyRow(Properties(), key);
  PropertyMember<T>(row, *this) = value;
  Changed(row.key, row.onSet == Row::OnSet::kRedraw);
}

template <typename T>
T SystemMonitor::Get(std::string_view key) const {
  return PropertyMember<T>(PropertyRow(Properties(), key), *this);
}

template void SystemMonitor::Set(std::string_view, const std::int32_t&);
template void SystemMonitor::Set(std::string_view, const bool&);
template void SystemMonitor::Set(std::string_view, const OleColor&);
template std::int32_t SystemMonitor::Get(std::string_view) const;
template bool SystemMonitor::Get(std::string_view) const;
template OleColor SystemMonitor::Get(std::string_view) const;
template std::wstring SystemMonitor::Get(std::string_view) const;

void SystemMonitor::SetAppearance(std::int32_t value) {
  if (value != 0 && value != 1) throw MakeControlError(errnum::kInvalidPropertyValue, "SystemMonitor.Appearance");
  appearance_ = value;
  host_.SetWindowBorder(borderStyle_, appearance_);
  Changed("Appearance", true);
}

void SystemMonitor::SetBorderStyle(std::int32_t value) {
  if (value != 0 && value != 1) throw MakeControlError(errnum::kInvalidPropertyValue, "SystemMonitor.BorderStyle");
  borderStyle_ = value;
  host_.SetWindowBorder(borderStyle_, appearance_);
  Changed("BorderStyle", true);
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
  newest_ = s;
}

std::optional<AccessibleDescription> SystemMonitor::Describe() const {
  return DescribeMonitor(newest_, enabled_, surface_.ScaleWidth(), surface_.ScaleHeight());
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
  // Nobody sees a hidden diagram: the sample is kept, and the paint that shows the window again
  // draws the history as it stands then.
  if (host_.Seen()) {
    Redraw();
  } else {
    stale_ = true;
    if (displayGrid_) WrapGridOffset();
  }
  if (events_ != nullptr)
    events_->SystemLevelsUpdated(LevelsOf(history_[static_cast<std::size_t>(std::max(0, surface_.ScaleWidth() - 1))]));
}

// ---- surface events and methods ----------------------------------------------------------------

void SystemMonitor::OnResize(int /*width*/, int /*height*/) {
  if (!history_.empty()) EnsureHistoryCovers();
  Redraw();
}

void SystemMonitor::OnPaint() {
  if (stale_) Redraw();
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

std::wstring SystemMonitor::FormatFilesize(double bytes) const { return FormatFileSize(bytes, thousands_, decimal_); }

}  // namespace kestrune::monitor
