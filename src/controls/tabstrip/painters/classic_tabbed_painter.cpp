// The classic look with tabs of equal width: 3-D relief in the system colours, chamfered top
// corners, and a page framed by an outer line and two rows of highlight and shadow.
#include "controls/tabstrip/painters/look_painter.h"

namespace kestrune::tabstrip {

namespace {

class ClassicTabbed : public LookPainter {
 public:
  void DrawPage(PaintContext& ctx) const override {
    const TabStripModel& m = ctx.model;
    const int h = m.StripHeight(), sw = ctx.width, sh = ctx.height;
    const auto [outer, tl, br] = EdgeColorsOf(m);
    TabCanvas& c = ctx.canvas;
    c.Line(0, h + 1, 0, sh - 1, outer);
    c.Line(1, h + 2, 1, sh - 2, tl);
    c.Line(2, h + 3, 2, sh - 3, tl);
    c.Line(sw - 1, h + 1, sw - 1, sh - 1, outer);
    c.Line(sw - 2, h + 2, sw - 2, sh - 2, br);
    c.Line(sw - 3, h + 3, sw - 3, sh - 3, br);
    c.Line(0, sh - 1, sw, sh - 1, outer);
    c.Line(1, sh - 2, sw - 1, sh - 2, br);
    c.Line(2, sh - 3, sw - 2, sh - 3, br);
  }

  void DrawTabFace(PaintContext& ctx, int tab) const override {
    const auto [L, T, R, B] = ctx.model.Tab(tab).tabRect;
    const FaceColors face = FaceColorsOf(ctx.model, tab);
    ctx.canvas.FillGradient(Rect{L + 1, T, R, B}, face.start, face.end, 4, true, true);
  }

  void DrawTabEdges(PaintContext& ctx, int tab) const override {
    if (tab == ctx.model.activeTab) DrawActiveEdges(ctx, tab);
    else DrawInactiveEdges(ctx, tab);
  }

 private:
  // Three rows of relief, open at the bottom into the page.
  static void DrawActiveEdges(PaintContext& ctx, int tab) {
    const TabStripModel& m = ctx.model;
    const auto [L, T, R, B] = m.Tab(tab).tabRect;
    const auto [outer, tl, br] = EdgeColorsOf(m);
    const OleColor page = PageColorUnder(m, tab);
    TabCanvas& c = ctx.canvas;
    c.Line(L, T + 4, L + 4, T, outer);
    c.Line(L + 1, T + 4, L + 4, T + 1, tl);
    c.Line(L + 2, T + 4, L + 4, T + 2, tl);
    c.Line(L + 4, T, R - 4, T, outer);
    c.Line(L + 4, T + 1, R - 4, T + 1, tl);
    c.Line(L + 4, T + 2, R - 4, T + 2, tl);
    c.Line(R - 4, T, R, T + 4, outer);
    c.Line(R - 4, T + 1, R - 1, T + 4, br);
    c.Line(R - 4, T + 2, R - 2, T + 4, br);
    c.Line(R, T + 4, R, B + 1, outer);
    c.Line(R - 1, T + 4, R - 1, B + 2, br);
    c.Line(R - 2, T + 4, R - 2, B + 3, br);
    c.Line(L + 3, B + 1, R - 2, B + 1, page);
    c.Line(L + 3, B + 2, R - 2, B + 2, page);
    c.Line(L + 3, B + 3, R - 2, B + 3, page);
    c.Line(L, T + 4, L, B + 1, outer);
    c.Line(L + 1, T + 4, L + 1, B + 2, tl);
    c.Line(L + 2, T + 4, L + 2, B + 3, tl);
  }

  // Two rows of relief, and the page's top edge running underneath.
  static void DrawInactiveEdges(PaintContext& ctx, int tab) {
    const TabStripModel& m = ctx.model;
    const auto [L, T, R, B] = m.Tab(tab).tabRect;
    const auto [outer, tl, br] = EdgeColorsOf(m);
    TabCanvas& c = ctx.canvas;
    c.Line(L, T + 4, L + 4, T, outer);
    c.Line(L + 1, T + 4, L + 4, T + 1, tl);
    c.Line(L + 4, T, R - 4, T, outer);
    c.Line(L + 4, T + 1, R - 4, T + 1, tl);
    c.Line(R - 4, T, R, T + 4, outer);
    c.Line(R - 4, T + 1, R - 1, T + 4, br);
    c.Line(R, T + 4, R, B + 1, outer);
    c.Line(R - 1, T + 4, R - 1, B + 1, br);
    c.Line(L, B + 1, R + 1, B + 1, outer);
    c.Line(L - 1, B + 2, R + 1, B + 2, tl);
    c.Line(L - 2, B + 3, R + 2, B + 3, tl);
    c.Line(L, T + 4, L, B + 1, outer);
    c.Line(L + 1, T + 4, L + 1, B + 1, tl);
  }
};

}  // namespace

const LookPainter& ClassicTabbedPainter() {
  static const ClassicTabbed painter;
  return painter;
}

}  // namespace kestrune::tabstrip
