// The classic look with tabs as wide as their captions: property pages in the system colours,
// chamfered corners in the highlight colour, and the page's top edge in the highlight colour.
#include "controls/tabstrip/painters/look_painter.h"

namespace kestrune::tabstrip {

namespace {

class ClassicPages : public LookPainter {
 public:
  void DrawPage(PaintContext& ctx) const override {
    const TabStripModel& m = ctx.model;
    const int h = m.StripHeight(), sw = ctx.width, sh = ctx.height;
    const auto [outer, tl, br] = EdgeColorsOf(m);
    TabCanvas& c = ctx.canvas;
    c.Line(0, h + 1, 0, sh - 1, tl);
    c.Line(sw - 1, h + 1, sw - 1, sh - 1, outer);
    c.Line(sw - 2, h + 1, sw - 2, sh - 2, br);
    c.Line(0, sh - 1, sw, sh - 1, outer);
    c.Line(1, sh - 2, sw - 1, sh - 2, br);
  }

  void DrawTabFace(PaintContext& ctx, int tab) const override { DrawChamferedFace(ctx, tab, false); }

  void DrawTabEdges(PaintContext& ctx, int tab) const override {
    const TabStripModel& m = ctx.model;
    const auto [L, T, R, B] = m.Tab(tab).tabRect;
    const bool active = tab == m.activeTab;
    const auto [outer, tl, br] = EdgeColorsOf(m);
    TabCanvas& c = ctx.canvas;
    c.Line(L, T + 2, L + 3, T - 1, tl);
    c.Line(L + 2, T, R - 2, T, tl);
    c.Line(R - 2, T + 1, R, T + 3, outer);
    c.Line(R - 1, T + 2, R - 1, active ? B + 1 : B, outer);
    c.Line(R - 2, T + 2, R - 2, active ? B + 1 : B, br);
    c.Line(L, T + 2, L, B + 1, tl);
    if (!active) c.Line(L, B, R, B, tl);
    if (tab == 0) c.Line(L - 2, B, L, B, tl);  // the page edge left of the first tab
  }

  // The page's top edge also runs on to the right of the last tab; without it the page would have
  // no top border beyond the tabs.
  void EndRow(PaintContext& ctx) const override {
    const TabStripModel& m = ctx.model;
    const Rect& last = m.Tab(m.tabCount - 1).tabRect;
    ctx.canvas.Line(last.right, last.bottom, ctx.width - 1, last.bottom, m.topLeftInnerBorderColor);
  }
};

}  // namespace

const LookPainter& ClassicPagesPainter() {
  static const ClassicPages painter;
  return painter;
}

}  // namespace kestrune::tabstrip
