// Marks laid over the finished strip between full redraws: the hover highlight, the close boxes
// and the focus rectangle.
#include <algorithm>

#include "controls/tabstrip/tab_strip.h"
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
}  // namespace

// --- Hover highlight -----------------------------------------------------------------------------

void TabStrip::pDrawOnMouseOverTabbed() {
  Guarded("pDrawOnMouseOverTabbed", [&] {
    hoverDrawn_ = true;
    hoverTab_ = std::clamp(hoverTab_, 0, tabCount_ - 1);
    hoverRect_ = tabs_[static_cast<std::size_t>(hoverTab_)].TabRect;
    pDrawOverXOred();
    SetHoverTimer(10);
  });
}

void TabStrip::pDrawOnMouseOverProperty() {
  Guarded("pDrawOnMouseOverProperty", [&] {
    hoverDrawn_ = true;
    hoverTab_ = std::clamp(hoverTab_, 0, tabCount_ - 1);
    hoverRect_ = tabs_[static_cast<std::size_t>(hoverTab_)].TabRect;
    pDrawOverXOred();
    SetHoverTimer(10);
  });
}

void TabStrip::pDrawOverXOred() {
  Guarded("pDrawOverXOred", [&] {
    if (tabStyle_ == kTabbedDialog) pDrawOverXOredTabbed();
    else if (tabStyle_ == kPropertyPages) pDrawOverXOredProperty();
  });
}

// Corner pixels soften the highlight's ends; they are set directly, so they stay until the next
// full redraw. corner is 4 for the tabbed form and 2 for property pages.
void TabStrip::HoverCornerPixels(const Rect& h, OleColor highlight, int corner) {
  const int L = h.left, T = h.top, R = h.right;
  const Rgb inner = OffsetColor(highlight, -8, systemColors_);
  const Rgb edge1 = OffsetColor(highlight, -2, systemColors_);
  const Rgb edge2 = OffsetColor(highlight, -21, systemColors_);
  const Rgb edge3 = OffsetColor(highlight, -32, systemColors_);
  const Rgb white = OffsetColor(highlight, 512, systemColors_);
  const Rgb outer = GetRGBFromOLE(outerBorderColor_);
  const Rgb strip = GetRGBFromOLE(tabStripBackColor_);
  const Rgb soft = BlendColors(BlendColors(white, outer, 96, systemColors_), strip, 160, systemColors_);
  const Rgb mid = BlendColors(outer, edge2, 128, systemColors_);
  if (corner >= 4) {
    for (auto [dx, dy] : {std::pair{6, 1}, {5, 1}, {4, 2}, {3, 3}}) {
      surface_.SetPixel(L + dx, T + dy, inner);
      surface_.SetPixel(R - dx, T + dy, inner);
    }
    surface_.SetPixel(L + 5, T, edge1);
    surface_.SetPixel(R - 5, T, edge1);
    for (auto [dx, dy] : {std::pair{3, 1}, {2, 2}}) {
      surface_.SetPixel(L + dx, T + dy, edge2);
      surface_.SetPixel(R - dx, T + dy, edge2);
    }
    surface_.SetPixel(L + 1, T + 3, edge3);
    surface_.SetPixel(R - 1, T + 3, edge3);
    surface_.SetPixel(L + 4, T, mid);
    surface_.SetPixel(R - 4, T, mid);
    for (auto [x, y] : {std::pair{L + 3, T}, {L + 2, T + 1}, {L + 1, T + 2}, {R - 3, T}, {R - 2, T + 1}})
      surface_.SetPixel(x, y, soft);
  } else {
    surface_.SetPixel(L + 3, T + 1, inner);
    surface_.SetPixel(R - 4, T + 1, inner);
    surface_.SetPixel(L + 2, T + 1, edge2);
    surface_.SetPixel(R - 3, T + 1, edge2);
    surface_.SetPixel(L + 1, T + 2, edge3);
    surface_.SetPixel(R - 2, T + 2, edge3);
  }
}

void TabStrip::pDrawOverXOredTabbed() {
  Guarded("pDrawOverXOredTabbed", [&] {
    XorScope xorMode(surface_);
    const Rect& h = hoverRect_;
    const int L = h.left, T = h.top, R = h.right;
    const Rgb outer = GetRGBFromOLE(outerBorderColor_);
    const Rgb activeStart = GetRGBFromOLE(activeTabBackStartColor_);
    const Rgb inActiveStart = GetRGBFromOLE(inActiveTabBackStartColor_);
    const bool focused = hoverTab_ == activeTab_ && useFocusedColor_;
    const Rgb highlight = GetRGBFromOLE(focused ? focusedColor_ : hoverColor_);
    const Rgb start = hoverTab_ == activeTab_ ? activeStart : inActiveStart;
    if (focused ? highlight == activeStart : (highlight == activeStart || highlight == inActiveStart)) return;
    // XOR with the face colour makes the face show the highlight colour; lines then show their
    // shade over the pixels they cross (the outline on top, the highlight underneath).
    const int stripBottom = focused ? T + 4 : T + 3;
    pFillCurvedSolid(L, T + 1, R, stripBottom, highlight ^ start, 3, true, true);
    APILine(L + 6, T, R - 5, T, OffsetColor(highlight, -21, systemColors_) ^ outer);
    APILine(L, stripBottom, R, stripBottom, OffsetColor(highlight, 21, systemColors_) ^ highlight);
    HoverCornerPixels(h, highlight, 4);
  });
}

