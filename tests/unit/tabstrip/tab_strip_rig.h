#pragma once
// A tab strip on a raster surface with an in-memory host, platform and event log.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/tabstrip/tab_strip.h"
#include "fakes/fake_control_host.h"
#include "platform/raster/raster_surface.h"

namespace kestrune::tabstrip::testing {

// The platform's classic scheme.
class FakeSystemColors : public SystemColors {
 public:
  Rgb Get(int index) const override {
    if (auto it = overrides.find(index); it != overrides.end()) return it->second;
    switch (index) {
      case 3: return MakeRgb(10, 36, 106);     // active caption
      case 15: return MakeRgb(212, 208, 200);  // button face
      case 16: return MakeRgb(128, 128, 128);  // button shadow
      case 17: return MakeRgb(128, 128, 128);  // grey text
      case 18: return MakeRgb(0, 0, 0);        // button text
      case 20: return MakeRgb(255, 255, 255);  // button highlight
      case 21: return MakeRgb(64, 64, 64);     // dark shadow
      case 22: return MakeRgb(223, 223, 223);  // 3-D light
      default: return MakeRgb(1, 2, 3);
    }
  }
  std::map<int, Rgb> overrides;
};

class FakeTabStripPlatform : public TabStripPlatform {
 public:
  OsVersion Version() const override { return version; }
  bool CurrentThemeName(std::wstring& colorName) const override {
    colorName = themeColorBuffer;
    return themeNameOk;
  }
  std::uint32_t DeviceContext() const override { return 0x5150; }
  void LockWindowUpdate(WindowHandle window) override { locks.push_back(window); }
  int Dpi() const override { return 96; }
  void SetParent(WindowHandle child, WindowHandle parent) override { parents.emplace_back(child, parent); }
  void SetWindowPos(WindowHandle window, int x, int y, int cx, int cy, unsigned flags) override {
    positions.push_back({window, x, y, cx, cy, flags});
  }
  std::wstring ShowOpenFileDialog(const OpenFileRequest& request) override {
    lastRequest = request;
    return dialogAnswer;
  }

  OsVersion version{true, 2, 6, 0, 6000};
  bool themeNameOk = true;
  std::wstring themeColorBuffer;
  std::vector<WindowHandle> locks;
  std::vector<std::pair<WindowHandle, WindowHandle>> parents;
  struct Pos {
    WindowHandle window;
    int x, y, cx, cy;
    unsigned flags;
  };
  std::vector<Pos> positions;
  OpenFileRequest lastRequest;
  std::wstring dialogAnswer;
};

class WindowedHost : public kestrune::testing::FakeControlHost {
 public:
  WindowHandle Window() const override { return 0x1234; }
};

// Records every event as one line of text, and can veto switches.
class EventLog : public TabStripEvents {
 public:
  void BeforeTabSwitch(int newTab, bool& cancel) override {
    log.push_back("BeforeTabSwitch " + std::to_string(newTab));
    cancel = vetoTab == newTab;
  }
  void TabSwitch(int previousTab) override { log.push_back("TabSwitch " + std::to_string(previousTab)); }
  void TabInsert(int& index) override { log.push_back("TabInsert " + std::to_string(index)); }
  void TabRemove(int& index) override { log.push_back("TabRemove " + std::to_string(index)); }
  void AfterCompleteInit() override { log.push_back("AfterCompleteInit"); }
  void MouseDown(int& button, int&, float& x, float& y) override {
    log.push_back("MouseDown");
    if (moveMouseDownTo) {
      x = moveMouseDownTo->x;
      y = moveMouseDownTo->y;
    }
    (void)button;
  }
  void MouseUp(int&, int&, float&, float&) override { log.push_back("MouseUp"); }
  void KeyDown(int& key, int&) override { log.push_back("KeyDown " + std::to_string(key)); }
  void MouseScrollUp() override { log.push_back("MouseScrollUp"); }
  void MouseScrollDown() override { log.push_back("MouseScrollDown"); }
  void MouseEnter() override { log.push_back("MouseEnter"); }
  void MouseLeave() override { log.push_back("MouseLeave"); }
  void MouseHover(int& tab, float&, float&) override { log.push_back("MouseHover " + std::to_string(tab)); }
  void ControlBoxEnter() override { log.push_back("ControlBoxEnter"); }
  void ControlBoxExit() override { log.push_back("ControlBoxExit"); }
  void ControlBoxHover(float&, float&) override { log.push_back("ControlBoxHover"); }
  void ControlBoxMouseDown(float&, float&) override { log.push_back("ControlBoxMouseDown"); }
  void ControlBoxMouseUp(float&, float&) override { log.push_back("ControlBoxMouseUp"); }

  std::vector<std::string> log;
  int vetoTab = -100;
  struct P {
    float x, y;
  };
  std::optional<P> moveMouseDownTo;
};

struct Rig {
  explicit Rig(int width = 300, int height = 120) : surface(width, height) {
    host.bounds = Rect{0, 0, width, height};
    strip = std::make_unique<TabStrip>(host, surface, colors, platform, &events);
  }
  // A new control (no saved set).
  TabStrip& New() {
    strip->InitNew();
    return *strip;
  }
  TabStrip& Loaded(const PropertyBag& bag) {
    strip->Load(bag);
    return *strip;
  }
  Rgb Px(int x, int y) const { return surface.GetPixel(x, y); }

  WindowedHost host;
  RasterSurface surface;
  FakeSystemColors colors;
  FakeTabStripPlatform platform;
  EventLog events;
  std::unique_ptr<TabStrip> strip;
};

inline std::string ArtifactPath(const std::string& name) {
  return std::string(KESTRUNE_ARTIFACT_DIR) + "/" + name;
}

}  // namespace kestrune::tabstrip::testing
