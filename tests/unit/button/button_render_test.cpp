// Pixel-exact checks of the gradient button's drawing at the form's size (75 x 23) unless stated.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "button_rig.h"

namespace kestrune::button {
namespace {

using testing::ButtonRig;

class ButtonRenderTest : public ::testing::Test {
 protected:
  void SetUp() override { rig.button.InitNew(); }
  Rgb Pixel(int x, int y) const { return rig.Pixel(x, y); }
  ButtonRig rig;
};

TEST_F(ButtonRenderTest, XpNormalFadesToWhiteTowardsTheTop) {
  rig.button.SetCaption(L"OK");
  EXPECT_EQ(Pixel(3, 21), MakeRgb(201, 200, 217));  // 201.17, 200.22, 217.22 rounded
  EXPECT_EQ(Pixel(3, 20), MakeRgb(204, 203, 219));
  EXPECT_EQ(Pixel(3, 12), MakeRgb(230, 229, 237));
  EXPECT_EQ(Pixel(3, 1), MakeRgb(255, 255, 255));  // 264.5 capped
  // Frame edges, inner corner pixels, and the outermost corner left in the face colour.
  EXPECT_EQ(Pixel(10, 0), MakeRgb(0, 60, 115));
  EXPECT_EQ(Pixel(0, 10), MakeRgb(0, 60, 115));
  EXPECT_EQ(Pixel(74, 10), MakeRgb(0, 60, 115));
  EXPECT_EQ(Pixel(10, 22), MakeRgb(0, 60, 115));
  EXPECT_EQ(Pixel(1, 1), MakeRgb(16, 77, 123));
  EXPECT_EQ(Pixel(73, 21), MakeRgb(16, 77, 123));
  EXPECT_EQ(Pixel(0, 0), MakeRgb(236, 233, 216));
  EXPECT_EQ(Pixel(1, 0), MakeRgb(236, 233, 216));
}

TEST_F(ButtonRenderTest, XpPressedFadesTheOtherWay) {
  rig.button.OnMouseDown(1, 0, 5, 5);
  EXPECT_EQ(Pixel(3, 1), MakeRgb(176, 175, 192));
  EXPECT_GT(RedOf(Pixel(3, 21)), RedOf(Pixel(3, 2)));
  EXPECT_EQ(Pixel(10, 0), MakeRgb(0, 60, 115));
}

TEST_F(ButtonRenderTest, XpSchemeTwoShadesTheBackColour) {
  rig.button.SetBackColor(MakeRgb(100, 100, 96));
  rig.button.SetColorScheme(2);
  // base = (148, 148, 120); row 10 shades by round(-25 / 23 * 10) = -11.
  EXPECT_EQ(Pixel(3, 10), MakeRgb(137, 137, 114));
}

TEST_F(ButtonRenderTest, XpRingsForHoverDefaultAndFocus) {
  rig.button.OnMouseMove(0, 0, 5, 5);
  EXPECT_EQ(Pixel(10, 1), MakeRgb(250, 195, 88));  // rectcolor 0x58C3FA
  EXPECT_EQ(Pixel(1, 10), MakeRgb(250, 195, 88));
  rig.button.Set<std::int32_t>("XpType", 2);
  EXPECT_EQ(Pixel(10, 1), MakeRgb(228, 144, 80));

  ButtonRig def;
  def.host.displayAsDefault = true;  // the default ring shows without focus
  def.button.InitNew();
  EXPECT_EQ(def.Pixel(10, 1), MakeRgb(206, 231, 255));
  EXPECT_EQ(def.Pixel(10, 21), MakeRgb(107, 130, 239));
  // The focus rectangle inverts every other pixel of the ring's side lines.
  EXPECT_EQ(def.Pixel(2, 10) ^ def.Pixel(2, 11), MakeRgb(255, 255, 255));
  EXPECT_TRUE(def.Pixel(2, 10) == MakeRgb(181, 209, 240) || def.Pixel(2, 11) == MakeRgb(181, 209, 240));
  def.button.Set<std::int32_t>("XpType", 2);
  EXPECT_EQ(def.Pixel(10, 1), MakeRgb(122, 184, 98));
  // Hidden focus rectangles hide the default ring too.
  def.button.Set<bool>("ShowFocusRect", false);
  EXPECT_EQ(def.Pixel(10, 1), MakeRgb(255, 255, 239));  // the XP type 2 face shows

  // Focus while the focus rectangle is hidden draws no ring, and the focus itself is kept.
  rig.button.Set<std::int32_t>("XpType", 1);
  rig.host.cursor = Point{-5, 5};
  rig.button.OnTimer(GradientButton::kLeaveTimerId);
  rig.button.Set<bool>("ShowFocusRect", false);
  rig.button.OnGotFocus();
  EXPECT_EQ(Pixel(10, 1), MakeRgb(255, 255, 255));
  EXPECT_TRUE(rig.button.HasFocus());
  rig.button.Set<bool>("ShowFocusRect", true);
  EXPECT_EQ(Pixel(10, 1), MakeRgb(206, 231, 255));
  // A host that hides focus marks after mouse use hides the ring until it shows them again.
  rig.host.focusMarksShown = false;
  rig.button.OnAmbientChanged();
  EXPECT_EQ(Pixel(10, 1), MakeRgb(255, 255, 255));
  rig.host.focusMarksShown = true;
  rig.button.OnAmbientChanged();
  EXPECT_EQ(Pixel(10, 1), MakeRgb(206, 231, 255));
}

TEST_F(ButtonRenderTest, XpDisabled) {
  rig.button.SetCaption(L"OK");
  rig.button.SetEnabled(false);
  EXPECT_EQ(Pixel(3, 10), MakeRgb(244, 244, 234));
  EXPECT_EQ(Pixel(10, 0), MakeRgb(201, 199, 186));
  EXPECT_EQ(Pixel(1, 1), MakeRgb(201, 199, 186));
  // "OK" is 12 pixels wide at 9 pt: the O's box starts at x 32, row 7.
  EXPECT_EQ(Pixel(32, 7), MakeRgb(161, 162, 146));
}

TEST_F(ButtonRenderTest, BevelDisabledEngravesTheCaption) {
  rig.button.SetButtonType(ButtonKind::kBevel);
  rig.button.SetCaption(L"OK");
  rig.button.SetEnabled(false);
  const Rgb shadow = MakeRgb(172, 168, 153), highlight = MakeRgb(255, 255, 255), light = MakeRgb(241, 239, 226);
  EXPECT_EQ(Pixel(32, 7), shadow);      // only the first caption covers this
  EXPECT_EQ(Pixel(33, 8), highlight);   // the second one lies on top
  EXPECT_EQ(Pixel(36, 15), highlight);  // one pixel right of and below the first
  EXPECT_EQ(Pixel(32, 15), light);
  EXPECT_EQ(Pixel(10, 0), MakeRgb(113, 111, 100));  // the normal bevel, dark shadow outside
  EXPECT_EQ(Pixel(10, 2), highlight);
  EXPECT_EQ(Pixel(10, 21), shadow);
  EXPECT_EQ(Pixel(10, 20), MakeRgb(236, 233, 216));
}

TEST_F(ButtonRenderTest, BevelNormalAndPressedEdges) {
  rig.button.SetButtonType(ButtonKind::kBevel);
  EXPECT_EQ(Pixel(1, 2), MakeRgb(236, 233, 216));
  EXPECT_EQ(Pixel(3, 3), MakeRgb(255, 255, 255));
  EXPECT_EQ(Pixel(72, 20), MakeRgb(172, 168, 153));
  EXPECT_EQ(Pixel(2, 21), MakeRgb(236, 233, 216));
  EXPECT_EQ(Pixel(2, 20), MakeRgb(241, 239, 226));
  EXPECT_EQ(Pixel(10, 10), MakeRgb(241, 239, 226));
  // Focus on a bevel shows the XP default ring in its first colours, whatever the XP type.
  rig.button.Set<std::int32_t>("XpType", 2);
  rig.button.OnGotFocus();
  EXPECT_EQ(Pixel(10, 1), MakeRgb(206, 231, 255));

  rig.button.OnMouseDown(1, 0, 5, 5);
  const Rgb s = MakeRgb(172, 168, 153);
  EXPECT_EQ(Pixel(10, 10), ShadeColor(s, -16));
  EXPECT_EQ(Pixel(10, 1), ShadeColor(s, -64));
  EXPECT_EQ(Pixel(10, 2), ShadeColor(s, -32));
  EXPECT_EQ(Pixel(1, 1), MakeRgb(113, 111, 100));
  EXPECT_EQ(Pixel(10, 20), s);
  EXPECT_EQ(Pixel(10, 21), ShadeColor(s, -16));
  EXPECT_EQ(Pixel(72, 1), ShadeColor(s, -16));
}

TEST_F(ButtonRenderTest, BandGradientRowsAtPercentSixteen) {
  rig.button.SetButtonType(ButtonKind::kBand);
  rig.button.SetCaption(L"");
  // k = 3.68: band rows 4 to 1 from mid (116, 200, 115) towards end (215, 246, 215).
  EXPECT_EQ(Pixel(1, 4), MakeRgb(116, 200, 115));
  EXPECT_EQ(Pixel(1, 3), MakeRgb(153, 217, 152));
  EXPECT_EQ(Pixel(1, 2), MakeRgb(190, 234, 190));
  // Highlight rows: white at the left, end at x = W - 8 on row 1 and a third of the way on row 2.
  EXPECT_EQ(Pixel(2, 1), MakeRgb(255, 255, 255));
  EXPECT_EQ(Pixel(67, 1), MakeRgb(215, 246, 215));
  EXPECT_EQ(Pixel(72, 1), MakeRgb(212, 246, 212));
  EXPECT_EQ(Pixel(25, 2), MakeRgb(215, 246, 215));
  EXPECT_EQ(Pixel(50, 2), MakeRgb(172, 237, 172));
  EXPECT_EQ(Pixel(51, 2), MakeRgb(190, 234, 190));
  // Mid lines below the band and the lower gradient from round(k + 3) = 7.
  EXPECT_EQ(Pixel(10, 5), MakeRgb(116, 200, 115));
  EXPECT_EQ(Pixel(10, 6), MakeRgb(116, 200, 115));
  EXPECT_EQ(Pixel(10, 7), MakeRgb(116, 200, 115));
  EXPECT_EQ(Pixel(10, 8), MakeRgb(122, 203, 122));
  EXPECT_EQ(Pixel(10, 9), MakeRgb(116, 200, 115));  // round(k + 5)
  EXPECT_EQ(Pixel(10, 13), MakeRgb(155, 218, 154));
  // Rows H - 9, H - 8, H - 3 and H - 2 repeat the colour of row H - 10.
  for (int y : {14, 15, 20, 21}) EXPECT_EQ(Pixel(10, y), MakeRgb(155, 218, 154)) << y;
  EXPECT_EQ(Pixel(10, 0), MakeRgb(183, 183, 183));
  EXPECT_EQ(Pixel(73, 21), MakeRgb(183, 183, 183));
  // The pointer over it draws the mouse-move gradient with a blue frame on top.
  rig.button.OnMouseMove(0, 0, 5, 5);
  EXPECT_EQ(Pixel(10, 0), MakeRgb(82, 134, 182));
  EXPECT_EQ(Pixel(10, 5), MakeRgb(0x35, 0xA3, 0x33));
}

TEST_F(ButtonRenderTest, BandPressedIsFlatUnderOtherSchemes) {
  rig.button.SetButtonType(ButtonKind::kBand);
  rig.button.SetColorScheme(2);
  rig.button.OnMouseDown(1, 0, 5, 5);
  const Rgb mid = MakeRgb(0x84, 0xD0, 0x85);
  EXPECT_EQ(Pixel(3, 2), mid);
  EXPECT_EQ(Pixel(3, 20), mid);
  EXPECT_EQ(Pixel(10, 0), MakeRgb(84, 157, 84));
}

TEST_F(ButtonRenderTest, GlassBandsAtPercentFiftyThree) {
  rig.button.SetButtonType(ButtonKind::kGlass);
  rig.button.SetCaption(L"");
  ASSERT_EQ(rig.button.Percent(), 53);
  // k = 12.19: upper band rows 12 down to 3 from mid + 10 in steps (6, 4, 0), blue capped.
  EXPECT_EQ(Pixel(10, 12), MakeRgb(134, 181, 255));
  EXPECT_EQ(Pixel(10, 11), MakeRgb(140, 185, 255));
  EXPECT_EQ(Pixel(10, 3), MakeRgb(188, 217, 255));
  // Flat band rows 13 to 17 in mid; row 18 is the first of the lower gradient (mid + 5, steps 10, 6, 0).
  for (int y = 13; y <= 17; ++y) EXPECT_EQ(Pixel(10, y), MakeRgb(124, 171, 255)) << y;
  EXPECT_EQ(Pixel(10, 18), MakeRgb(129, 176, 255));
  EXPECT_EQ(Pixel(10, 19), MakeRgb(139, 182, 255));
  // Inner outlines, the bottom light line and the frame.
  EXPECT_EQ(Pixel(10, 1), MakeRgb(211, 229, 255));
  EXPECT_EQ(Pixel(10, 2), MakeRgb(201, 216, 255));
  EXPECT_EQ(Pixel(2, 10), MakeRgb(201, 216, 255));
  EXPECT_EQ(Pixel(72, 10), MakeRgb(201, 216, 255));
  EXPECT_EQ(Pixel(10, 20), MakeRgb(207, 234, 255));
  EXPECT_EQ(Pixel(10, 21), MakeRgb(211, 229, 255));
  EXPECT_EQ(Pixel(10, 0), MakeRgb(81, 107, 148));
  EXPECT_EQ(Pixel(74, 10), MakeRgb(81, 107, 148));
}

TEST_F(ButtonRenderTest, OfficeFillsPerStateAndScheme) {
  rig.button.SetButtonType(ButtonKind::kOffice);
  EXPECT_EQ(Pixel(0, 0), MakeRgb(0xBC, 0xBC, 0x42));
  EXPECT_EQ(Pixel(5, 5), MakeRgb(0xDE, 0xDE, 0xA0));
  rig.button.OnMouseMove(0, 0, 5, 5);
  EXPECT_EQ(Pixel(0, 0), MakeRgb(0x7F, 0x80, 0x01));
  EXPECT_EQ(Pixel(5, 5), MakeRgb(0xDC, 0xDC, 0xBA));
  rig.button.OnMouseDown(1, 0, 5, 5);
  EXPECT_EQ(Pixel(5, 5), MakeRgb(190, 190, 126));
  rig.button.SetColorScheme(3);
  EXPECT_EQ(Pixel(5, 5), MakeRgb(153, 180, 223));
  EXPECT_EQ(Pixel(74, 22), MakeRgb(49, 105, 198));
  rig.button.SetEnabled(false);
  EXPECT_EQ(Pixel(0, 0), MakeRgb(172, 169, 154));
  EXPECT_EQ(Pixel(5, 5), MakeRgb(236, 233, 216));
  rig.button.SetColorScheme(1);
  EXPECT_EQ(Pixel(0, 0), MakeRgb(188, 188, 64));
  EXPECT_EQ(Pixel(5, 5), MakeRgb(238, 239, 208));
}

TEST(ButtonCaption, AWideCaptionWrapsAndThePressedOneMovesDown) {
  ButtonRig rig(40, 40);
  rig.button.InitNew();
  rig.button.SetButtonType(ButtonKind::kOffice);
  rig.button.SetCaption(L"Hello World");  // 66 pixels wide: two lines, top (40 - 24) / 2 = 8
  const Rgb text = MakeRgb(0, 0, 0);
  EXPECT_EQ(rig.Pixel(6, 10), text);  // "Hello" centred from x 5, its H box from row 10
  EXPECT_NE(rig.Pixel(6, 9), text);
  EXPECT_EQ(rig.Pixel(6, 22), text);  // "World" on the second line
  rig.button.OnMouseDown(1, 0, 5, 5);
  EXPECT_EQ(rig.Pixel(7, 12), text);  // two down, one right
  EXPECT_NE(rig.Pixel(7, 11), text);
}

// A saved button of the given type, share and gradient colours, without caption.
void LoadTiny(ButtonRig& rig, int type, int percent, Rgb mid, Rgb end) {
  PropertyBag bag;
  bag.Set<std::int32_t>("ButtonType", type);
  bag.Set<std::wstring>("Caption", L"");
  bag.Set<std::int32_t>("Percent", percent);
  bag.Set<std::int32_t>("MidColor", static_cast<std::int32_t>(mid));
  bag.Set<std::int32_t>("EndColor", static_cast<std::int32_t>(end));
  rig.button.Load(bag);
}

TEST(ButtonPainterLimits, TinyButtonsDrawWithoutDividingByZero) {
  // Sizes where the fade, band and highlight spans come to zero or less, in every type and look.
  for (int w : {1, 3, 6, 10}) {
    for (int h : {1, 2, 5, 6, 10}) {
      for (int type = 1; type <= 5; ++type) {
        for (int percent : {0, 16, 100}) {
          ButtonRig rig(w, h);
          LoadTiny(rig, type, percent, MakeRgb(116, 200, 115), MakeRgb(215, 246, 215));
          rig.button.OnMouseMove(0, 0, 0, 0);
          rig.button.OnMouseDown(1, 0, 0, 0);
          rig.button.SetEnabled(false);
        }
      }
    }
  }
  // With H = 5 a fade has one row to go: it reaches white at once.
  ButtonRig fade(8, 5);
  LoadTiny(fade, 1, 16, 0, 0);
  EXPECT_EQ(fade.Pixel(3, 3), MakeRgb(255, 255, 255));
  // k = 1 (percent 20 of 5 rows) gives the upper band no length and no step.
  ButtonRig band(12, 5);
  LoadTiny(band, 3, 20, MakeRgb(10, 20, 30), MakeRgb(200, 200, 200));
  EXPECT_EQ(band.Pixel(1, 1), MakeRgb(10, 20, 30));
}

TEST(ButtonPainterLimits, ATypeOutsideTheFiveShowsItsFaceOnlyInAPlainWindow) {
  for (int type : {0, -1, 6, 1000}) {
    ButtonRig rig;
    LoadTiny(rig, type, 16, 0, 0);
    rig.button.OnMouseDown(1, 0, 5, 5);
    EXPECT_EQ(kestrune::testing::Pixels(rig.surface), std::vector<Rgb>(75 * 23, MakeRgb(236, 233, 216))) << type;
    EXPECT_TRUE(rig.host.region.cutouts.empty()) << type;
  }
}

}  // namespace
}  // namespace kestrune::button
