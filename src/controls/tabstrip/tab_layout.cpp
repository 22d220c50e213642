#include "controls/tabstrip/tab_layout.h"

#include <algorithm>

#include "controls/tabstrip/tab_colors.h"
#include "platform/dpi.h"
#include "platform/rounding.h"
#include "platform/surface.h"

namespace kestrune::tabstrip {

std::optional<TabLook> LookOf(int theme, int style) {
  if (style != kTabbedDialog && style != kPropertyPages) return std::nullopt;
  const bool tabbed = style == kTabbedDialog;
  switch (theme) {
    case kThemeClassic: return tabbed ? TabLook::kClassicTabbed : TabLook::kClassicPages;
    case kThemeXP:
    case kThemeBeige: return tabbed ? TabLook::kXpTabbed : TabLook::kXpPages;
    case kThemeFlat: return TabLook::kFlatPages;
    case kThemeRounded: return tabbed ? TabLook::kRoundedTabbed : TabLook::kRoundedPages;
    default: return std::nullopt;
  }
}

bool IsTextWidth(TabLook look) {
  return look != TabLook::kClassicTabbed && look != TabLook::kXpTabbed && look != TabLook::kRoundedTabbed;
}
bool IsRounded(TabLook look) { return look == TabLook::kRoundedTabbed || look == TabLook::kRoundedPages; }
bool IsClassic(TabLook look) { return look == TabLook::kClassicTabbed || look == TabLook::kClassicPages; }

namespace {

const Font& FontOf(const TabStripModel& m, int tab) {
  return tab == m.activeTab ? m.activeTabFont : m.inActiveTabFont;
}

// A text-width tab: caption, margins, and its picture where it has one.
int TextWidthTab(TabLook look, const TabRecord& tab, int stripHeight, int iconSize, const Font& font,
                 TextMeasure& measure) {
  const float text = static_cast<float>(measure.Width(font, MeasuredCaption(tab.caption)));
  if (tab.picture.Empty()) return RoundEvenInt(text + 14.0f);
  const int s = std::min(iconSize, look == TabLook::kClassicPages ? stripHeight - 6 : stripHeight - 2);
  return RoundEvenInt(text + 14.0f + static_cast<float>(s) + (look == TabLook::kRoundedPages ? 4.0f : 1.0f));
}

// What a close box adds to a text-width tab.
int CloseBoxRoom(TabLook look, bool active) {
  switch (look) {
    case TabLook::kClassicPages:
    case TabLook::kFlatPages: return active ? 15 : 12;
    case TabLook::kXpPages: return active ? 21 : 15;
    default: return active ? 6 : 0;
  }
}

Rect CloseBoxOf(TabLook look, const Rect& r) {
  if (IsClassic(look)) return Rect{r.right - 14, r.top + 5, r.right - 4, r.top + 15};
  if (look == TabLook::kFlatPages) return Rect{r.right - 13, r.top + 5, r.right - 3, r.top + 15};
  return Rect{r.right - 13, r.top + 6, r.right - 3, r.top + 16};
}

}  // namespace

int IconSizeForDpi(int pictureSize, int dpi) { return ScaleToDpi(pictureSize == kPicSmall ? 16 : 32, dpi); }

std::vector<TabGeometry> LayOutTabs(TabLook look, const TabStripModel& m, int width, int iconSize,
                                    TextMeasure& measure) {
  const int count = m.tabCount;
  const int h = m.StripHeight();
  const bool textWidth = IsTextWidth(look);
  // Every text-width tab is measured in one font, whichever tab is active.
  const Font& font = look == TabLook::kXpPages ? m.inActiveTabFont : m.activeTabFont;
  const int tabbedWidth = count > 0 ? RoundEvenInt(static_cast<double>(width) / count) : 0;
  std::vector<TabGeometry> row(static_cast<std::size_t>(count));
  int previousRight = 0;
  for (int i = 0; i < count; ++i) {
    const bool active = i == m.activeTab;
    const int own = active ? m.activeTabHeight : m.inActiveTabHeight;
    const int other = active ? m.inActiveTabHeight : m.activeTabHeight;
    Rect r;
    r.top = own > other ? 0 : other - own;
    r.bottom = r.top + own + (IsRounded(look) ? 2 : 0);
    if (!textWidth) {
      r.left = i * tabbedWidth;
      r.right = i == count - 1 ? width - 1 : r.left + tabbedWidth;
    } else {
      const int w = TextWidthTab(look, m.Tab(i), h, iconSize, font, measure);
      if (i == 0) {
        r.left = active ? 0 : 2;
        r.right = active || look == TabLook::kClassicPages ? w : w + 1;
      } else {
        // The XP pages overlap the active tab's neighbours by a pixel.
        const bool joins = look == TabLook::kXpPages && (active || i - 1 == m.activeTab);
        r.left = joins ? previousRight : previousRight + 1;
        r.right = r.left + w;
      }
      if (m.useControlBox) r.right += CloseBoxRoom(look, active);
    }
    previousRight = r.right;
    row[static_cast<std::size_t>(i)] = TabGeometry{r, CloseBoxOf(look, r)};
  }
  return row;
}

namespace {

// The rectangle inside the tab that holds the picture and the caption.
Rect WorkingRect(TabLook look, const Rect& t, bool useControlBox) {
  const int shift = useControlBox ? 2 : 0;
  if (IsRounded(look)) return Rect{t.left, t.top, t.right - 1, t.bottom};
  if (!IsTextWidth(look)) return Rect{t.left + 3, t.top + 3, t.right - 2, t.bottom};
  if (look == TabLook::kXpPages) return Rect{t.left + 2 - shift, t.top + 4, t.right - 2 - shift, t.bottom};
  return Rect{t.left - shift, t.top, t.right - 1 - shift, t.bottom};
}

// The XP pages leave the centring to the platform: the caption gets the working rectangle less the
// picture's room.
void PlaceBesideCenteredCaption(const Rect& work, bool pictureLeft, int s, CaptionPlacement& out) {
  if (pictureLeft) {
    out.picture.left = work.left + 2;
    out.caption.left += s - 1;
  } else {
    out.caption.right -= s + 2;
    out.picture.left = std::min(out.caption.right + 2, work.right - s);
  }
}

// An equal-width tab's picture: at the tab's edge (the active tab's one pixel inwards and higher)
// or beside the caption.
void PlaceTabbedPicture(int align, bool active, bool rounded, const Rect& work, int s, CaptionPlacement& out) {
  const int inset = rounded ? 4 : 0;
  int& px = out.picture.left;
  int& py = out.picture.top;
  switch (align) {
    case kPicTabLeft:
      px = work.left + inset;
      if (active) {
        ++px;
        py = std::max(py - 1, work.top);
      }
      break;
    case kPicTabRight:
      px = work.right - s - inset;
      if (active) {
        --px;
        py = std::max(py - 1, work.top);
      }
      break;
    case kPicCaptionLeft: px = std::max(out.caption.left - s - 1, work.left); break;
    default: px = std::min(out.caption.right + 1, work.right - s); break;
  }
}

}  // namespace

CaptionPlacement PlaceCaption(TabLook look, const TabStripModel& m, int tab, int iconSize, TextMeasure& measure) {
  const TabRecord& record = m.Tab(tab);
  const auto [L, T, R, B] = record.tabRect;
  const bool rounded = IsRounded(look);
  const bool tabbed = !IsTextWidth(look);
  const bool hasPicture = !record.picture.Empty();
  const bool pictureLeft = m.pictureAlign == kPicTabLeft || m.pictureAlign == kPicCaptionLeft;
  const Rect work = WorkingRect(look, record.tabRect, m.useControlBox);

  CaptionPlacement out{work, Rect{}};
  int s = iconSize;
  if (hasPicture) {
    if (work.top + s > work.bottom + 1) s = rounded ? work.bottom - 4 - work.top : work.bottom + 1 - work.top;
    out.picture.top = work.top + RoundEvenInt((work.bottom - work.top - s) / 2.0);
  }
  if (look == TabLook::kXpPages) {
    if (hasPicture) PlaceBesideCenteredCaption(work, pictureLeft, s, out);
  } else {
    Rect& caption = out.caption;
    const Rect measured =
        measure.Extent(FontOf(m, tab), record.caption, caption, textfmt::kSingleLine | textfmt::kEndEllipsis);
    const int tw = measured.right - measured.left + 2;
    const int th = measured.bottom - measured.top + 1;
    const int top = RoundEvenInt(B / 2.0 + caption.top - measured.bottom / 2.0);
    if (tabbed) {
      caption.left = RoundEvenInt(caption.left - 1 + R / 2.0 - measured.right / 2.0);
      caption.right = caption.left + tw;
    } else if (hasPicture && pictureLeft) {
      out.picture.left = work.left + 4;
      caption.left = out.picture.left + s + 2;
      caption.right = caption.left + tw;
    } else {
      caption.left += 7;
      caption.right = caption.left + tw;
      if (hasPicture) out.picture.left = std::min(caption.right + 5, work.right - s);
    }
    caption.top = top;
    caption.bottom = top + th;
    if (hasPicture && tabbed) PlaceTabbedPicture(m.pictureAlign, tab == m.activeTab, rounded, work, s, out);
  }
  out.picture.right = out.picture.left + s;
  out.picture.bottom = out.picture.top + s;
  return out;
}

Rect FocusMarkRect(TabLook look, const TabStripModel& m, int tab, const Rect& caption, TextMeasure& measure) {
  if (look != TabLook::kXpPages) return caption;
  // The platform centres this look's caption in the whole working rectangle, which also holds
  // the picture and the close box; the focus mark goes around the text itself.
  const Rect measured = measure.Extent(FontOf(m, tab), m.Tab(tab).caption, caption, textfmt::kSingleLine);
  const int tw = measured.right - measured.left + 2;
  const int th = measured.bottom - measured.top + 1;
  Rect r;
  r.left = caption.left + RoundEvenInt((caption.Width() - tw) / 2.0);
  r.top = caption.top + RoundEvenInt((caption.Height() - th) / 2.0);
  r.right = r.left + tw;
  r.bottom = r.top + th;
  return r;
}

}  // namespace kestrune::tabstrip
