// Redraw cost of the tab strip at the main window's size (473 x 300) on the raster surface: one
// full Refresh per iteration for each theme in both styles, so that the looks are measured side by
// side in one run, and one hover highlight drawn and erased.
#include <benchmark/benchmark.h>

#include <string>

#include "app/form_main_tabstrip_props.h"
#include "controls/tabstrip/tab_strip.h"
#include "fakes/null_control_host.h"
#include "platform/raster/raster_surface.h"

namespace {

using kestrune::Rgb;
namespace ts = kestrune::tabstrip;

class BenchPlatform : public ts::TabStripPlatform {
 public:
  ts::OsVersion Version() const override { return {true, 2, 6, 1, 7601}; }
  bool CurrentThemeName(std::wstring&) const override { return false; }
  std::uint32_t DeviceContext() const override { return 0; }
  void LockWindowUpdate(kestrune::WindowHandle) override {}
  int Dpi() const override { return 96; }
  void SetParent(kestrune::WindowHandle, kestrune::WindowHandle) override {}
  void SetWindowPos(kestrune::WindowHandle, int, int, int, int, unsigned) override {}
  std::wstring ShowOpenFileDialog(const ts::OpenFileRequest&) override { return {}; }
};

void BM_Refresh(benchmark::State& st) {
  const int theme = static_cast<int>(st.range(0));
  const int style = static_cast<int>(st.range(1));
  kestrune::testing::RampSystemColors colors{208, 200};
  kestrune::testing::NullControlHost host{{0, 0, 473, 300}};
  BenchPlatform platform;
  kestrune::RasterSurface surface(473, 300);
  ts::TabStrip strip(host, surface, colors, platform);
  strip.Load(kestrune::TabStripMainProperties());
  strip.SetTabTheme(theme);
  strip.Set<std::int32_t>("TabStyle", style);
  strip.SetActiveTab(3);
  for (auto _ : st) {
    strip.Refresh();
    benchmark::DoNotOptimize(surface.GetPixel(10, 10));
  }
  static const char* const kThemeNames[] = {"classic", "XP", "flat", "rounded", "beige"};
  st.SetLabel(std::string("theme ") + std::to_string(theme) + " " + kThemeNames[theme] + (style ? " pages" : " tabbed"));
}
BENCHMARK(BM_Refresh)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}});

void BM_HoverDrawAndErase(benchmark::State& st) {
  kestrune::testing::RampSystemColors colors{208, 200};
  kestrune::testing::NullControlHost host{{0, 0, 473, 300}};
  BenchPlatform platform;
  kestrune::RasterSurface surface(473, 300);
  ts::TabStrip strip(host, surface, colors, platform);
  strip.Load(kestrune::TabStripMainProperties());
  strip.Refresh();
  strip.SetHoverTab(1);
  for (auto _ : st) {
    strip.ShowHoverHighlight();
    strip.ToggleHoverHighlight();
  }
}
BENCHMARK(BM_HoverDrawAndErase);

}  // namespace
