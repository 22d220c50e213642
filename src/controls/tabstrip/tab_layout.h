#pragma once
// Where everything of the tab row goes: the rectangles of the tabs and their close boxes, of each
// caption and picture, and of the focus mark, as pure functions of the model's values, the
// control's width, the icon size and text measurements. Nothing here draws.
#include <optional>
#include <string_view>
#include <vector>

#include "controls/tabstrip/tab_strip_model.h"
#include "platform/font.h"
#include "platform/types.h"

namespace kestrune::tabstrip {

// The seven ways of drawing the tab row, each chosen by a theme and a style. Tabs of equal width
// fill the strip in the "tabbed" looks; in the "pages" looks each tab is as wide as its caption.
enum class TabLook {
  kClassicTabbed,  // classic theme: 3-D relief and chamfered corners, in system colours
  kXpTabbed,       // XP and beige themes: light gradients and a single-colour outline
  kRoundedTabbed,  // rounded theme: rectangles with elliptic corners
  kRoundedPages,
  kClassicPages,
  kXpPages,
  kFlatPages,  // flat theme, in either style: gradient tabs without corners, separator lines
};

// The look of a theme and style; none for a theme outside the five or a style outside the two.
std::optional<TabLook> LookOf(int theme, int style);
bool IsTextWidth(TabLook look);
bool IsRounded(TabLook look);
bool IsClassic(TabLook look);

// Text measurement in a given font, as the drawing surface does it.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Width of the text without access-key processing.
  virtual int Width(const Font& font, std::wstring_view text) = 0;
  // The rectangle that drawing the text into rect with format would cover (its left and top stay).
  virtual Rect Extent(const Font& font, std::wstring_view text, const Rect& rect, unsigned format) = 0;
};

struct TabGeometry {
  Rect tab;
  Rect closeBox;
};

// The edge of a tab's picture at `dpi`: the small or large icon size the system uses there.
int IconSizeForDpi(int pictureSize, int dpi);

// The tab and close-box rectangles of every tab, in tab order.
std::vector<TabGeometry> LayOutTabs(TabLook look, const TabStripModel& model, int width, int iconSize,
                                    TextMeasure& measure);

struct CaptionPlacement {
  Rect caption;
  Rect picture;  // an edge × edge square; meaningless for a tab without a picture
};

// Where tab `tab` draws its caption and picture, from its laid-out rectangle.
CaptionPlacement PlaceCaption(TabLook look, const TabStripModel& model, int tab, int iconSize, TextMeasure& measure);

// The dotted focus mark around the caption of tab `tab`.
Rect FocusMarkRect(TabLook look, const TabStripModel& model, int tab, const Rect& caption, TextMeasure& measure);

}  // namespace kestrune::tabstrip
