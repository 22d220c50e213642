#include <gtest/gtest.h>

#include "controls/tabstrip/painters/tab_canvas.h"
#include "platform/control_error.h"
#include "support/raster_images.h"
#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::Rig;

using kestrune::testing::Pixels;

constexpr Rgb kFace = MakeRgb(212, 208, 200);
constexpr Rgb kDark = MakeRgb(64, 64, 64);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kShadow = MakeRgb(128, 128, 128);

// Where each look puts its tabs is tab_layout_test's; here, that the strip keeps the rectangles of
// its last tab pass, which hit testing reads.
TEST(TabStripLayout, TheStripKeepsTheRectanglesOfItsLastTabPass) {
  Rig rig(300, 100);
  TabStrip& s = rig.New();
  EXPECT_EQ(s.Tab(1).tabRect, (Rect{0, 0, 0, 0}));  // nothing drawn yet
  s.Refresh();
  EXPECT_EQ(s.Tab(1).tabRect, (Rect{100, 0, 200, 22}));
  EXPECT_EQ(s.Tab(1).closeBoxRect, (Rect{186, 5, 196, 15}));
  s.SetTabTheme(kThemeRounded);
  EXPECT_EQ(s.Tab(0).tabRect, (Rect{0, 2, 100, 24}));
  s.SetTabCount(4);
  EXPECT_EQ(s.Tab(3).tabRect, (Rect{225, 0, 299, 24}));
}

TEST(TabCanvas, GradientRowsRoundHalvesToEven) {
  RasterSurface surface(20, 10);
  testing::FakeSystemColors colors;
  TabCanvas canvas(surface, colors);
  surface.Clear(0);
  canvas.FillGradient(Rect{2, 0, 12, 4}, 0x000000, 0x0000FF, -1, false, false);
  const int reds[] = {0, 64, 128, 191, 255};
  for (int y = 0; y <= 4; ++y) {
    EXPECT_EQ(surface.GetPixel(2, y), MakeRgb(reds[y], 0, 0)) << "row " << y;
    EXPECT_EQ(surface.GetPixel(11, y), MakeRgb(reds[y], 0, 0)) << "row " << y;
    EXPECT_EQ(surface.GetPixel(12, y), 0u) << "end point excluded, row " << y;
  }
}

TEST(TabCanvas, ChamferedFillsCutTheirTopCorners) {
  RasterSurface surface(20, 10);
  testing::FakeSystemColors colors;
  TabCanvas canvas(surface, colors);
  auto rowSpan = [&](int y) {
    int first = -1, last = -1;
    for (int x = 0; x < 20; ++x)
      if (surface.GetPixel(x, y) == kWhite) {
        if (first < 0) first = x;
        last = x;
      }
    return std::pair{first, last};
  };
  surface.Clear(0);
  canvas.FillSolid(Rect{0, 0, 10, 4}, 0xFFFFFF, 2, true, true);
  EXPECT_EQ(rowSpan(0), (std::pair{3, 7}));
  EXPECT_EQ(rowSpan(1), (std::pair{2, 8}));
  EXPECT_EQ(rowSpan(2), (std::pair{1, 9}));
  EXPECT_EQ(rowSpan(3), (std::pair{1, 9}));
  surface.Clear(0);
  canvas.FillSolid(Rect{0, 0, 10, 4}, 0xFFFFFF, 2, true, false);
  EXPECT_EQ(rowSpan(0), (std::pair{3, 9}));
  surface.Clear(0);
  canvas.FillSolid(Rect{0, 0, 10, 4}, 0xFFFFFF, 2, false, true);
  EXPECT_EQ(rowSpan(0), (std::pair{0, 7}));
}

TEST(TabStripRendering, ClassicTabbedDialogLines) {
  Rig rig(300, 100);
  TabStrip& s = rig.New();
  s.SetActiveTab(1);  // tab 1 spans 100..200, top 2, bottom 22
  // Active tab: chamfer, top and its highlight, right shadow, and the page joined underneath.
  EXPECT_EQ(rig.Px(101, 5), kDark);    // (L, T+4) -> (L+4, T)
  EXPECT_EQ(rig.Px(104, 2), kDark);    // top edge
  EXPECT_EQ(rig.Px(150, 2), kDark);
  EXPECT_EQ(rig.Px(150, 3), kWhite);   // top-left highlight rows
  EXPECT_EQ(rig.Px(150, 4), kWhite);
  EXPECT_EQ(rig.Px(200, 10), kDark);   // right outline
  EXPECT_EQ(rig.Px(199, 10), kShadow);
  EXPECT_EQ(rig.Px(198, 10), kShadow);
  EXPECT_EQ(rig.Px(100, 10), kDark);   // left outline
  EXPECT_EQ(rig.Px(101, 10), kWhite);
  for (int y = 23; y <= 25; ++y) EXPECT_EQ(rig.Px(150, y), kFace) << y;  // no page edge under it
  // Inactive tab 0: the page's top edge runs underneath it.
  EXPECT_EQ(rig.Px(50, 0), kDark);
  EXPECT_EQ(rig.Px(50, 1), kWhite);
  EXPECT_EQ(rig.Px(50, 23), kDark);
  EXPECT_EQ(rig.Px(50, 24), kWhite);
  EXPECT_EQ(rig.Px(50, 25), kWhite);
  // Frame B1: outer, then two highlight columns on the left; shadows at the bottom.
  EXPECT_EQ(rig.Px(0, 60), kDark);
  EXPECT_EQ(rig.Px(1, 60), kWhite);
  EXPECT_EQ(rig.Px(2, 60), kWhite);
  EXPECT_EQ(rig.Px(150, 99), kDark);
  EXPECT_EQ(rig.Px(150, 98), kShadow);
  EXPECT_EQ(rig.Px(150, 60), kFace);  // the page in the active tab's end colour
  EXPECT_EQ(rig.Px(120, 12), kFace);  // the tab face
}

