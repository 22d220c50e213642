#include <gtest/gtest.h>

#include "support/raster_images.h"
#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::ArtifactPath;
using testing::Rig;
using kestrune::testing::Pixels;

// Pixels that differ between two images, outside the directly set corner pixels of a highlight
// over `hover` (the top four rows within seven pixels of either end).
int DiffOutsideCorners(const RasterSurface& s, const std::vector<Rgb>& before, const Rect& hover) {
  int diff = 0;
  for (int y = 0; y < s.ScaleHeight(); ++y)
    for (int x = 0; x < s.ScaleWidth(); ++x) {
      const bool corner = y >= hover.top && y <= hover.top + 3 &&
                          ((x >= hover.left && x <= hover.left + 6) || (x >= hover.right - 6 && x <= hover.right));
      if (!corner && s.GetPixel(x, y) != before[static_cast<std::size_t>(y * s.ScaleWidth() + x)]) ++diff;
    }
  return diff;
}

struct HoverCase {
  int style;
  int theme;
  int hovered;
};

class HoverTest : public ::testing::TestWithParam<HoverCase> {};

TEST_P(HoverTest, DrawingTheHighlightTwiceRestoresTheStrip) {
  Rig rig(360, 80);
  TabStrip& s = rig.New();
  s.Set<std::int32_t>("TabStyle", GetParam().style);
  s.SetTabTheme(GetParam().theme);
  s.SetTabCount(4);
  s.SetActiveTab(1);
  const std::vector<Rgb> before = Pixels(rig.surface);
  s.SetHoverTab(GetParam().hovered);
  if (GetParam().style == kTabbedDialog) s.ShowHoverHighlight();
  else s.ShowHoverHighlight();
  EXPECT_TRUE(s.HoverDrawn());
  EXPECT_EQ(s.HoverRect(), s.Tab(GetParam().hovered).tabRect);
  EXPECT_GT(DiffOutsideCorners(rig.surface, before, s.HoverRect()), 20);
  EXPECT_EQ(rig.surface.GetDrawMode(), DrawMode::CopyPen);
  ASSERT_TRUE(rig.host.TimerRunning(TabStrip::kHoverTimerId));
  EXPECT_EQ(rig.host.runningTimers[TabStrip::kHoverTimerId], 10u);

  // The timer sees the cursor outside the tab: it stops, and the XOR parts cancel out.
  rig.host.cursor = Point{s.HoverRect().right + 1, 5};
  s.OnTimer(TabStrip::kHoverTimerId);
  EXPECT_FALSE(s.HoverDrawn());
  EXPECT_FALSE(rig.host.TimerRunning(TabStrip::kHoverTimerId));
  EXPECT_EQ(DiffOutsideCorners(rig.surface, before, s.HoverRect()), 0);
}

INSTANTIATE_TEST_SUITE_P(Forms, HoverTest,
                         ::testing::Values(HoverCase{kTabbedDialog, kThemeXP, 2}, HoverCase{kTabbedDialog, kThemeXP, 0},
                                           HoverCase{kPropertyPages, kThemeXP, 0},
                                           HoverCase{kPropertyPages, kThemeXP, 2},
                                           HoverCase{kPropertyPages, kThemeXP, 3},
                                           HoverCase{kPropertyPages, kThemeBeige, 3},
                                           // the active tab, in the focus colour
                                           HoverCase{kTabbedDialog, kThemeXP, 1},
                                           HoverCase{kPropertyPages, kThemeXP, 1}));

TEST(TabStripOverlay, TimerKeepsTheHighlightWhileTheCursorIsOnTheTab) {
  Rig rig(300, 60);
  TabStrip& s = rig.New();
  s.SetTabTheme(kThemeXP);
  s.SetHoverTab(2);
  s.ShowHoverHighlight();
  rig.host.cursor = Point{s.HoverRect().right, s.HoverRect().bottom};  // edges count as inside
  s.OnTimer(TabStrip::kHoverTimerId);
  EXPECT_TRUE(s.HoverDrawn());
  EXPECT_TRUE(rig.host.TimerRunning(TabStrip::kHoverTimerId));
}

TEST(TabStripOverlay, ATimerLeftByAThemeWithoutHighlightStopsAndDrawsNothing) {
  Rig rig(300, 60);
  TabStrip& s = rig.New();
  s.SetTabTheme(kThemeXP);
  s.SetHoverTab(2);
  s.ShowHoverHighlight();
  ASSERT_TRUE(rig.host.TimerRunning(TabStrip::kHoverTimerId));

  s.SetTabTheme(kThemeClassic);
  const std::vector<Rgb> classic = Pixels(rig.surface);
  rig.host.cursor = Point{-5, -5};
  s.OnTimer(TabStrip::kHoverTimerId);
  EXPECT_FALSE(rig.host.TimerRunning(TabStrip::kHoverTimerId));
  EXPECT_FALSE(s.HoverDrawn());
  EXPECT_EQ(Pixels(rig.surface), classic);

  // Back in a theme with a highlight, the next move over a tab shows one again.
  s.SetTabTheme(kThemeXP);
  s.OnMouseMove(0, 0, static_cast<float>(s.Tab(2).tabRect.left + 5), 5.0f);
  EXPECT_TRUE(s.HoverDrawn());
  EXPECT_TRUE(rig.host.TimerRunning(TabStrip::kHoverTimerId));
}

