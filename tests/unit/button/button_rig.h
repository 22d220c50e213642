#pragma once
// A gradient button wired to an in-memory host, a raster surface and an event recorder.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/button/gradient_button.h"
#include "fakes/fake_control_host.h"
#include "platform/raster/raster_surface.h"
#include "support/raster_images.h"

namespace kestrune::button::testing {

// Classic-looking system colours, distinct per index so a wrong index shows.
class FakeSystemColors : public SystemColors {
 public:
  Rgb Get(int index) const override {
    switch (index) {
      case 15: return MakeRgb(236, 233, 216);  // button face
      case 16: return MakeRgb(172, 168, 153);  // button shadow
      case 18: return MakeRgb(0, 0, 0);        // button text
      case 20: return MakeRgb(255, 255, 255);  // button highlight
      case 21: return MakeRgb(113, 111, 100);  // 3-D dark shadow
      case 22: return MakeRgb(241, 239, 226);  // 3-D light
      default: return MakeRgb(1, 2, 3);
    }
  }
};

// Also records the services the button asks of its window.
class RecordingHost : public kestrune::testing::FakeControlHost {
 public:
  WindowHandle Window() const override { return window; }
  void MoveFocus(bool forward) override { focusMoves.push_back(forward ? "next" : "previous"); }
  void SetWindowRegion(const WindowRegion& r) override {
    region = r;
    ++regionCount;
  }

  WindowHandle window = 0x1234;
  std::vector<std::string> focusMoves;
  WindowRegion region;
  int regionCount = 0;
};

// Writes every event as text, e.g. "MouseDown 1,1,1,1", so sequences compare as one list.
class RecordingEvents : public GradientButtonEvents {
 public:
  void Click() override { log.push_back("Click"); }
  void KeyDown(std::int16_t& keyCode, std::int16_t& shift) override {
    log.push_back("KeyDown " + std::to_string(keyCode) + "," + std::to_string(shift));
    if (swallowKeyDown) keyCode = 0;
  }
  void KeyPress(std::int16_t& keyAscii) override { log.push_back("KeyPress " + std::to_string(keyAscii)); }
  void KeyUp(std::int16_t& keyCode, std::int16_t& shift) override {
    log.push_back("KeyUp " + std::to_string(keyCode) + "," + std::to_string(shift));
  }
  void MouseDown(std::int16_t& b, std::int16_t& s, float& x, float& y) override { log.push_back(Mouse("MouseDown", b, s, x, y)); }
  void MouseMove(std::int16_t& b, std::int16_t& s, float& x, float& y) override { log.push_back(Mouse("MouseMove", b, s, x, y)); }
  void MouseUp(std::int16_t& b, std::int16_t& s, float& x, float& y) override { log.push_back(Mouse("MouseUp", b, s, x, y)); }
  void MouseOut() override { log.push_back("MouseOut"); }

  std::vector<std::string> log;
  bool swallowKeyDown = false;  // answers KeyDown with key code 0, as a host may

 private:
  static std::string Mouse(const char* name, int b, int s, float x, float y) {
    return std::string(name) + " " + std::to_string(b) + "," + std::to_string(s) + "," +
           std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
  }
};

// The form's button size is 75 x 23.
struct ButtonRig {
  explicit ButtonRig(int width = 75, int height = 23, std::wstring name = L"CommandExit")
      : surface(width, height), button(host, surface, colors, std::move(name)) {
    button.SetListener(&events);
  }
  Rgb Pixel(int x, int y) const { return surface.GetPixel(x, y); }

  FakeSystemColors colors;
  RecordingHost host;
  RasterSurface surface;
  GradientButton button;
  RecordingEvents events;
};

using kestrune::testing::ArtifactPath;

}  // namespace kestrune::button::testing