TEST(TabStripRendering, XpPropertyPagesLines) {
  Rig rig(300, 80);
  TabStrip& s = rig.New();
  s.Set<std::int32_t>("TabStyle", kPropertyPages);
  s.SetTabTheme(kThemeXP);
  s.SetTabCount(4);
  s.SetActiveTab(1);
  const Rgb outer = 0x9B9C91;
  const Rect t0 = s.Tab(0).tabRect, t1 = s.Tab(1).tabRect, t2 = s.Tab(2).tabRect,
             t3 = s.Tab(3).tabRect;
  ASSERT_EQ(t0, (Rect{2, 0, 45, 22}));  // "Tab 0": 30 px + 14, one more for an inactive first tab
  ASSERT_EQ(t1, (Rect{45, 2, 89, 22}));
  ASSERT_EQ(t2, (Rect{89, 0, 133, 22}));
  ASSERT_EQ(t3, (Rect{134, 0, 178, 22}));
  // Active: top edge from L+2 to R-3, both sides down to B, no edge under it.
  EXPECT_EQ(rig.Px(t1.left + 2, 2), outer);
  EXPECT_EQ(rig.Px(t1.right - 3, 2), outer);
  EXPECT_EQ(rig.Px(t1.left, 15), outer);
  EXPECT_EQ(rig.Px(t1.right - 1, 15), outer);
  EXPECT_NE(rig.Px(t1.left + 3, 22), outer);
  // Left of the active one: its top runs to R, and the page edge under it to R.
  EXPECT_EQ(rig.Px(t0.right - 1, 0), outer);
  EXPECT_EQ(rig.Px(t0.right, 22), outer);
  EXPECT_EQ(rig.Px(0, 22), outer);  // first tab: the page edge left of it
  // Right of it: its left side, its right side stopping above B, the page edge.
  EXPECT_EQ(rig.Px(t2.left, 10), outer);
  EXPECT_EQ(rig.Px(t2.right - 1, 10), outer);
  EXPECT_EQ(rig.Px(t2.left + 5, 22), outer);
  // Any other tab, and the edge on to the right.
  EXPECT_EQ(rig.Px(t3.left, 10), outer);
  EXPECT_EQ(rig.Px(t3.right + 20, 22), outer);
  // Faces: the active tab in its start colour, an inactive one on its way to EAF0F0.
  EXPECT_EQ(rig.Px(t1.left + 3, 12), 0xFBFDFBu);
  // Row 21 of 22 from white towards EAF0F0: 255 - 21 * 15 / 22 = 240.7, 255 - 21 * 21 / 22 = 234.95.
  EXPECT_EQ(rig.Px(t3.left + 3, 21), MakeRgb(241, 241, 235));
  // Frame B3 in the outer colour, the page in the active end colour, the strip in its colour.
  EXPECT_EQ(rig.Px(0, 50), outer);
  EXPECT_EQ(rig.Px(299, 50), outer);
  EXPECT_EQ(rig.Px(150, 79), outer);
  EXPECT_EQ(rig.Px(150, 50), 0xFBFDFBu);
  EXPECT_EQ(rig.Px(290, 5), kFace);
}

TEST(TabStripRendering, ClassicPropertyPagesInactivePageEdgeEndsAtTheTabsRightEdge) {
  Rig rig(300, 80);
  TabStrip& s = rig.New();
  s.Set<std::int32_t>("TabStyle", kPropertyPages);
  s.SetTabCount(3);
  const Rect t1 = s.Tab(1).tabRect, t2 = s.Tab(2).tabRect;
  ASSERT_EQ(t2.left, t1.right + 1);  // the one-pixel gap between inactive tabs
  // (L, B) -> (R, B) paints L .. R - 1 in the top-left colour; R, in the gap, is not the tab's.
  EXPECT_EQ(rig.Px(t1.left, t1.bottom), kWhite);
  EXPECT_EQ(rig.Px(t1.right - 1, t1.bottom), kWhite);
  EXPECT_NE(rig.Px(t1.right, t1.bottom), kWhite);
  // Right of the last tab the page's own top edge takes over.
  EXPECT_EQ(rig.Px(t2.right, t2.bottom), kWhite);
}

