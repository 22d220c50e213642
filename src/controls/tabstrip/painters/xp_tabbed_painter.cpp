// The XP look (also the beige theme's) with tabs of equal width: light gradient faces with
// chamfered corners in a single outline colour, on a simply framed page.
#include "controls/tabstrip/painters/look_painter.h"

namespace kestrune::tabstrip {

namespace {

class XpTabbed : public LookPainter {
 public:
  void DrawPage(PaintContext& ctx) const override { DrawSimpleFrame(ctx); }

  void DrawTabFace(PaintContext& ctx, int tab) const override {
    const auto [L, T, R, B] = ctx.model.Tab(tab).tabRect;
    const FaceColors face = FaceColorsOf(ctx.model, tab);
    ctx.canvas.FillGradient(Rect{L, T, R, B}, face.start, face.end, 4, true, true);
  }

  void DrawTabEdges(PaintContext& ctx, int tab) const override {
    const TabStripModel& m = ctx.model;
    const auto [L, T, R, B] = m.Tab(tab).tabRect;
    const OleColor outer = m.outerBorderColor;
    TabCanvas& c = ctx.canvas;
    c.Line(L, T + 4, L + 4, T, outer);
    c.Line(L + 4, T, R - 4, T, outer);
    c.Line(R - 4, T, R, T + 4, outer);
    c.Line(R, T + 4, R, B + 1, outer);
    // The active tab opens into the page; the others stand on the page's top edge.
    if (tab == m.activeTab) c.Line(L + 1, B + 1, R, B + 1, PageColorUnder(m, tab));
    else c.Line(L, B + 1, R + 1, B + 1, outer);
    c.Line(L, T + 4, L, B + 1, outer);
  }
};

}  // namespace

const LookPainter& XpTabbedPainter() {
  static const XpTabbed painter;
  return painter;
}

}  // namespace kestrune::tabstrip
