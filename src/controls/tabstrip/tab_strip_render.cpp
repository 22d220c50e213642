// The paint pipeline: page frame, tab layout, tab faces, pictures and captions.
#include <algorithm>
#include <cmath>

#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_error.h"
#include "platform/rounding.h"

namespace kestrune::tabstrip {

namespace {
bool IsRounded(int theme) { return theme == kThemeRounded; }
}  // namespace

// --- Primitives ----------------------------------------------------------------------------------

void TabStrip::Cls() {
  Guarded("Cls", [&] { surface_.Clear(GetRGBFromOLE(backColor_)); });
}

void TabStrip::SetSurfaceBackColor(OleColor c) {
  // Changing the background of the surface repaints it in the new colour, as the window does.
  backColor_ = c;
  surface_.Clear(GetRGBFromOLE(c));
}

// Colours are resolved for each primitive and never written back into the properties, so a
// system colour stays a system colour (and follows the user's scheme) however often it is drawn.
void TabStrip::APILine(int x1, int y1, int x2, int y2, OleColor color) {
  Guarded("APILine", [&] { surface_.Line(x1, y1, x2, y2, GetRGBFromOLE(color)); });
}

void TabStrip::APIRectangle(int x, int y, int width, int height, OleColor color) {
  Guarded("APIRectangle", [&] {
    const Rgb rgb = GetRGBFromOLE(color);
    surface_.Line(x, y, x + width, y, rgb);
    surface_.Line(x + width, y, x + width, y + height, rgb);
    surface_.Line(x + width, y + height, x, y + height, rgb);
    surface_.Line(x, y + height, x, y, rgb);
  });
}

void TabStrip::APIFillRectByCoords(int x, int y, int width, int height, OleColor color) {
  Guarded("APIFillRectByCoords", [&] {
    surface_.FillRect(Rect{x, y, x + width, y + height}, GetRGBFromOLE(color));
  });
}

namespace {
// The span of one row of a chamfered fill; radius -1 is a plain rectangle.
void RowSpan(const Rect& r, int radius, bool left, bool right, int& x1, int& x2) {
  if (radius == -1) {
    x1 = r.left;
    x2 = r.right;
  } else if (left && right) {
    x1 = r.left + radius + 1;
    x2 = r.right - radius;
  } else if (left) {
    x1 = r.left + radius + 1;
    x2 = r.right;
  } else {
    x1 = r.left;
    x2 = r.right - radius;
  }
}
}  // namespace

void TabStrip::pFillCurvedGradientR(const Rect& r, OleColor start, OleColor end, int radius,
                                    bool left, bool right) {
  Guarded("pFillCurvedGradientR", [&] {
    const Rgb s = GetRGBFromOLE(start);
    const Rgb e = GetRGBFromOLE(end);
    const int rows = r.bottom - r.top;
    if (rows == 0) Raise(errnum_ts::kDivisionByZero, "Division by zero");
    // Single precision, as the steps have always been computed; the rounding of the running values
    // decides the exact colour of each row.
    const float steps[3] = {static_cast<float>(pGetRValue(e) - pGetRValue(s)) / static_cast<float>(rows),
                            static_cast<float>(pGetGValue(e) - pGetGValue(s)) / static_cast<float>(rows),
                            static_cast<float>(pGetBValue(e) - pGetBValue(s)) / static_cast<float>(rows)};
    float running[3] = {static_cast<float>(pGetRValue(s)), static_cast<float>(pGetGValue(s)),
                        static_cast<float>(pGetBValue(s))};
    int radiusLeft = radius;
    for (int y = r.top; y <= r.bottom; ++y) {
      int channel[3];
      for (int c = 0; c < 3; ++c) channel[c] = std::clamp(RoundEvenInt(running[c]), 0, 255);
      int x1 = 0, x2 = 0;
      RowSpan(r, radiusLeft, left, right, x1, x2);
      APILine(x1, y, x2, y, MakeRgb(channel[0], channel[1], channel[2]));
      for (int c = 0; c < 3; ++c) running[c] += steps[c];
      if (radiusLeft > 0) --radiusLeft;
    }
  });
}

void TabStrip::pFillCurvedSolidR(const Rect& r, OleColor color, int radius, bool left, bool right) {
  Guarded("pFillCurvedSolidR", [&] {
    int radiusLeft = radius;
    for (int y = r.top; y <= r.bottom; ++y) {
      int x1 = 0, x2 = 0;
      RowSpan(r, radiusLeft, left, right, x1, x2);
      APILine(x1, y, x2, y, color);
      if (radiusLeft > 0) --radiusLeft;
    }
  });
}

void TabStrip::pFillCurvedGradient(int left, int top, int right, int bottom, OleColor start,
                                   OleColor end, int radius, bool leftFlag, bool rightFlag) {
  Guarded("pFillCurvedGradient", [&] {
    pFillCurvedGradientR(Rect{left, top, right, bottom}, start, end, radius, leftFlag, rightFlag);
  });
}

void TabStrip::pFillCurvedSolid(int left, int top, int right, int bottom, OleColor color,
                                int radius, bool leftFlag, bool rightFlag) {
  Guarded("pFillCurvedSolid", [&] {
    pFillCurvedSolidR(Rect{left, top, right, bottom}, color, radius, leftFlag, rightFlag);
  });
}

void TabStrip::pPaintPicture(const Picture& picture, int left, int top, int width, int height) {
  Guarded("pPaintPicture", [&] {
    if (picture.Empty()) return;
    // -1 for a size means the picture's own size in that direction.
    const int w = width == -1 ? picture.width : width;
    const int h = height == -1 ? picture.height : height;
    surface_.DrawPicture(picture, Rect{left, top, left + w, top + h}, std::nullopt);
  });
}

// --- Caches and pipeline -------------------------------------------------------------------------

void TabStrip::pGetCachedProperties() {
  Guarded("pGetCachedProperties", [&] {
    hWnd();
    hDC();
    cache_.activeTab = ActiveTab();
    cache_.activeTabHeight = ActiveTabHeight();
    cache_.inActiveTabHeight = InActiveTabHeight();
    cache_.width = ScaleWidth();
    cache_.height = ScaleHeight();
    cache_.tabCount = TabCount();
    cache_.isFocused = IsFocused();
    cache_.outerBorder = OuterBorderColor();
    cache_.activeFore = ActiveTabForeColor();
    cache_.activeStart = ActiveTabBackStartColor();
    cache_.activeEnd = ActiveTabBackEndColor();
    cache_.inActiveFore = InActiveTabForeColor();
    cache_.inActiveStart = InActiveTabBackStartColor();
    cache_.inActiveEnd = InActiveTabBackEndColor();
    cache_.hover = HoverColor();
    cache_.disabledBack = DisabledTabBackColor();
    cache_.disabledFore = DisabledTabForeColor();
    iconSize_ = platform_.SystemMetric(PictureSize() == kPicSmall ? metric::kCxSmIcon : metric::kCxIcon);
  });
}

int TabStrip::StripHeight() const { return std::max(cache_.activeTabHeight, cache_.inActiveTabHeight); }

void TabStrip::pDrawMe() {
  Guarded("pDrawMe", [&] {
    Cls();
    DrawBackground();
    DrawTabs();
  });
}

void TabStrip::DrawBackground() {
  Guarded("DrawBackground", [&] {
    if (tabTheme_ == kThemeRounded && !backgroundPass_) {
      // The rounded page is painted after the tabs on the very first pass only.
      backgroundPass_ = true;
      return;
    }
    pGetCachedProperties();
    if (tabStyle_ == kTabbedDialog) DrawBackgroundTabbedDialog();
    else if (tabStyle_ == kPropertyPages) DrawBackgroundPropertyPages();
  });
}

namespace {
enum class Frame { None, B1, B2, B3, B4 };
Frame FrameFor(int style, int theme) {
  switch (theme) {
    case kThemeClassic: return style == kTabbedDialog ? Frame::B1 : Frame::B2;
    case kThemeXP:
    case kThemeBeige:
    case kThemeFlat: return Frame::B3;
    case kThemeRounded: return Frame::B4;
    default: return Frame::None;
  }
}
}  // namespace

void TabStrip::DrawFrame(int style) {
  const int frame = static_cast<int>(FrameFor(style, tabTheme_));
  if (frame == static_cast<int>(Frame::None)) return;
  const int h = StripHeight(), sw = cache_.width, sh = cache_.height;
  const bool activeEnabled = tabs_[static_cast<std::size_t>(cache_.activeTab)].Enabled;
  if (frame == static_cast<int>(Frame::B4)) {
    const OleColor fill = activeEnabled ? cache_.activeStart : cache_.disabledBack;
    fillColor_ = GetRGBFromOLE(fill);
    fillSolid_ = true;
    APIFillRectByCoords(0, h + 1, sw - 1, sh - h - 2, fill);
    APIRectangle(0, h + 1, sw - 1, sh - h - 2, outerBorderColor_);
    // Opens the page outline under the active tab.
    const Rect& a = tabs_[static_cast<std::size_t>(cache_.activeTab)].TabRect;
    APILine(a.left + 1, a.bottom - 1, a.right - 1, a.bottom - 1, fill);
    return;
  }
  const OleColor page = activeEnabled ? cache_.activeEnd : cache_.disabledBack;
  if (page != backColor_) Notify("BackColor");
  SetSurfaceBackColor(page);
  const OleColor outer = outerBorderColor_, tl = topLeftInnerBorderColor_,
                 br = bottomRightInnerBorderColor_;
  if (frame == static_cast<int>(Frame::B1)) {
    APILine(0, h + 1, 0, sh - 1, outer);
    APILine(1, h + 2, 1, sh - 2, tl);
    APILine(2, h + 3, 2, sh - 3, tl);
    APILine(sw - 1, h + 1, sw - 1, sh - 1, outer);
    APILine(sw - 2, h + 2, sw - 2, sh - 2, br);
    APILine(sw - 3, h + 3, sw - 3, sh - 3, br);
    APILine(0, sh - 1, sw, sh - 1, outer);
    APILine(1, sh - 2, sw - 1, sh - 2, br);
    APILine(2, sh - 3, sw - 2, sh - 3, br);
  } else if (frame == static_cast<int>(Frame::B2)) {
    APILine(0, h + 1, 0, sh - 1, tl);
    APILine(sw - 1, h + 1, sw - 1, sh - 1, outer);
    APILine(sw - 2, h + 1, sw - 2, sh - 2, br);
    APILine(0, sh - 1, sw, sh - 1, outer);
    APILine(1, sh - 2, sw - 1, sh - 2, br);
  } else {
    APILine(0, h, 0, sh - 1, outer);
    APILine(sw - 1, h, sw - 1, sh - 1, outer);
    APILine(0, sh - 1, sw, sh - 1, outer);
  }
}

void TabStrip::DrawBackgroundTabbedDialog() {
  Guarded("DrawBackgroundTabbedDialog", [&] { DrawFrame(kTabbedDialog); });
}

void TabStrip::DrawBackgroundPropertyPages() {
  Guarded("DrawBackgroundPropertyPages", [&] { DrawFrame(kPropertyPages); });
}

// --- Tabs ----------------------------------------------------------------------------------------

TabStrip::Renderer TabStrip::TabRenderer() const {
  const bool tabbed = tabStyle_ == kTabbedDialog;
  switch (tabTheme_) {
    case kThemeClassic: return tabbed ? Renderer::T1 : Renderer::T5;
    case kThemeXP:
    case kThemeBeige: return tabbed ? Renderer::T2 : Renderer::T6;
    case kThemeFlat: return Renderer::T7;
    default: return tabbed ? Renderer::T3 : Renderer::T4;
  }
}

void TabStrip::DrawTabs() {
  Guarded("DrawTabs", [&] {
    pGetCachedProperties();
    if (tabStyle_ == kTabbedDialog) DrawTabsTabbedDialog();
    else if (tabStyle_ == kPropertyPages) DrawTabsPropertyPages();
    else return;
    if (tabTheme_ == kThemeRounded) {
      backgroundPass_ = true;
      DrawBackground();
    }
    if (useControlBox_) DrawControlBox(0, -1);
  });
}

void TabStrip::DrawTabsTabbedDialog() {
  Guarded("DrawTabsTabbedDialog", [&] {
    if (tabTheme_ < kThemeClassic || tabTheme_ > kThemeBeige) return;
    const Renderer renderer = TabRenderer();
    pLayoutTabs(renderer);
    const int h = StripHeight();
    APIFillRectByCoords(0, 0, cache_.width, h, tabStripBackColor_);
    if (renderer == Renderer::T3 || renderer == Renderer::T4) fillSolid_ = true;
    for (int i = 0; i < cache_.tabCount; ++i) {
      DrawTabFace(renderer, i);
      DrawTabLines(renderer, i);
      DrawTabContent(renderer, i);
    }
    const OleColor outer = outerBorderColor_;
    if (renderer == Renderer::T3 || renderer == Renderer::T4 || renderer == Renderer::T7) {
      APILine(0, h + 1, 0, h + 4, outer);
      APILine(cache_.width - 1, h + 1, cache_.width - 1, h + 4, outer);
    }
    if (cache_.tabCount > 0) {
      const Rect& last = tabs_[static_cast<std::size_t>(cache_.tabCount - 1)].TabRect;
      if (renderer == Renderer::T7) APILine(last.right, last.bottom + 1, cache_.width, last.bottom + 1, outer);
      // The page's top edge also runs on to the right of the last tab in the other text-width
      // looks; without it the page would have no top border beyond the tabs.
      if (renderer == Renderer::T5)
        APILine(last.right, last.bottom, cache_.width - 1, last.bottom, topLeftInnerBorderColor_);
      if (renderer == Renderer::T6) APILine(last.right, last.bottom, cache_.width, last.bottom, outer);
    }
  });
}

void TabStrip::DrawTabsPropertyPages() {
  Guarded("DrawTabsPropertyPages", [&] {
    // The same tab pass serves both styles; the renderer chosen by style and theme decides.
    DrawTabsTabbedDialog();
  });
}

void TabStrip::pLayoutTabs(Renderer renderer) {
  const int count = cache_.tabCount;
  const int h = StripHeight();
  const bool propertyPages = renderer == Renderer::T4 || renderer == Renderer::T5 ||
                             renderer == Renderer::T6 || renderer == Renderer::T7;
  if (propertyPages) surface_.SetFont(renderer == Renderer::T6 ? inActiveTabFont_ : activeTabFont_);
  const int tabbedWidth = count > 0 ? RoundEvenInt(static_cast<double>(cache_.width) / count) : 0;
  int previousRight = 0;
  for (int i = 0; i < count; ++i) {
    TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
    const bool active = i == cache_.activeTab;
    const int own = active ? cache_.activeTabHeight : cache_.inActiveTabHeight;
    const int other = active ? cache_.inActiveTabHeight : cache_.activeTabHeight;
    Rect r;
    r.top = own > other ? 0 : other - own;
    r.bottom = r.top + own + (IsRounded(tabTheme_) ? 2 : 0);
    if (!propertyPages) {
      r.left = i * tabbedWidth;
      r.right = i == count - 1 ? cache_.width - 1 : r.left + tabbedWidth;
    } else {
      const float text =
          static_cast<float>(surface_.MeasureText(MeasuredCaption(tab.Caption)).width);
      int w;
      if (tab.TabPicture.Empty()) {
        w = RoundEvenInt(text + 14.0f);
      } else {
        const int s = std::min(iconSize_, renderer == Renderer::T5 ? h - 6 : h - 2);
        w = RoundEvenInt(text + 14.0f + static_cast<float>(s) + (renderer == Renderer::T4 ? 4.0f : 1.0f));
      }
      if (i == 0) {
        r.left = active ? 0 : 2;
        r.right = active || renderer == Renderer::T5 ? w : w + 1;
      } else {
        const bool joins = renderer == Renderer::T6 && (active || i - 1 == cache_.activeTab);
        r.left = joins ? previousRight : previousRight + 1;
        r.right = r.left + w;
      }
      if (useControlBox_) {
        switch (renderer) {
          case Renderer::T5:
          case Renderer::T7: r.right += active ? 15 : 12; break;
          case Renderer::T6: r.right += active ? 21 : 15; break;
          default: r.right += active ? 6 : 0; break;
        }
      }
    }
    previousRight = r.right;
    tab.TabRect = r;
    if (tabTheme_ == kThemeClassic) tab.ControlBoxRect = Rect{r.right - 14, r.top + 5, r.right - 4, r.top + 15};
    else if (renderer == Renderer::T7) tab.ControlBoxRect = Rect{r.right - 13, r.top + 5, r.right - 3, r.top + 15};
    else tab.ControlBoxRect = Rect{r.right - 13, r.top + 6, r.right - 3, r.top + 16};
  }
}

void TabStrip::DrawTabFace(Renderer renderer, int i) {
  const TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
  const bool active = i == cache_.activeTab;
  OleColor start = active ? cache_.activeStart : cache_.inActiveStart;
  OleColor end = active ? cache_.activeEnd : cache_.inActiveEnd;
  if (!tab.Enabled) start = end = cache_.disabledBack;
  const auto [L, T, R, B] = tab.TabRect;
  const bool leftOfActive = i == cache_.activeTab - 1;
  const bool rightOfActive = i == cache_.activeTab + 1;
  switch (renderer) {
    case Renderer::T1: pFillCurvedGradient(L + 1, T, R, B, start, end, 4, true, true); break;
    case Renderer::T2: pFillCurvedGradient(L, T, R, B, start, end, 4, true, true); break;
    case Renderer::T3:
    case Renderer::T4: {
      fillColor_ = GetRGBFromOLE(start);
      surface_.RoundRect(Rect{L, T, R, cache_.height - 1}, xRadius_, yRadius_,
                         GetRGBFromOLE(outerBorderColor_), fillColor_);
      break;
    }
    case Renderer::T7: pFillCurvedGradient(L, T, R, B, start, end, -1, true, true); break;
    case Renderer::T5:
    case Renderer::T6: {
      const bool wide = leftOfActive || (renderer == Renderer::T6 && active);
      bool cutLeft = true, cutRight = true;
      if (!tab.Enabled && leftOfActive) cutRight = false;
      if (!tab.Enabled && rightOfActive) cutLeft = false;
      pFillCurvedGradient(L, T, wide ? R : R - 1, B, start, end, 2, cutLeft, cutRight);
      break;
    }
  }
}

void TabStrip::DrawTabLines(Renderer renderer, int i) {
  const TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
  const bool active = i == cache_.activeTab;
  const auto [L, T, R, B] = tab.TabRect;
  const OleColor outer = outerBorderColor_, tl = topLeftInnerBorderColor_,
                 br = bottomRightInnerBorderColor_;
  const OleColor page = tab.Enabled ? activeTabBackEndColor_ : disabledTabBackColor_;
  auto line = [&](int x1, int y1, int x2, int y2, OleColor c) { APILine(x1, y1, x2, y2, c); };
  switch (renderer) {
    case Renderer::T1:
      if (active) {
        line(L, T + 4, L + 4, T, outer);
        line(L + 1, T + 4, L + 4, T + 1, tl);
        line(L + 2, T + 4, L + 4, T + 2, tl);
        line(L + 4, T, R - 4, T, outer);
        line(L + 4, T + 1, R - 4, T + 1, tl);
        line(L + 4, T + 2, R - 4, T + 2, tl);
        line(R - 4, T, R, T + 4, outer);
        line(R - 4, T + 1, R - 1, T + 4, br);
        line(R - 4, T + 2, R - 2, T + 4, br);
        line(R, T + 4, R, B + 1, outer);
        line(R - 1, T + 4, R - 1, B + 2, br);
        line(R - 2, T + 4, R - 2, B + 3, br);
        line(L + 3, B + 1, R - 2, B + 1, page);
        line(L + 3, B + 2, R - 2, B + 2, page);
        line(L + 3, B + 3, R - 2, B + 3, page);
        line(L, T + 4, L, B + 1, outer);
        line(L + 1, T + 4, L + 1, B + 2, tl);
        line(L + 2, T + 4, L + 2, B + 3, tl);
      } else {
        line(L, T + 4, L + 4, T, outer);
        line(L + 1, T + 4, L + 4, T + 1, tl);
        line(L + 4, T, R - 4, T, outer);
        line(L + 4, T + 1, R - 4, T + 1, tl);
        line(R - 4, T, R, T + 4, outer);
        line(R - 4, T + 1, R - 1, T + 4, br);
        line(R, T + 4, R, B + 1, outer);
        line(R - 1, T + 4, R - 1, B + 1, br);
        line(L, B + 1, R + 1, B + 1, outer);
        line(L - 1, B + 2, R + 1, B + 2, tl);
        line(L - 2, B + 3, R + 2, B + 3, tl);
        line(L, T + 4, L, B + 1, outer);
        line(L + 1, T + 4, L + 1, B + 1, tl);
      }
      break;
    case Renderer::T2:
      line(L, T + 4, L + 4, T, outer);
      line(L + 4, T, R - 4, T, outer);
      line(R - 4, T, R, T + 4, outer);
      line(R, T + 4, R, B + 1, outer);
      if (active) line(L + 1, B + 1, R, B + 1, page);
      else line(L, B + 1, R + 1, B + 1, outer);
      line(L, T + 4, L, B + 1, outer);
      break;
    case Renderer::T3:
    case Renderer::T4: break;
    case Renderer::T7:
      if (active) {
        line(L, T, R, T, outer);
        line(R, T, R, B + 2, br);
        line(L, B + 1, R, B + 1, page);
        line(L, T, L, B + 2, outer);
      } else {
        if (i != cache_.activeTab - 1) line(R - 1, T + 2, R - 1, B - 2, inActiveTabForeColor_);
        line(L, B + 1, R + 1, B + 1, outer);
      }
      break;
    case Renderer::T5:
      line(L, T + 2, L + 3, T - 1, tl);
      line(L + 2, T, R - 2, T, tl);
      line(R - 2, T + 1, R, T + 3, outer);
      line(R - 1, T + 2, R - 1, active ? B + 1 : B, outer);
      line(R - 2, T + 2, R - 2, active ? B + 1 : B, br);
      line(L, T + 2, L, B + 1, tl);
      if (!active) line(L, B, R, B, tl);
      if (i == 0) line(L - 2, B, L, B, tl);
      break;
    case Renderer::T6: {
      const bool leftOfActive = i == cache_.activeTab - 1;
      const bool rightOfActive = i == cache_.activeTab + 1;
      if (active || leftOfActive) {
        line(L, T + 2, L + 3, T - 1, outer);
        line(L + 2, T, R - 2, T, outer);
        line(R - 2, T + 1, R, T + 3, outer);
        line(R - 1, T + 2, R - 1, B + 1, outer);
        line(L, T + 2, L, B + 1, outer);
        if (leftOfActive) {
          line(L + 2, T, R, T, outer);
          line(L, B, R + 1, B, outer);
        }
      } else if (rightOfActive) {
        line(L, T + 2, L + 3, T - 1, outer);
        line(L + 2, T, R - 2, T, outer);
        line(L, T + 2, L, B + 1, outer);
        line(L, T, R - 2, T, outer);
        line(R - 2, T + 1, R, T + 3, outer);
        line(R - 1, T + 2, R - 1, B, outer);
        line(L, B, R + 1, B, outer);
      } else {
        line(L, T + 2, L + 3, T - 1, outer);
        line(L + 2, T, R - 2, T, outer);
        line(R - 2, T + 1, R, T + 3, outer);
        line(R - 1, T + 2, R - 1, B, outer);
        line(L, B, R + 1, B, outer);
        line(L, T + 2, L, B + 1, outer);
      }
      if (i == 0) line(L - 2, B, L, B, outer);
      break;
    }
  }
}

// --- Pictures and captions -----------------------------------------------------------------------

Rect TabStrip::CaptionRect(Renderer renderer, int i, int* pictureX, int* pictureY, int* pictureEdge) {
  const TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
  const bool active = i == cache_.activeTab;
  const auto [L, T, R, B] = tab.TabRect;
  const bool rounded = renderer == Renderer::T3 || renderer == Renderer::T4;
  const bool tabbed = renderer == Renderer::T1 || renderer == Renderer::T2 || renderer == Renderer::T3;
  const bool hasPicture = !tab.TabPicture.Empty();
  const int shift = useControlBox_ ? 2 : 0;

  Rect work;
  if (rounded) work = Rect{L, T, R - 1, B};
  else if (tabbed) work = Rect{L + 3, T + 3, R - 2, B};
  else if (renderer == Renderer::T6) work = Rect{L + 2 - shift, T + 4, R - 2 - shift, B};
  else work = Rect{L - shift, T, R - 1 - shift, B};

  int s = iconSize_;
  int px = 0, py = 0;
  if (hasPicture) {
    if (work.top + s > work.bottom + 1) s = rounded ? work.bottom - 4 - work.top : work.bottom + 1 - work.top;
    py = work.top + RoundEvenInt((work.bottom - work.top - s) / 2.0);
  }
  const bool picLeft = pictureAlign_ == kPicTabLeft || pictureAlign_ == kPicCaptionLeft;

  Rect caption = work;
  if (renderer == Renderer::T6) {
    // Drawn centred by the platform into the working rectangle.
    if (hasPicture && picLeft) {
      px = work.left + 2;
      caption.left += s - 1;
    } else if (hasPicture) {
      caption.right -= s + 2;
      px = std::min(caption.right + 2, work.right - s);
    }
  } else {
    Rect measured = caption;
    surface_.DrawText(tab.Caption, measured,
                      textfmt::kCalcRect | textfmt::kSingleLine | textfmt::kEndEllipsis, 0);
    const int tw = measured.right - measured.left + 2;
    const int th = measured.bottom - measured.top + 1;
    const int top = RoundEvenInt(B / 2.0 + caption.top - measured.bottom / 2.0);
    if (tabbed) {
      caption.left = RoundEvenInt(caption.left - 1 + R / 2.0 - measured.right / 2.0);
      caption.right = caption.left + tw;
    } else if (hasPicture && picLeft) {
      px = work.left + 4;
      caption.left = px + s + 2;
      caption.right = caption.left + tw;
    } else {
      caption.left += 7;
      caption.right = caption.left + tw;
      if (hasPicture) px = std::min(caption.right + 5, work.right - s);
    }
    caption.top = top;
    caption.bottom = top + th;
    if (hasPicture && tabbed) {
      const int inset = rounded ? 4 : 0;
      switch (pictureAlign_) {
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
        case kPicCaptionLeft: px = std::max(caption.left - s - 1, work.left); break;
        default: px = std::min(caption.right + 1, work.right - s); break;
      }
    }
  }
  if (pictureX) *pictureX = px;
  if (pictureY) *pictureY = py;
  if (pictureEdge) *pictureEdge = s;
  return caption;
}

void TabStrip::DrawTabContent(Renderer renderer, int i) {
  const TabRecord& tab = tabs_[static_cast<std::size_t>(i)];
  const bool active = i == cache_.activeTab;
  surface_.SetFont(active ? activeTabFont_ : inActiveTabFont_);
  const OleColor text = !tab.Enabled ? cache_.disabledFore : active ? cache_.activeFore : cache_.inActiveFore;
  penColor_ = GetRGBFromOLE(text);
  int px = 0, py = 0, s = 0;
  Rect caption = CaptionRect(renderer, i, &px, &py, &s);
  if (!tab.TabPicture.Empty()) {
    if (useMaskColor_ && tab.TabPicture.kind == Picture::Kind::Bitmap) {
      Guarded("DrawImage", [&] {
        surface_.DrawPicture(tab.TabPicture, Rect{px, py, px + s, py + s}, GetRGBFromOLE(pictureMaskColor_));
      });
    } else {
      pPaintPicture(tab.TabPicture, px, py, s, s);
    }
  }
  const unsigned format = renderer == Renderer::T6
                              ? textfmt::kCenter | textfmt::kVCenter | textfmt::kSingleLine
                              : textfmt::kSingleLine;
  surface_.DrawText(tab.Caption, caption, format, penColor_);
  if (host_.UserMode() && showFocusRect_ && active && cache_.isFocused)
    surface_.DrawFocusRect(FocusRectOf(renderer, i, caption));
}

Rect TabStrip::FocusRectOf(Renderer renderer, int i, const Rect& caption) {
  if (renderer != Renderer::T6) return caption;
  // The platform centres this look's caption in the whole working rectangle, which also holds
  // the picture and the close box; the focus mark goes around the text itself.
  Rect measured = caption;
  surface_.DrawText(tabs_[static_cast<std::size_t>(i)].Caption, measured,
                    textfmt::kCalcRect | textfmt::kSingleLine, 0);
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
