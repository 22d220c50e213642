// The rounded look, in either style: each tab a rectangle with elliptic corners reaching down into
// the page, which is painted over their lower part. The page is a filled rectangle of its own, so
// this look does not clear the surface to it.
#include "controls/tabstrip/painters/look_painter.h"

namespace kestrune::tabstrip {

namespace {

class Rounded : public LookPainter {
 public:
  bool PageIsBackground() const override { return false; }

  void DrawPage(PaintContext& ctx) const override {
    const TabStripModel& m = ctx.model;
    const int h = m.StripHeight(), sw = ctx.width, sh = ctx.height;
    const OleColor fill = m.Tab(m.activeTab).enabled ? m.activeTabBackStartColor : m.disabledTabBackColor;
    TabCanvas& c = ctx.canvas;
    c.fill = c.ToRgb(fill);
    c.fillSolid = true;
    c.FillRect(0, h + 1, sw - 1, sh - h - 2, fill);
    c.Outline(0, h + 1, sw - 1, sh - h - 2, m.outerBorderColor);
    // Opens the page outline under the active tab.
    const Rect& a = m.Tab(m.activeTab).tabRect;
    c.Line(a.left + 1, a.bottom - 1, a.right - 1, a.bottom - 1, fill);
  }

  void BeginRow(PaintContext& ctx) const override { ctx.canvas.fillSolid = true; }

  void DrawTabFace(PaintContext& ctx, int tab) const override {
    const TabStripModel& m = ctx.model;
    const auto [L, T, R, B] = m.Tab(tab).tabRect;
    TabCanvas& c = ctx.canvas;
    c.fill = c.ToRgb(FaceColorsOf(m, tab).start);
    c.surface().RoundRect(Rect{L, T, R, ctx.height - 1}, m.xRadius, m.yRadius, c.ToRgb(m.outerBorderColor), c.fill);
  }

  void DrawTabEdges(PaintContext& /*ctx*/, int /*tab*/) const override {}

  void EndRow(PaintContext& ctx) const override { DrawPageSideStubs(ctx); }
};

}  // namespace

const LookPainter& RoundedPainter() {
  static const Rounded painter;
  return painter;
}

}  // namespace kestrune::tabstrip
