#include "controls/tabstrip/painters/overlay_painters.h"

#include <utility>

#include "controls/tabstrip/tab_colors.h"
#include "controls/tabstrip/tab_strip_error.h"

namespace kestrune::tabstrip {

namespace {

// Restores copy-pen drawing however the highlight ends, so a failure cannot leave every later
// primitive drawing in XOR.
class XorScope {
 public:
  explicit XorScope(Surface& s) : s_(s) { s_.SetDrawMode(DrawMode::XorPen); }
  ~XorScope() { s_.SetDrawMode(DrawMode::CopyPen); }
  XorScope(const XorScope&) = delete;
  XorScope& operator=(const XorScope&) = delete;

 private:
  Surface& s_;
};

// Corner pixels soften the highlight's ends; they are set directly, so they stay until the next
// full redraw. corner is 4 for the tabbed form and 2 for property pages.
void SoftenCorners(TabCanvas& canvas, const TabStripModel& m, const Rect& h, OleColor highlight, int corner) {
  const SystemColors& sys = canvas.system();
  Surface& surface = canvas.surface();
  const int L = h.left, T = h.top, R = h.right;
  const Rgb inner = OffsetColor(highlight, -8, sys);
  const Rgb edge1 = OffsetColor(highlight, -2, sys);
  const Rgb edge2 = OffsetColor(highlight, -21, sys);
  const Rgb edge3 = OffsetColor(highlight, -32, sys);
  const Rgb white = OffsetColor(highlight, 512, sys);
  const Rgb outer = canvas.ToRgb(m.outerBorderColor);
  const Rgb strip = canvas.ToRgb(m.tabStripBackColor);
  const Rgb soft = BlendColors(BlendColors(white, outer, 96, sys), strip, 160, sys);
  const Rgb mid = BlendColors(outer, edge2, 128, sys);
  if (corner >= 4) {
    for (auto [dx, dy] : {std::pair{6, 1}, {5, 1}, {4, 2}, {3, 3}}) {
      surface.SetPixel(L + dx, T + dy, inner);
      surface.SetPixel(R - dx, T + dy, inner);
    }
    surface.SetPixel(L + 5, T, edge1);
    surface.SetPixel(R - 5, T, edge1);
    for (auto [dx, dy] : {std::pair{3, 1}, {2, 2}}) {
      surface.SetPixel(L + dx, T + dy, edge2);
      surface.SetPixel(R - dx, T + dy, edge2);
    }
    surface.SetPixel(L + 1, T + 3, edge3);
    surface.SetPixel(R - 1, T + 3, edge3);
    surface.SetPixel(L + 4, T, mid);
    surface.SetPixel(R - 4, T, mid);
    for (auto [x, y] : {std::pair{L + 3, T}, {L + 2, T + 1}, {L + 1, T + 2}, {R - 3, T}, {R - 2, T + 1}})
      surface.SetPixel(x, y, soft);
  } else {
    surface.SetPixel(L + 3, T + 1, inner);
    surface.SetPixel(R - 4, T + 1, inner);
    surface.SetPixel(L + 2, T + 1, edge2);
    surface.SetPixel(R - 3, T + 1, edge2);
    surface.SetPixel(L + 1, T + 2, edge3);
    surface.SetPixel(R - 2, T + 2, edge3);
  }
}

// What every highlight is drawn against: the outline and the two face colours, in RGB.
struct Against {
  Rgb outer;
  Rgb activeStart;
  Rgb inActiveStart;
};
Against HighlightBase(const TabCanvas& canvas, const TabStripModel& m) {
  return {canvas.ToRgb(m.outerBorderColor), canvas.ToRgb(m.activeTabBackStartColor),
          canvas.ToRgb(m.inActiveTabBackStartColor)};
}

}  // namespace

void ToggleTabbedHighlight(TabCanvas& canvas, const TabStripModel& m, int hoverTab, const Rect& h) {
  Guarded("ToggleTabbedHighlight", [&] {
    XorScope xorMode(canvas.surface());
    const SystemColors& sys = canvas.system();
    const int L = h.left, T = h.top, R = h.right;
    const auto [outer, activeStart, inActiveStart] = HighlightBase(canvas, m);
    const bool focused = hoverTab == m.activeTab && m.useFocusedColor;
    const Rgb highlight = canvas.ToRgb(focused ? m.focusedColor : m.hoverColor);
    const Rgb start = hoverTab == m.activeTab ? activeStart : inActiveStart;
    if (focused ? highlight == activeStart : (highlight == activeStart || highlight == inActiveStart)) return;
    // XOR with the face colour makes the face show the highlight colour; lines then show their
    // shade over the pixels they cross (the outline on top, the highlight underneath).
    const int stripBottom = focused ? T + 4 : T + 3;
    canvas.FillSolid(Rect{L, T + 1, R, stripBottom}, highlight ^ start, 3, true, true);
    canvas.Line(L + 6, T, R - 5, T, OffsetColor(highlight, -21, sys) ^ outer);
    canvas.Line(L, stripBottom, R, stripBottom, OffsetColor(highlight, 21, sys) ^ highlight);
    SoftenCorners(canvas, m, h, highlight, 4);
  });
}

void TogglePagesHighlight(TabCanvas& canvas, const TabStripModel& m, int hoverTab, const Rect& h) {
  Guarded("TogglePagesHighlight", [&] {
    XorScope xorMode(canvas.surface());
    const SystemColors& sys = canvas.system();
    const int L = h.left, T = h.top, R = h.right;
    const auto [outer, activeStart, inActiveStart] = HighlightBase(canvas, m);
    const Rgb hover = canvas.ToRgb(m.hoverColor);
    const Rgb focusedRgb = canvas.ToRgb(m.focusedColor);
    const bool isActive = hoverTab == m.activeTab;
    Rgb highlight = hover;
    Rgb start = inActiveStart;
    if (isActive) {
      start = activeStart;
      if (m.useFocusedColor) highlight = focusedRgb;
      if (focusedRgb == activeStart) return;
    } else if (hover == activeStart || hover == inActiveStart) {
      return;
    }
    // Next to the active tab the highlight keeps the corner that meets it square.
    const bool cutLeft = isActive || hoverTab != m.activeTab + 1;
    const bool cutRight = isActive || hoverTab != m.activeTab - 1;
    canvas.FillSolid(Rect{L - 1, T + 1, R, T + 3}, highlight ^ start, 2, cutLeft, cutRight);
    const int x1 = cutLeft ? L + 4 : L;
    const int x2 = cutRight ? R - 4 : R;
    canvas.Line(x1, T, x2, T, OffsetColor(highlight, -21, sys) ^ outer);
    canvas.Line(L + 1, T + 3, R - 1, T + 3, OffsetColor(highlight, 21, sys) ^ highlight);
    SoftenCorners(canvas, m, h, highlight, 2);
  });
}

void PaintCloseBox(TabCanvas& canvas, const Rect& box, OleColor start, OleColor end, OleColor outer) {
  const auto [l, t, r, b] = box;
  canvas.surface().RoundRect(box, 2, 2, canvas.pen, canvas.CurrentFill());
  canvas.FillGradient(Rect{l + 1, t + 1, r - 1, b - 2}, start, end, -1, false, false);
  const Rgb cross = OffsetColor(outer, -192, canvas.system());
  canvas.Line(l + 3, b - 4, r - 3, t + 2, cross);
  canvas.Line(l + 3, t + 3, r - 3, b - 3, cross);
}

}  // namespace kestrune::tabstrip
