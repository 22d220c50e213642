#pragma once
// Marks laid over the finished strip between full redraws: the hover highlight and the close
// boxes. (The focus mark is the surface's own inverting rectangle, around the caption.)
#include "controls/tabstrip/painters/tab_canvas.h"
#include "controls/tabstrip/tab_strip_model.h"

namespace kestrune::tabstrip {

// The highlight strip along the top of the hovered tab, in the hover colour (the focus colour over
// the active tab). It is drawn in XOR, so drawing it again takes it away; only its corner pixels,
// set directly, stay until the next full redraw. Nothing is drawn when the highlight colour is
// the tab's own face colour. The surface is left in copy mode, whatever happens.
void ToggleTabbedHighlight(TabCanvas& canvas, const TabStripModel& model, int hoverTab, const Rect& hoverRect);
void TogglePagesHighlight(TabCanvas& canvas, const TabStripModel& model, int hoverTab, const Rect& hoverRect);

// One close box: a round rectangle in the canvas's pen and fill, a gradient from start to end, and
// the cross in a dark shade of the outer colour.
void PaintCloseBox(TabCanvas& canvas, const Rect& box, OleColor start, OleColor end, OleColor outer);

}  // namespace kestrune::tabstrip