TEST(TabStripOverlay, NoHighlightWhenItsColourIsTheFaceColour) {
  for (int style : {kTabbedDialog, kPropertyPages}) {
    for (int hovered : {0, 2}) {
      Rig rig(300, 60);
      TabStrip& s = rig.New();
      s.Set<std::int32_t>("TabStyle", style);
      s.SetTabTheme(kThemeXP);
      s.SetActiveTab(1);
      s.Set<OleColor>("HoverColor", s.Get<OleColor>("InActiveTabBackStartColor"));
      const std::vector<Rgb> before = Pixels(rig.surface);
      s.SetHoverTab(hovered);
      s.ToggleHoverHighlight();
      EXPECT_EQ(Pixels(rig.surface), before) << style << " " << hovered;
      EXPECT_EQ(rig.surface.GetDrawMode(), DrawMode::CopyPen);
    }
  }
  Rig rig(300, 60);
  TabStrip& s = rig.New();
  s.SetTabTheme(kThemeXP);
  s.Set<OleColor>("FocusedColor", s.Get<OleColor>("ActiveTabBackStartColor"));
  const std::vector<Rgb> before = Pixels(rig.surface);
  s.SetHoverTab(0);  // the active tab
  s.ToggleHoverHighlight();
  EXPECT_EQ(Pixels(rig.surface), before);
}

TEST(TabStripOverlay, HighlightShowsTheHoverColourOnTheFace) {
  Rig rig(300, 60);
  TabStrip& s = rig.New();
  s.SetTabTheme(kThemeXP);
  const Rect h = s.Tab(2).tabRect;
  const Rgb face = rig.Px((h.left + h.right) / 2, h.top + 2);
  s.SetHoverTab(2);
  s.ShowHoverHighlight();
  // XOR with hover ^ start: where the face is the start colour it shows the hover colour.
  EXPECT_EQ(rig.Px((h.left + h.right) / 2, h.top + 2), face ^ 0x3BC7FFu ^ 0xFFFFFFu);
  EXPECT_EQ(face ^ 0x3BC7FFu ^ 0xFFFFFFu, MakeRgb(254, 198, 57));  // the face is nearly white up there
  ASSERT_TRUE(rig.surface.WritePng(ArtifactPath("tabstrip_xp_hover.png")));
}

TEST(TabStripOverlay, CloseBoxCrossAndStates) {
  Rig rig(300, 60);
  TabStrip& s = rig.New();
  s.SetTabTheme(kThemeXP);
  s.DrawCloseBox(0, -1);  // all boxes: leaves the pen in the outer colour
  TabRecord r = s.Tab(0);
  r.closeBoxRect = Rect{86, 6, 96, 16};
  s.SetTab(0, r);
  s.DrawCloseBox(0, 0);
  const Rgb cross = 0;  // 9B9C91 darkened by 192 per channel
  for (auto [x, y] : {std::pair{89, 12}, {90, 11}, {91, 10}, {92, 9}, {89, 9}, {90, 10}, {91, 11}, {92, 12}})
    EXPECT_EQ(rig.Px(x, y), cross) << x << "," << y;
  EXPECT_NE(rig.Px(93, 8), cross);  // end points excluded
  EXPECT_NE(rig.Px(93, 13), cross);
  EXPECT_EQ(rig.Px(87, 7), 0xFBFDFBu);   // normal: the active tab's colours
  EXPECT_EQ(rig.Px(90, 6), 0x9B9C91u);   // outline in the current pen colour
  s.DrawCloseBox(1, 0);                // hot: lower end 48 darker per channel
  EXPECT_EQ(rig.Px(87, 14), OffsetColor(0xFBFDFB, -48, rig.colors));
  EXPECT_EQ(rig.Px(87, 7), 0xFBFDFBu);
  s.DrawCloseBox(2, 0);  // pressed: both ends darker
  EXPECT_EQ(rig.Px(87, 7), OffsetColor(0xFBFDFB, -48, rig.colors));

  // Classic draws single boxes only as part of all boxes.
  Rig classic(300, 60);
  TabStrip& c = classic.New();
  TabRecord cr = c.Tab(0);
  cr.closeBoxRect = Rect{86, 6, 96, 16};
  c.SetTab(0, cr);
  const std::vector<Rgb> before = Pixels(classic.surface);
  c.DrawCloseBox(1, 0);
  EXPECT_EQ(Pixels(classic.surface), before);
  c.DrawCloseBox(0, -1);
  EXPECT_EQ(classic.Px(89, 12), MakeRgb(0, 0, 0));
}

TEST(TabStripOverlay, FocusMarkTwiceLeavesTheSurfaceAsItWas) {
  for (int theme = 0; theme <= 4; ++theme) {
    for (int style = 0; style <= 1; ++style) {
      Rig rig(300, 60);
      TabStrip& s = rig.New();
      s.SetTabTheme(theme);
      s.Set<std::int32_t>("TabStyle", style);
      const std::vector<Rgb> before = Pixels(rig.surface);
      s.ToggleFocusMark();
      EXPECT_NE(Pixels(rig.surface), before) << theme << "/" << style;
      s.ToggleFocusMark();
      EXPECT_EQ(Pixels(rig.surface), before) << theme << "/" << style;
    }
  }
  Rig design(300, 60);
  design.host.userMode = false;
  TabStrip& d = design.New();
  d.Refresh();
  const std::vector<Rgb> before = Pixels(design.surface);
  d.ToggleFocusMark();
  EXPECT_EQ(Pixels(design.surface), before);  // no focus mark in a designer
}

}  // namespace
}  // namespace kestrune::tabstrip
