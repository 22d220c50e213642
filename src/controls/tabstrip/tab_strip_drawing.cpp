// The paint pipeline: when the page, the tab row, the close boxes, the focus mark and the hover
// highlight are drawn, and what each pass hands its painter. What they look like is the painters'
// (painters/), where they go the layout's (tab_layout.h).
#include <algorithm>

#include "controls/tabstrip/painters/look_painter.h"
#include "controls/tabstrip/painters/overlay_painters.h"
#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_error.h"

namespace kestrune::tabstrip {

PaintContext TabStrip::PaintPass(TabLook look) {
  const bool focusMark = host_.UserMode() && model_.showFocusRect && isFocused_ && host_.FocusMarksShown();
  return PaintContext{canvas_, model_, look, surface_.ScaleWidth(), surface_.ScaleHeight(), IconSize(), measure_,
                      focusMark};
}

void TabStrip::DrawWholeStrip() {
  Guarded("DrawWholeStrip", [&] {
    canvas_.Clear(model_.backColor);
    DrawPage();
    DrawTabs();
  });
}

void TabStrip::DrawPage() {
  Guarded("DrawPage", [&] {
    if (model_.tabTheme == kThemeRounded && !backgroundPass_) {
      // The rounded page is painted after the tabs on the very first pass only.
      backgroundPass_ = true;
      return;
    }
    const std::optional<TabLook> look = LookOf(model_.tabTheme, model_.tabStyle);
    if (!look) return;
    Guarded(model_.tabStyle == kTabbedDialog ? "DrawBackgroundTabbedDialog" : "DrawBackgroundPropertyPages", [&] {
      const LookPainter& painter = PainterFor(*look);
      if (painter.PageIsBackground()) {
        const OleColor page = PageColor(model_);
        if (page != model_.backColor) Notify("BackColor");
        SetSurfaceBackColor(page);
      }
      PaintContext pass = PaintPass(*look);
      painter.DrawPage(pass);
    });
  });
}

void TabStrip::DrawTabs() {
  Guarded("DrawTabs", [&] {
    if (model_.tabStyle != kTabbedDialog && model_.tabStyle != kPropertyPages) return;
    Guarded("DrawTabs", [&] {
      const std::optional<TabLook> look = LookOf(model_.tabTheme, model_.tabStyle);
      if (!look) return;
      const std::vector<TabGeometry> row = LayOutTabs(*look, model_, surface_.ScaleWidth(), IconSize(), measure_);
      for (int i = 0; i < model_.tabCount; ++i) {
        model_.Tab(i).tabRect = row[static_cast<std::size_t>(i)].tab;
        model_.Tab(i).closeBoxRect = row[static_cast<std::size_t>(i)].closeBox;
      }
      PaintContext pass = PaintPass(*look);
      PaintTabRow(pass, PainterFor(*look));
    });
    if (model_.tabTheme == kThemeRounded) {
      // The page goes over the lower part of the rounded tabs.
      backgroundPass_ = true;
      DrawPage();
    }
    if (model_.useControlBox) DrawCloseBox(0, -1);
  });
}

void TabStrip::DrawCloseBox(int state, int index) {
  Guarded("DrawCloseBox", [&] {
    if (model_.tabTheme < kThemeClassic || model_.tabTheme > kThemeBeige) return;
    const OleColor start = model_.activeTabBackStartColor, end = model_.activeTabBackEndColor;
    const OleColor outer = model_.outerBorderColor;
    if (index == -1) {
      canvas_.pen = ToRgb(outer);
      for (const TabRecord& tab : model_.tabs) PaintCloseBox(canvas_, tab.closeBoxRect, start, end, outer);
      return;
    }
    // The classic look draws its boxes with the tabs only; it has no hot or pressed box.
    if (model_.tabTheme == kThemeClassic) return;
    CheckIndex(index);
    const Rect& box = model_.Tab(index).closeBoxRect;
    const Rgb darker = OffsetColor(end, -48, systemColors_);
    switch (state) {
      case 0: PaintCloseBox(canvas_, box, start, end, outer); break;
      case 1: PaintCloseBox(canvas_, box, start, darker, outer); break;
      default: PaintCloseBox(canvas_, box, darker, darker, outer); break;
    }
    Present();
  });
}

// --- Focus mark ----------------------------------------------------------------------------------

void TabStrip::UpdateFocusMark() {
  Guarded("UpdateFocusMark", [&] {
    // During a redraw the mark is drawn with the tabs.
    if (refreshing_) return;
    refreshing_ = true;
    AtExit clear([&] { refreshing_ = false; });
    ToggleFocusMark();
    Present();
  });
}

void TabStrip::ToggleFocusMark() {
  Guarded("ToggleFocusMark", [&] {
    if (model_.tabStyle != kTabbedDialog && model_.tabStyle != kPropertyPages) return;
    Guarded(model_.tabStyle == kTabbedDialog ? "ShowHideFocusTabbedDialog" : "ShowHideFocusPropertyPages", [&] {
      if (!host_.UserMode() || !model_.showFocusRect || !host_.FocusMarksShown()) return;
      const std::optional<TabLook> look = LookOf(model_.tabTheme, model_.tabStyle);
      if (!look || !model_.ValidIndex(model_.activeTab)) return;
      const int tab = model_.activeTab;
      surface_.SetFont(model_.activeTabFont);
      canvas_.pen = ToRgb(model_.Tab(tab).enabled ? model_.activeTabForeColor : model_.disabledTabForeColor);
      const Rect caption = PlaceCaption(*look, model_, tab, IconSize(), measure_).caption;
      surface_.DrawFocusRect(FocusMarkRect(*look, model_, tab, caption, measure_));
    });
  });
}

// --- Hover highlight -----------------------------------------------------------------------------

void TabStrip::ShowHoverHighlight() {
  Guarded(model_.tabStyle == kPropertyPages ? "pDrawOnMouseOverProperty" : "pDrawOnMouseOverTabbed", [&] {
    hoverDrawn_ = true;
    hoverTab_ = std::clamp(hoverTab_, 0, model_.tabCount - 1);
    hoverRect_ = model_.Tab(hoverTab_).tabRect;
    ToggleHoverHighlight();
    SetHoverTimer(10);
  });
}

void TabStrip::ToggleHoverHighlight() {
  Guarded("ToggleHoverHighlight", [&] {
    if (model_.tabStyle == kTabbedDialog) ToggleTabbedHighlight(canvas_, model_, hoverTab_, hoverRect_);
    else if (model_.tabStyle == kPropertyPages) TogglePagesHighlight(canvas_, model_, hoverTab_, hoverRect_);
  });
}

}  // namespace kestrune::tabstrip
