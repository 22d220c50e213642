#pragma once
// One painter per look of the tab row (tab_layout.h names the looks): the page frame under the
// tabs, and each tab's face and edges. The pictures and captions, placed by the layout, are drawn
// the same way in every look (PaintTabRow).
#include "controls/tabstrip/painters/tab_canvas.h"
#include "controls/tabstrip/tab_layout.h"
#include "controls/tabstrip/tab_strip_model.h"

namespace kestrune::tabstrip {

// What one pass of painting draws from. The tab rectangles are the model's, as laid out.
struct PaintContext {
  TabCanvas& canvas;
  const TabStripModel& model;
  TabLook look;
  int width;  // the surface's inner size
  int height;
  int iconSize;
  TextMeasure& measure;
  bool focusMark;  // the active tab's caption carries the focus mark
};

class LookPainter {
 public:
  virtual ~LookPainter() = default;
  // True for the looks whose page is the surface's background (the control clears the surface to
  // the page colour before DrawPage); the rounded look fills its page itself.
  virtual bool PageIsBackground() const { return true; }
  virtual void DrawPage(PaintContext& ctx) const = 0;
  virtual void BeginRow(PaintContext& /*ctx*/) const {}
  virtual void DrawTabFace(PaintContext& ctx, int tab) const = 0;
  virtual void DrawTabEdges(PaintContext& ctx, int tab) const = 0;
  virtual void EndRow(PaintContext& /*ctx*/) const {}
  // How the caption is drawn into the rectangle the layout gives it.
  virtual unsigned CaptionFormat() const;
};

const LookPainter& ClassicTabbedPainter();
const LookPainter& ClassicPagesPainter();
const LookPainter& XpTabbedPainter();
const LookPainter& XpPagesPainter();
const LookPainter& RoundedPainter();  // both rounded looks: they differ in layout only
const LookPainter& FlatPainter();
const LookPainter& PainterFor(TabLook look);

// The tab row: the strip's background, then face, edges, picture and caption of every tab.
void PaintTabRow(PaintContext& ctx, const LookPainter& painter);

// --- Shared by the painters ---

// The page's colour: the active tab's end colour, or the disabled colour under a disabled tab.
OleColor PageColor(const TabStripModel& model);
// The page colour as it continues under one tab.
OleColor PageColorUnder(const TabStripModel& model, int tab);
// The three edge colours of the classic looks' relief.
struct EdgeColors {
  OleColor outer;
  OleColor topLeft;
  OleColor bottomRight;
};
EdgeColors EdgeColorsOf(const TabStripModel& model);
struct FaceColors {
  OleColor start;
  OleColor end;
};
FaceColors FaceColorsOf(const TabStripModel& model, int tab);
// The frame of the XP and flat looks: the outer colour on the sides and the bottom.
void DrawSimpleFrame(PaintContext& ctx);
// The short side edges that join a row of separate tabs to the page below it.
void DrawPageSideStubs(PaintContext& ctx);
// The face of a text-width tab with both top corners cut, reaching one pixel further right under
// the tab left of the active one (and under the active one itself when activeReaches).
void DrawChamferedFace(PaintContext& ctx, int tab, bool activeReaches);

}  // namespace kestrune::tabstrip