TEST(TabStripRendering, RoundedThemePaintsThePageOverTheTabs) {
  Rig rig(300, 80);
  TabStrip& s = rig.New();
  s.SetTabTheme(kThemeRounded);
  const Rgb outer = 0x909090;
  // Page rectangle from h + 1 = 23 to the bottom, outlined; the active tab opens into it.
  EXPECT_EQ(rig.Px(150, 23), outer);
  EXPECT_EQ(rig.Px(50, 23), 0xF8F8F8u);  // line under the active tab (L+1 .. R-2, B-1)
  EXPECT_EQ(rig.Px(150, 50), 0xF8F8F8u);
  EXPECT_EQ(rig.Px(0, 50), outer);
  EXPECT_EQ(rig.Px(299, 50), outer);
  EXPECT_EQ(rig.Px(150, 79), outer);
  EXPECT_EQ(rig.Px(120, 10), 0xE5E5E5u);  // inactive face
}

TEST(TabStripRendering, UnknownThemeOrStyleDrawsOnlyTheClearedSurface) {
  Rig rig(200, 60);
  TabStrip& s = rig.New();
  s.SetTabTheme(5);
  EXPECT_EQ(rig.surface.CountColor(kFace), 200 * 60);
  Rig other(200, 60);
  other.New().Set<std::int32_t>("TabStyle", 2);
  EXPECT_EQ(other.surface.CountColor(kFace), 200 * 60);
}

TEST(TabStripRendering, ATabOfHeightZeroFailsTheRedrawInTheGradient) {
  Rig rig(200, 60);
  TabStrip& s = rig.New();
  try {
    s.Set<std::int32_t>("ActiveTabHeight", 0);
    ADD_FAILURE() << "expected a division by zero";
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), 11);
    EXPECT_EQ(e.Source(), "TabStrip.FillGradient");
  }
  // The guard was released: the control draws again once the height is sound.
  s.Set<std::int32_t>("ActiveTabHeight", 18);
  EXPECT_EQ(s.Tab(0).tabRect, (Rect{0, 4, 67, 22}));
}

TEST(TabStripRendering, CaptionsPicturesAndFocus) {
  Rig rig(300, 60);
  TabStrip& s = rig.New();
  s.SetTabCaption(0, L"&Ab");
  s.SetActiveTab(1);
  s.SetActiveTab(0);
  const Rgb text = 0;  // button text
  // Tab 0 (0..100, 2..22), working rect (3, 5, 98, 22); "Ab" is 12 px wide, 12 high (bold font).
  // left = nearest(3 - 1 + 50 - 15/2) = 44 (right of calc = 3 + 12 = 15), top = nearest(11 + 5 - 17/2) = 8
  EXPECT_EQ(rig.Px(45, 11), text);       // inside the glyph box of "A"
  EXPECT_EQ(rig.Px(45, 19), text);       // underline of the access key on the cell's last row
  EXPECT_NE(rig.Px(51, 19), text);       // "b" is not underlined
  const std::vector<Rgb> before = Pixels(rig.surface);
  s.OnGotFocus();
  const std::vector<Rgb> focused = Pixels(rig.surface);
  EXPECT_NE(focused, before);  // the dotted mark
  s.Refresh();                 // a full redraw keeps the mark while focused
  EXPECT_EQ(Pixels(rig.surface), focused);
  s.OnLostFocus();
  EXPECT_EQ(Pixels(rig.surface), before);
  // While the host hides focus marks the focused strip draws none; a change redraws the mark.
  rig.host.focusMarksShown = false;
  s.OnGotFocus();
  EXPECT_EQ(Pixels(rig.surface), before);
  rig.host.focusMarksShown = true;
  s.OnAmbientChanged();
  EXPECT_EQ(Pixels(rig.surface), focused);
  rig.host.focusMarksShown = false;
  s.OnAmbientChanged();
  EXPECT_EQ(Pixels(rig.surface), before);
  s.OnLostFocus();
  EXPECT_EQ(Pixels(rig.surface), before);

  // A bitmap picture leaves out the mask colour.
  Picture p;
  p.kind = Picture::Kind::Bitmap;
  p.width = p.height = 2;
  p.pixels = {0xC0C0C0, 0x0000FF, 0x0000FF, 0x0000FF};
  s.SetTabPicture(1, p);
  // Tab 1 inactive: working (103, 3, 198, 22), edge 16, y = 3 + nearest(3/2) = 5, x = 103.
  EXPECT_EQ(rig.Px(111, 5), 0x0000FFu);
  EXPECT_NE(rig.Px(103, 5), 0xC0C0C0u);
  s.Set<bool>("UseMaskColor", false);
  EXPECT_EQ(rig.Px(103, 5), 0xC0C0C0u);
}

}  // namespace
}  // namespace kestrune::tabstrip
