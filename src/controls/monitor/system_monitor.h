#pragma once
// SystemMonitor: the resource-monitor control. On each timer tick it takes one sample, keeps one sample
// per pixel column and redraws a scrolling diagram (grid plus up to five curves).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/monitor/resource_sampling.h"
#include "platform/color.h"
#include "platform/control_host.h"
#include "platform/own_control.h"
#include "platform/property_table.h"
#include "platform/surface.h"

namespace kestrune::monitor {

// The figures handed out by GetCurrentSystemLevels and SystemLevelsUpdated: the two loads rounded to
// integers, everything else as sampled (memory sizes 64-bit, as in SystemLevelSample).
struct SystemLevels {
  std::int32_t CPULoadPercent = 0;
  std::int32_t MemoryLoadPercent = 0;
  std::int64_t PhysicalMemoryTotal = 0;
  std::int64_t PhysicalMemoryAvailable = 0;
  float PhysicalMemoryAvailablePercent = 0;
  std::int64_t PageFileTotal = 0;
  std::int64_t PageFileAvailable = 0;
  float PageFileAvailablePercent = 0;
  std::int64_t VirtualMemoryTotal = 0;
  std::int64_t VirtualMemoryAvailable = 0;
  float VirtualMemoryAvailablePercent = 0;
  std::int64_t HDTotalBytes = 0;
  std::int64_t HDTotalFreeBytes = 0;
  std::int64_t HDAvailableFreeBytes = 0;
  std::int64_t HDTotalBytesUsed = 0;
  float HDAvailablePercent = 0;
  friend bool operator==(const SystemLevels&, const SystemLevels&) = default;
};

// Events raised to the hosting window.
class SystemMonitorEvents {
 public:
  virtual ~SystemMonitorEvents() = default;
  virtual void SystemLevelsUpdated(const SystemLevels& /*levels*/) {}
  virtual void DblClick() {}
};

class SystemMonitor : public OwnControl {
 public:
  static constexpr int kTimerId = 1;
  enum DiagramStyleValue : std::int32_t { kLines = 0, kPoints = 1, kBars = 2 };

  SystemMonitor(ControlHost& host, Surface& surface, SystemFigures& figures, const SystemColors& colors,
                CpuSamplerState& cpuState = resource_sampling::SharedCpuSamplerState());

  void SetEvents(SystemMonitorEvents* events) { events_ = events; }
  // Separators used by FormatFilesize (the user's locale on Windows).
  void SetNumberSeparators(wchar_t thousands, wchar_t decimal) {
    thousands_ = thousands;
    decimal_ = decimal;
  }

  // OwnControl
  void InitNew() override;
  void Load(const PropertyBag& bag) override;
  void Save(PropertyBag& bag) override;
  void Redraw() override;
  void OnResize(int width, int height) override;
  // Draws what the ticks left undrawn while the window could not be seen.
  void OnPaint() override;
  void OnDestroy() override;
  void OnDblClick() override;
  // A graphic reading the newest figures (monitor_accessibility.h).
  std::optional<AccessibleDescription> Describe() const override;
  void OnTimer(int timerId) override;

  // Any persisted property by its key (the table in system_monitor.cpp), T being its member's type
  // (OleColor, std::int32_t, bool, std::wstring). Set is for the plain ones: it stores, redraws
  // unless the table says not to, and tells the host. The others have setters of their own below.
  template <typename T>
  void Set(std::string_view key, const T& value);
  template <typename T>
  T Get(std::string_view key) const;

  // Properties that do more when set: the window's border and enabled state, validation, the timer,
  // the drive letter's form.
  std::int32_t Appearance() const { return appearance_; }
  void SetAppearance(std::int32_t value);
  std::int32_t BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(std::int32_t value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  const std::wstring& HDDriveLetter() const { return drive_; }
  void SetHDDriveLetter(const std::wstring& value);
  std::int32_t UpdateInterval() const { return updateInterval_; }
  void SetUpdateInterval(std::int32_t value);

  // Methods.
  void Refresh();
  bool Reset();
  std::wstring FormatFilesize(double bytes) const;
  SystemLevels GetCurrentSystemLevels();
  // The same, as the sixteen output arguments of the control's public method.
  void GetCurrentSystemLevels(std::int32_t& CPULoadPercent, std::int32_t& MemoryLoadPercent,
                              std::int64_t& PhysicalMemoryTotal, std::int64_t& PhysicalMemoryAvailable,
                              float& PhysicalMemoryAvailablePercent, std::int64_t& PageFileTotal,
                              std::int64_t& PageFileAvailable, float& PageFileAvailablePercent,
                              std::int64_t& VirtualMemoryTotal, std::int64_t& VirtualMemoryAvailable,
                              float& VirtualMemoryAvailablePercent, std::int64_t& HDTotalBytes,
                              std::int64_t& HDTotalFreeBytes, std::int64_t& HDAvailableFreeBytes,
                              std::int64_t& HDTotalBytesUsed, float& HDAvailablePercent);

  // State, for the host and for tests.
  const std::vector<SystemLevelSample>& History() const { return history_; }
  std::int32_t LastEmptyColumn() const { return lastEmptyColumn_; }
  std::int32_t GridOffset() const { return gridOffset_; }
  bool PlatformIsNt() const { return platformIsNt_; }

 private:
  // The persisted keys in save order, each with its member and default.
  static std::span<const PersistedProperty<SystemMonitor>> Properties();
  // Shift the history one column left and take a new sample into the last column (tick steps 3-5).
  void TakeSample();
  // Grows the history when the surface has become wider than it (which would otherwise read and write
  // past it), keeping the newest sample at the right edge; the new columns on the left count as empty.
  void EnsureHistoryCovers();
  void DrawGrid();
  // The grid's scroll starts over once it has moved by the width; drawn or not, the same tick does it.
  void WrapGridOffset();
  void DrawCurve(float SystemLevelSample::*field, OleColor color);
  Rgb Resolve(OleColor color) const;
  void Changed(const char* key, bool redraw);

  ControlHost& host_;
  Surface& surface_;
  SystemFigures& figures_;
  const SystemColors& colors_;
  CpuSamplerState& cpuState_;
  SystemMonitorEvents* events_ = nullptr;

  // Persisted; their defaults are in Properties(). Appearance, BorderStyle and Enabled are the
  // window's own looks, applied to it whenever they change.
  std::int32_t appearance_;
  OleColor backColor_;
  std::int32_t borderStyle_;
  OleColor cpuColor_;
  bool cpuDisplayed_;
  std::int32_t diagramStyle_;
  bool displayGrid_;
  OleColor gridColor_;
  bool enabled_;
  std::wstring drive_;
  OleColor hdColor_;
  bool hdDisplayed_;
  OleColor memoryColor_;
  bool memoryDisplayed_;
  OleColor pageFileColor_;
  bool pageFileDisplayed_;
  bool scrollGrid_;
  std::int32_t updateInterval_;
  OleColor virtualColor_;
  bool virtualDisplayed_;

  std::vector<SystemLevelSample> history_;
  std::int32_t lastEmptyColumn_ = 0;
  std::int32_t gridOffset_ = 0;
  int lastSampleColumn_ = 0;  // the column the newest sample went to
  bool stale_ = false;        // ticks have passed undrawn while the window could not be seen
  std::optional<SystemLevelSample> newest_;  // what screen readers are told; none before the first sample
  bool platformIsNt_ = false;
  wchar_t thousands_ = L',';
  wchar_t decimal_ = L'.';
};

}  // namespace kestrune::monitor