void TabStrip::pDrawOverXOredProperty() {
  Guarded("pDrawOverXOredProperty", [&] {
    XorScope xorMode(surface_);
    const Rect& h = hoverRect_;
    const int L = h.left, T = h.top, R = h.right;
    const Rgb outer = GetRGBFromOLE(outerBorderColor_);
    const Rgb activeStart = GetRGBFromOLE(activeTabBackStartColor_);
    const Rgb inActiveStart = GetRGBFromOLE(inActiveTabBackStartColor_);
    const Rgb hover = GetRGBFromOLE(hoverColor_);
    const Rgb focusedRgb = GetRGBFromOLE(focusedColor_);
    const bool isActive = hoverTab_ == activeTab_;
    Rgb highlight = hover;
    Rgb start = inActiveStart;
    if (isActive) {
      start = activeStart;
      if (useFocusedColor_) highlight = focusedRgb;
      if (focusedRgb == activeStart) return;
    } else if (hover == activeStart || hover == inActiveStart) {
      return;
    }
    bool cutLeft = true, cutRight = true;
    if (!isActive && hoverTab_ == activeTab_ - 1) cutRight = false;
    if (!isActive && hoverTab_ == activeTab_ + 1) cutLeft = false;
    pFillCurvedSolid(L - 1, T + 1, R, T + 3, highlight ^ start, 2, cutLeft, cutRight);
    const int x1 = cutLeft ? L + 4 : L;
    const int x2 = cutRight ? R - 4 : R;
    APILine(x1, T, x2, T, OffsetColor(highlight, -21, systemColors_) ^ outer);
    APILine(L + 1, T + 3, R - 1, T + 3, OffsetColor(highlight, 21, systemColors_) ^ highlight);
    HoverCornerPixels(h, highlight, 2);
  });
}

// --- Close boxes ---------------------------------------------------------------------------------

void TabStrip::DrawOneControlBox(const Rect& box, OleColor start, OleColor end) {
  const auto [l, t, r, b] = box;
  surface_.RoundRect(box, 2, 2, penColor_, fillSolid_ ? std::optional<Rgb>(fillColor_) : std::nullopt);
  pFillCurvedGradient(l + 1, t + 1, r - 1, b - 2, start, end, -1, false, false);
  const Rgb cross = OffsetColor(outerBorderColor_, -192, systemColors_);
  APILine(l + 3, b - 4, r - 3, t + 2, cross);
  APILine(l + 3, t + 3, r - 3, b - 3, cross);
}

void TabStrip::DrawControlBox(int state, int index) {
  Guarded("DrawControlBox", [&] {
    if (tabTheme_ < kThemeClassic || tabTheme_ > kThemeBeige) return;
    if (index == -1) {
      penColor_ = GetRGBFromOLE(outerBorderColor_);
      for (const TabRecord& tab : tabs_)
        DrawOneControlBox(tab.ControlBoxRect, activeTabBackStartColor_, activeTabBackEndColor_);
      return;
    }
    if (tabTheme_ == kThemeClassic) return;
    CheckIndex(index);
    const Rect& box = tabs_[static_cast<std::size_t>(index)].ControlBoxRect;
    switch (state) {
      case 0: DrawOneControlBox(box, activeTabBackStartColor_, activeTabBackEndColor_); break;
      case 1:
        DrawOneControlBox(box, activeTabBackStartColor_, OffsetColor(activeTabBackEndColor_, -48, systemColors_));
        break;
      default: {
        const Rgb pressed = OffsetColor(activeTabBackEndColor_, -48, systemColors_);
        DrawOneControlBox(box, pressed, pressed);
        break;
      }
    }
    surface_.Present();
    host_.Invalidate();
  });
}

// --- Focus mark ----------------------------------------------------------------------------------

void TabStrip::pShowHideFocus() {
  Guarded("pShowHideFocus", [&] {
    if (refreshing_) return;
    refreshing_ = true;
    struct Clear {
      bool& flag;
      ~Clear() { flag = false; }
    } clear{refreshing_};
    ShowHideFocus();
    if (initCompleted_) Refresh();
    surface_.Present();
    host_.Invalidate();
  });
}

void TabStrip::ShowHideFocus() {
  Guarded("ShowHideFocus", [&] {
    pGetCachedProperties();
    if (tabStyle_ == kTabbedDialog) ShowHideFocusForm("ShowHideFocusTabbedDialog");
    else if (tabStyle_ == kPropertyPages) ShowHideFocusForm("ShowHideFocusPropertyPages");
  });
}

void TabStrip::ShowHideFocusForm(const char* op) {
  Guarded(op, [&] {
    if (!host_.UserMode() || !showFocusRect_) return;
    if (tabTheme_ < kThemeClassic || tabTheme_ > kThemeBeige) return;
    if (activeTab_ < 0 || activeTab_ >= tabCount_) return;
    surface_.SetFont(activeTabFont_);
    const TabRecord& tab = tabs_[static_cast<std::size_t>(activeTab_)];
    penColor_ = GetRGBFromOLE(tab.Enabled ? activeTabForeColor_ : disabledTabForeColor_);
    const Renderer renderer = TabRenderer();
    surface_.DrawFocusRect(FocusRectOf(renderer, activeTab_, CaptionRect(renderer, activeTab_, nullptr, nullptr, nullptr)));
  });
}

}  // namespace kestrune::tabstrip
