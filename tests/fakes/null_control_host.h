#pragma once
// A host that hosts nothing: for drawing or measuring one own control on its own, where nothing
// the control asks of its host needs an answer (benchmarks, the surface agreement check).
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/control_host.h"

namespace kestrune::testing {

class NullControlHost : public ControlHost {
 public:
  explicit NullControlHost(Rect bounds, OleColor ambientBackColor = 0x8000000F)
      : bounds_(bounds), ambientBackColor_(ambientBackColor) {}
  bool UserMode() const override { return true; }
  Font AmbientFont() const override { return {}; }
  OleColor AmbientBackColor() const override { return ambientBackColor_; }
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
  OleColor ambientBackColor_;
};

// System colours as a fixed ramp: index i gives RGB(i * 7, green, blue).
class RampSystemColors : public SystemColors {
 public:
  RampSystemColors(int green, int blue) : green_(green), blue_(blue) {}
  Rgb Get(int index) const override { return MakeRgb(index * 7, green_, blue_); }

 private:
  int green_;
  int blue_;
};

}  // namespace kestrune::testing
