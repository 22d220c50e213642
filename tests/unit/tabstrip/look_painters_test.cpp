// A painter alone: a model, a canvas on a raster surface, no control.
#include "controls/tabstrip/painters/look_painter.h"

#include <gtest/gtest.h>

#include "platform/raster/raster_surface.h"
#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

class NoText : public TextMeasure {
 public:
  int Width(const Font&, std::wstring_view) override { return 0; }
  Rect Extent(const Font&, std::wstring_view, const Rect& rect, unsigned) override { return rect; }
};

TEST(LookPainters, FlatSeparatorsPartInactiveTabsExceptBesideTheActiveOne) {
  RasterSurface surface(220, 40);
  testing::FakeSystemColors colors;
  TabCanvas canvas(surface, colors);
  TabStripModel m;
  m.tabCount = 4;
  m.FitTabsToCount();
  m.activeTab = 2;
  const Rect rects[] = {{0, 0, 50, 22}, {51, 0, 100, 22}, {101, 2, 150, 22}, {151, 0, 200, 22}};
  for (int i = 0; i < 4; ++i) m.Tab(i).tabRect = rects[i];
  m.inActiveTabForeColor = MakeRgb(255, 0, 0);
  NoText measure;
  PaintContext ctx{canvas, m, TabLook::kFlatPages, 220, 40, 16, measure, false};
  surface.Clear(MakeRgb(255, 255, 255));
  const LookPainter& flat = PainterFor(TabLook::kFlatPages);
  for (int i = 0; i < 4; ++i) flat.DrawTabEdges(ctx, i);
  const Rgb red = MakeRgb(255, 0, 0);
  // (R - 1, T + 2) -> (R - 1, B - 2) in the inactive text colour.
  EXPECT_EQ(surface.GetPixel(49, 2), red);
  EXPECT_EQ(surface.GetPixel(49, 19), red);
  EXPECT_NE(surface.GetPixel(49, 20), red);
  EXPECT_EQ(surface.GetPixel(199, 10), red);
  EXPECT_NE(surface.GetPixel(99, 10), red);   // left of the active tab: its edge stands there
  EXPECT_NE(surface.GetPixel(149, 10), red);  // the active tab has none
}

}  // namespace
}  // namespace kestrune::tabstrip
