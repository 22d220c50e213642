// The flat look, in either style: text-width tabs as plain gradients without corners, inactive
// tabs parted by thin separators in their text colour.
#include "controls/tabstrip/painters/look_painter.h"

namespace kestrune::tabstrip {

namespace {

class Flat : public LookPainter {
 public:
  void DrawPage(PaintContext& ctx) const override { DrawSimpleFrame(ctx); }

  void DrawTabFace(PaintContext& ctx, int tab) const override {
    const auto [L, T, R, B] = ctx.model.Tab(tab).tabRect;
    const FaceColors face = FaceColorsOf(ctx.model, tab);
    ctx.canvas.FillGradient(Rect{L, T, R, B}, face.start, face.end, -1, true, true);
  }

  void DrawTabEdges(PaintContext& ctx, int tab) const override {
    const TabStripModel& m = ctx.model;
    const auto [L, T, R, B] = m.Tab(tab).tabRect;
    const OleColor outer = m.outerBorderColor;
    TabCanvas& c = ctx.canvas;
    if (tab == m.activeTab) {
      c.Line(L, T, R, T, outer);
      c.Line(R, T, R, B + 2, m.bottomRightInnerBorderColor);
      c.Line(L, B + 1, R, B + 1, PageColorUnder(m, tab));
      c.Line(L, T, L, B + 2, outer);
    } else {
      // No separator next to the active tab, whose own edge stands there.
      if (tab != m.activeTab - 1) c.Line(R - 1, T + 2, R - 1, B - 2, m.inActiveTabForeColor);
      c.Line(L, B + 1, R + 1, B + 1, outer);
    }
  }

  void EndRow(PaintContext& ctx) const override {
    DrawPageSideStubs(ctx);
    const TabStripModel& m = ctx.model;
    const Rect& last = m.Tab(m.tabCount - 1).tabRect;
    ctx.canvas.Line(last.right, last.bottom + 1, ctx.width, last.bottom + 1, m.outerBorderColor);
  }
};

}  // namespace

const LookPainter& FlatPainter() {
  static const Flat painter;
  return painter;
}

}  // namespace kestrune::tabstrip
