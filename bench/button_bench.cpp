// Redraw cost of the gradient button at the main window's button size (75 x 23), on the raster
// surface: one forced DrawButton per iteration, per type and look, and the skipped unforced call.
#include <benchmark/benchmark.h>

#include <string>

#include "controls/button/gradient_button.h"
#include "fakes/null_control_host.h"
#include "platform/raster/raster_surface.h"

namespace {

using kestrune::Rgb;

// state: 0 normal, 1 hover, 2 pressed, 3 disabled.
void BM_DrawButton(benchmark::State& st) {
  const int type = static_cast<int>(st.range(0));
  const int look = static_cast<int>(st.range(1));
  kestrune::testing::RampSystemColors colors{233, 216};
  kestrune::testing::NullControlHost host{{0, 0, 75, 23}};
  kestrune::RasterSurface surface(75, 23);
  kestrune::button::GradientButton button(host, surface, colors, L"CommandExit");
  button.InitNew();
  button.SetCaption(L"終了");
  button.SetButtonType(static_cast<kestrune::button::ButtonKind>(type));
  if (look == 1) button.OnMouseMove(0, 0, 5, 5);
  if (look == 3) button.SetEnabled(false);
  const int state = look == 2 ? 2 : 0;
  for (auto _ : st) {
    button.DrawButton(state, true);
    benchmark::DoNotOptimize(surface.GetPixel(10, 10));
  }
  st.SetLabel("type " + std::to_string(type) + (look == 0 ? " normal" : look == 1 ? " hover" : look == 2 ? " pressed" : " disabled"));
}
BENCHMARK(BM_DrawButton)->ArgsProduct({{1, 2, 3, 4, 5}, {0, 1, 2, 3}});

// The unforced redraw that a mouse move with the button held asks for: nothing changed, nothing drawn.
void BM_DrawButtonSkipped(benchmark::State& st) {
  kestrune::testing::RampSystemColors colors{233, 216};
  kestrune::testing::NullControlHost host{{0, 0, 75, 23}};
  kestrune::RasterSurface surface(75, 23);
  kestrune::button::GradientButton button(host, surface, colors, L"CommandExit");
  button.InitNew();
  for (auto _ : st) button.DrawButton(0, false);
}
BENCHMARK(BM_DrawButtonSkipped);

}  // namespace

BENCHMARK_MAIN();
