#pragma once
// A host and system colours for measuring an own control on its own: nothing is hosted around it.
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/control_host.h"

namespace kestrune::bench {

class BenchColors : public SystemColors {
 public:
  BenchColors(int green, int blue) : green_(green), blue_(blue) {}
  Rgb Get(int index) const override { return MakeRgb(index * 7, green_, blue_); }

 private:
  int green_;
  int blue_;
};

class BenchHost : public ControlHost {
 public:
  explicit BenchHost(Rect bounds) : bounds_(bounds) {}
  bool UserMode() const override { return true; }
  Font AmbientFont() const override { return {}; }
  OleColor AmbientBackColor() const override { return 0x8000000F; }
  bool DisplayAsDefault() const override { return false; }
  void PropertyChanged(std::string_view) override {}
  void StartTimer(int, unsigned) override {}
  void StopTimer(int) override {}
  Point CursorPos() const override { return {}; }
  std::vector<ContainedControl*> ContainedControls() override { return {}; }
  void SetAccessKeys(std::wstring_view) override {}
  void ProcessPendingMessages() override {}
  void Invalidate() override {}
  Rect Bounds() const override { return bounds_; }

 private:
  Rect bounds_;
};

}  // namespace kestrune::bench
