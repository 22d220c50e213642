#include "controls/tabstrip/painters/look_painter.h"

namespace kestrune::tabstrip {

unsigned LookPainter::CaptionFormat() const { return textfmt::kSingleLine; }

const LookPainter& PainterFor(TabLook look) {
  switch (look) {
    case TabLook::kClassicTabbed: return ClassicTabbedPainter();
    case TabLook::kClassicPages: return ClassicPagesPainter();
    case TabLook::kXpTabbed: return XpTabbedPainter();
    case TabLook::kXpPages: return XpPagesPainter();
    case TabLook::kFlatPages: return FlatPainter();
    case TabLook::kRoundedTabbed:
    case TabLook::kRoundedPages: break;
  }
  return RoundedPainter();
}

OleColor PageColor(const TabStripModel& m) {
  return m.Tab(m.activeTab).enabled ? m.activeTabBackEndColor : m.disabledTabBackColor;
}

OleColor PageColorUnder(const TabStripModel& m, int tab) {
  return m.Tab(tab).enabled ? m.activeTabBackEndColor : m.disabledTabBackColor;
}

EdgeColors EdgeColorsOf(const TabStripModel& m) {
  return {m.outerBorderColor, m.topLeftInnerBorderColor, m.bottomRightInnerBorderColor};
}

FaceColors FaceColorsOf(const TabStripModel& m, int tab) {
  if (!m.Tab(tab).enabled) return {m.disabledTabBackColor, m.disabledTabBackColor};
  if (tab == m.activeTab) return {m.activeTabBackStartColor, m.activeTabBackEndColor};
  return {m.inActiveTabBackStartColor, m.inActiveTabBackEndColor};
}

void DrawSimpleFrame(PaintContext& ctx) {
  const int h = ctx.model.StripHeight(), sw = ctx.width, sh = ctx.height;
  const OleColor outer = ctx.model.outerBorderColor;
  ctx.canvas.Line(0, h, 0, sh - 1, outer);
  ctx.canvas.Line(sw - 1, h, sw - 1, sh - 1, outer);
  ctx.canvas.Line(0, sh - 1, sw, sh - 1, outer);
}

void DrawPageSideStubs(PaintContext& ctx) {
  const int h = ctx.model.StripHeight();
  const OleColor outer = ctx.model.outerBorderColor;
  ctx.canvas.Line(0, h + 1, 0, h + 4, outer);
  ctx.canvas.Line(ctx.width - 1, h + 1, ctx.width - 1, h + 4, outer);
}

void DrawChamferedFace(PaintContext& ctx, int tab, bool activeReaches) {
  const TabStripModel& m = ctx.model;
  const TabRecord& record = m.Tab(tab);
  const auto [L, T, R, B] = record.tabRect;
  const bool leftOfActive = tab == m.activeTab - 1;
  const bool rightOfActive = tab == m.activeTab + 1;
  const bool wide = leftOfActive || (activeReaches && tab == m.activeTab);
  // A disabled neighbour of the active tab keeps the corner next to it square.
  const bool cutLeft = record.enabled || !rightOfActive;
  const bool cutRight = record.enabled || !leftOfActive;
  const FaceColors face = FaceColorsOf(m, tab);
  ctx.canvas.FillGradient(Rect{L, T, wide ? R : R - 1, B}, face.start, face.end, 2, cutLeft, cutRight);
}

namespace {

void DrawTabContent(PaintContext& ctx, const LookPainter& painter, int i) {
  const TabStripModel& m = ctx.model;
  const TabRecord& tab = m.Tab(i);
  const bool active = i == m.activeTab;
  Surface& surface = ctx.canvas.surface();
  surface.SetFont(active ? m.activeTabFont : m.inActiveTabFont);
  const OleColor text = !tab.enabled ? m.disabledTabForeColor : active ? m.activeTabForeColor : m.inActiveTabForeColor;
  ctx.canvas.pen = ctx.canvas.ToRgb(text);
  CaptionPlacement place = PlaceCaption(ctx.look, m, i, ctx.iconSize, ctx.measure);
  if (!tab.picture.Empty()) {
    const Rect& p = place.picture;
    if (m.useMaskColor && tab.picture.kind == Picture::Kind::Bitmap)
      ctx.canvas.DrawMaskedBitmap(tab.picture, p, m.pictureMaskColor);
    else
      ctx.canvas.DrawPicture(tab.picture, p.left, p.top, p.Width(), p.Height());
  }
  surface.DrawText(tab.caption, place.caption, painter.CaptionFormat(), ctx.canvas.pen);
  if (active && ctx.focusMark) surface.DrawFocusRect(FocusMarkRect(ctx.look, m, i, place.caption, ctx.measure));
}

}  // namespace

void PaintTabRow(PaintContext& ctx, const LookPainter& painter) {
  ctx.canvas.FillRect(0, 0, ctx.width, ctx.model.StripHeight(), ctx.model.tabStripBackColor);
  painter.BeginRow(ctx);
  for (int i = 0; i < ctx.model.tabCount; ++i) {
    painter.DrawTabFace(ctx, i);
    painter.DrawTabEdges(ctx, i);
    DrawTabContent(ctx, painter, i);
  }
  painter.EndRow(ctx);
}

}  // namespace kestrune::tabstrip
