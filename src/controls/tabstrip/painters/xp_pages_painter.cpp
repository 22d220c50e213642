// The XP look (also the beige theme's) with tabs as wide as their captions: the look of the main
// window's strip. Gradient faces with cut corners in one outline colour; the active tab's
// neighbours join it, and the caption is centred by the platform.
#include "controls/tabstrip/painters/look_painter.h"

namespace kestrune::tabstrip {

namespace {

class XpPages : public LookPainter {
 public:
  void DrawPage(PaintContext& ctx) const override { DrawSimpleFrame(ctx); }

  void DrawTabFace(PaintContext& ctx, int tab) const override { DrawChamferedFace(ctx, tab, true); }

  void DrawTabEdges(PaintContext& ctx, int tab) const override {
    const TabStripModel& m = ctx.model;
    const auto [L, T, R, B] = m.Tab(tab).tabRect;
    const OleColor outer = m.outerBorderColor;
    const bool leftOfActive = tab == m.activeTab - 1;
    const bool rightOfActive = tab == m.activeTab + 1;
    TabCanvas& c = ctx.canvas;
    if (tab == m.activeTab || leftOfActive) {
      c.Line(L, T + 2, L + 3, T - 1, outer);
      c.Line(L + 2, T, R - 2, T, outer);
      c.Line(R - 2, T + 1, R, T + 3, outer);
      c.Line(R - 1, T + 2, R - 1, B + 1, outer);
      c.Line(L, T + 2, L, B + 1, outer);
      if (leftOfActive) {
        c.Line(L + 2, T, R, T, outer);
        c.Line(L, B, R + 1, B, outer);
      }
    } else if (rightOfActive) {
      c.Line(L, T + 2, L + 3, T - 1, outer);
      c.Line(L + 2, T, R - 2, T, outer);
      c.Line(L, T + 2, L, B + 1, outer);
      c.Line(L, T, R - 2, T, outer);
      c.Line(R - 2, T + 1, R, T + 3, outer);
      c.Line(R - 1, T + 2, R - 1, B, outer);
      c.Line(L, B, R + 1, B, outer);
    } else {
      c.Line(L, T + 2, L + 3, T - 1, outer);
      c.Line(L + 2, T, R - 2, T, outer);
      c.Line(R - 2, T + 1, R, T + 3, outer);
      c.Line(R - 1, T + 2, R - 1, B, outer);
      c.Line(L, B, R + 1, B, outer);
      c.Line(L, T + 2, L, B + 1, outer);
    }
    if (tab == 0) c.Line(L - 2, B, L, B, outer);  // the page edge left of the first tab
  }

  void EndRow(PaintContext& ctx) const override {
    const TabStripModel& m = ctx.model;
    const Rect& last = m.Tab(m.tabCount - 1).tabRect;
    ctx.canvas.Line(last.right, last.bottom, ctx.width, last.bottom, m.outerBorderColor);
  }

  unsigned CaptionFormat() const override { return textfmt::kCenter | textfmt::kVCenter | textfmt::kSingleLine; }
};

}  // namespace

const LookPainter& XpPagesPainter() {
  static const XpPages painter;
  return painter;
}

}  // namespace kestrune::tabstrip
