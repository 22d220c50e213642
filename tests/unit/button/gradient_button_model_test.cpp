// Properties, persistence and derived colours of the gradient button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button_rig.h"
#include "platform/control_error.h"

namespace kestrune::button {
namespace {

using testing::ButtonRig;

std::vector<std::string> Keys(const PropertyBag& bag) {
  std::vector<std::string> keys;
  for (const auto& [k, v] : bag.Entries()) keys.push_back(k);
  return keys;
}

TEST(GradientButtonNew, TakesItsNameAsCaptionAndTheDefaults) {
  ButtonRig rig;
  rig.button.InitNew();
  EXPECT_EQ(rig.button.Caption(), L"CommandExit");
  EXPECT_EQ(rig.button.BackColor(), MakeRgb(236, 233, 216));  // system face, already resolved
  EXPECT_EQ(rig.button.ForeColor(), MakeRgb(0, 0, 0));
  EXPECT_TRUE(rig.button.Enabled());
  EXPECT_EQ(rig.button.ButtonType(), ButtonKind::kXp);
  EXPECT_EQ(rig.button.Get<std::int32_t>("XpType"), 1);
  EXPECT_EQ(rig.button.ColorScheme(), 1);
  EXPECT_TRUE(rig.button.Get<bool>("ShowFocusRect"));
  EXPECT_EQ(rig.button.Get<OleColor>("rectcolor"), 0x58C3FAu);
  EXPECT_EQ(rig.button.Percent(), 16);
  EXPECT_EQ(rig.button.Get<OleColor>("MidColor"), 0x73C874u);
  EXPECT_EQ(rig.button.Get<OleColor>("MouseDownEndColor"), 0u);
  EXPECT_EQ(rig.button.Get<OleColor>("OfficeXpMousemoveFrameColor"), 0x01807Fu);
  EXPECT_EQ(rig.button.ButtonState(), 0);
  EXPECT_EQ(rig.button.LastButton(), 1);
  EXPECT_EQ(rig.button.HWnd(), 0x1234u);  // the live window's handle

  // Everything but the caption equals its default and is left out of the saved set.
  PropertyBag bag;
  rig.button.Save(bag);
  EXPECT_EQ(Keys(bag), std::vector<std::string>{"Caption"});
}

TEST(GradientButtonPersistence, SavesEveryKeyInOrderAndLoadsItBack) {
  ButtonRig rig;
  rig.button.InitNew();
  Font font;
  font.name = L"Tahoma";
  font.bold = true;
  GradientButton& b = rig.button;
  b.SetBackColor(MakeRgb(10, 20, 30));
  b.SetForeColor(MakeRgb(40, 50, 60));
  b.SetEnabled(false);
  b.SetFont(font);
  b.SetButtonType(ButtonKind::kOffice);
  b.Set<std::int32_t>("XpType", 2);
  b.SetCaption(L"E&xit");
  b.SetColorScheme(2);
  b.Set<bool>("ShowFocusRect", false);
  b.Set<OleColor>("rectcolor", 0x010203);
  b.SetPercent(40);
  b.Set<OleColor>("MidColor", 0x111111);
  b.Set<OleColor>("EndColor", 0x222222);
  b.Set<OleColor>("MouseMoveMidColor", 0x333333);
  b.Set<OleColor>("MouseMoveEndColor", 0x444444);
  b.Set<OleColor>("MouseDownMidColor", 0x555555);
  b.Set<OleColor>("MouseDownEndColor", 0x666666);
  b.Set<OleColor>("OfficeXpFillColor", 0x777777);
  b.Set<OleColor>("OfficeXpFrameColor", 0x888888);
  b.Set<OleColor>("OfficeXpMousemoveFillColor", 0x999999);
  b.Set<OleColor>("OfficeXpMousemoveFrameColor", 0xAAAAAA);

  PropertyBag bag;
  b.Save(bag);
  // hWnd equals its default (the live handle is never stored), so it is left out.
  const std::vector<std::string> order{"BackColor", "ForeColor", "Enabled", "Font", "ButtonType", "XpType",
                                       "Caption", "ColorScheme", "ShowFocusRect", "rectcolor", "Percent",
                                       "MidColor", "EndColor", "MouseMoveMidColor", "MouseMoveEndColor",
                                       "MouseDownMidColor", "MouseDownEndColor", "OfficeXpFillColor",
                                       "OfficeXpFrameColor", "OfficeXpMousemoveFillColor",
                                       "OfficeXpMousemoveFrameColor"};
  EXPECT_EQ(Keys(bag), order);

  ButtonRig copy;
  copy.button.Load(bag);
  const GradientButton& c = copy.button;
  EXPECT_EQ(c.BackColor(), MakeRgb(10, 20, 30));
  EXPECT_EQ(c.ForeColor(), MakeRgb(40, 50, 60));
  EXPECT_FALSE(c.Enabled());
  EXPECT_EQ(c.Font(), font);
  EXPECT_EQ(copy.surface.GetFont(), font);
  EXPECT_FALSE(copy.host.windowEnabled);
  EXPECT_EQ(c.ButtonType(), ButtonKind::kOffice);
  EXPECT_EQ(c.Get<std::int32_t>("XpType"), 2);
  EXPECT_EQ(c.Caption(), L"E&xit");
  EXPECT_EQ(copy.host.accessKeys, L"x");
  EXPECT_EQ(c.ColorScheme(), 2);
  EXPECT_FALSE(c.Get<bool>("ShowFocusRect"));
  EXPECT_EQ(c.Get<OleColor>("rectcolor"), 0x010203u);
  EXPECT_EQ(c.Percent(), 40);
  EXPECT_EQ(c.Get<OleColor>("MouseMoveMidColor"), 0x333333u);
  EXPECT_EQ(c.Get<OleColor>("MouseMoveEndColor"), 0x444444u);
  EXPECT_EQ(c.Get<OleColor>("OfficeXpMousemoveFrameColor"), 0xAAAAAAu);
  // Scheme 2 derives from the loaded back colour; the loaded button is drawn at once.
  EXPECT_EQ(c.Scheme().face, MakeRgb(10, 20, 30));
  EXPECT_EQ(c.Scheme().text, MakeRgb(40, 50, 60));
  EXPECT_EQ(copy.surface.PresentCount(), 1);
  EXPECT_TRUE(copy.host.changedKeys.empty());  // loading is not a change

  PropertyBag again;
  copy.button.Save(again);
  EXPECT_EQ(Keys(again), order);
}

TEST(GradientButtonPersistence, SystemColoursAreDefaultsAndAnEmptySetLoadsTheDefaults) {
  ButtonRig rig;
  rig.host.ambientFont.name = L"Meiryo";
  PropertyBag empty;
  rig.button.Load(empty);
  EXPECT_EQ(rig.button.Caption(), L"Button");
  EXPECT_EQ(rig.button.BackColor(), MakeRgb(236, 233, 216));
  EXPECT_EQ(rig.button.Font().name, L"Meiryo");  // the container's ambient font
  EXPECT_EQ(rig.button.Percent(), 16);
  EXPECT_EQ(rig.host.accessKeys, L"");

  PropertyBag bag;
  rig.button.Save(bag);
  EXPECT_TRUE(bag.Entries().empty());
}

TEST(GradientButtonPersistence, SavedColoursWinOverSchemeAndTypePresets) {
  // A saved silver Office button keeps its own Office colours: they are read after the scheme.
  PropertyBag silver;
  silver.Set<std::int32_t>("ColorScheme", 3);
  silver.Set<std::int32_t>("ButtonType", 5);
  silver.Set<std::int32_t>("OfficeXpFillColor", 0x123456);
  ButtonRig a;
  a.button.Load(silver);
  EXPECT_EQ(a.button.Get<OleColor>("OfficeXpFillColor"), 0x123456u);
  // The Office colours not in the set fall back to the key defaults, not the silver ones.
  EXPECT_EQ(a.button.Get<OleColor>("OfficeXpFrameColor"), 0x42BCBCu);

  // A saved type-4 button keeps its saved gradient colours under scheme 1.
  PropertyBag glass;
  glass.Set<std::int32_t>("ButtonType", 4);
  glass.Set<std::int32_t>("MidColor", static_cast<std::int32_t>(MakeRgb(124, 171, 255)));
  glass.Set<std::int32_t>("Percent", 53);
  ButtonRig b;
  b.button.Load(glass);
  EXPECT_EQ(b.button.Get<OleColor>("MidColor"), MakeRgb(124, 171, 255));
  EXPECT_EQ(b.button.Percent(), 53);
  EXPECT_EQ(b.host.regionCount, 1);
  EXPECT_FALSE(b.host.region.cutouts.empty());  // type 4 has its corners cut
}

TEST(GradientButtonPersistence, ADamagedPercentIsBroughtIntoRange) {
  PropertyBag bag;
  bag.Set<std::int32_t>("Percent", 5000);
  ButtonRig rig;
  rig.button.Load(bag);
  EXPECT_EQ(rig.button.Percent(), 100);
  bag.Set<std::int32_t>("Percent", -7);
  rig.button.Load(bag);
  EXPECT_EQ(rig.button.Percent(), 0);
}

TEST(GradientButtonProperties, PercentOutsideTheRangeIsRefusedAndKept) {
  ButtonRig rig;
  rig.button.InitNew();
  const int presents = rig.surface.PresentCount();
  for (int bad : {101, -1, 32767}) {
    try {
      rig.button.SetPercent(bad);
      ADD_FAILURE() << "Percent " << bad << " accepted";
    } catch (const ControlError& e) {
      EXPECT_EQ(e.Number(), 380);
    }
  }
  EXPECT_EQ(rig.button.Percent(), 16);
  EXPECT_TRUE(rig.host.changedKeys.empty());
  EXPECT_EQ(rig.surface.PresentCount(), presents);  // nothing redrawn

  rig.button.SetPercent(0);
  rig.button.SetPercent(100);
  EXPECT_EQ(rig.button.Percent(), 100);
  EXPECT_EQ(rig.host.changedKeys, (std::vector<std::string>{"Percent", "Percent"}));
}

TEST(GradientButtonProperties, SettingTheWindowHandleIsAlwaysRefused) {
  ButtonRig rig;
  rig.host.userMode = true;
  try {
    rig.button.SetHWnd(5);
    ADD_FAILURE();
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), 382);
  }
  rig.host.userMode = false;
  try {
    rig.button.SetHWnd(5);
    ADD_FAILURE();
  } catch (const ControlError& e) {
    EXPECT_EQ(e.Number(), 387);
  }
  EXPECT_EQ(rig.button.HWnd(), 0x1234u);
  EXPECT_TRUE(rig.host.changedKeys.empty());
}

TEST(GradientButtonProperties, EverySetterNamesItsKeyAndRedraws) {
  ButtonRig rig;
  rig.button.InitNew();
  rig.host.changedKeys.clear();
  const int before = rig.surface.PresentCount();
  rig.button.Set<std::int32_t>("XpType", 3);
  rig.button.SetCaption(L"&Open");
  rig.button.Set<bool>("ShowFocusRect", false);
  rig.button.Set<OleColor>("MidColor", 0x123456);
  rig.button.Set<OleColor>("OfficeXpFillColor", 0x654321);
  EXPECT_EQ(rig.host.changedKeys,
            (std::vector<std::string>{"XpType", "Caption", "ShowFocusRect", "MidColor", "OfficeXpFillColor"}));
  EXPECT_EQ(rig.surface.PresentCount(), before + 5);
  EXPECT_EQ(rig.host.accessKeys, L"o");

  // rectcolor is stored only; it shows at the next drawing.
  rig.button.Set<OleColor>("rectcolor", 0x0000FF);
  EXPECT_EQ(rig.host.changedKeys.back(), "rectcolor");
  EXPECT_EQ(rig.surface.PresentCount(), before + 5);

  rig.button.SetCaption(L"Tom && Jerry");
  EXPECT_EQ(rig.host.accessKeys, L"");
}

TEST(GradientButtonProperties, EnabledReachesTheWindowAndRelaysOut) {
  ButtonRig rig;
  rig.button.InitNew();
  const int regions = rig.host.regionCount;
  rig.button.SetEnabled(false);
  EXPECT_FALSE(rig.host.windowEnabled);
  EXPECT_EQ(rig.host.regionCount, regions + 1);
  rig.button.SetEnabled(true);
  EXPECT_TRUE(rig.host.windowEnabled);
}

TEST(GradientButtonSchemes, TypeFourGetsTheBluePresetAfterTheScheme) {
  for (int scheme : {1, 2, 3}) {
    ButtonRig rig;
    rig.button.InitNew();
    rig.button.SetColorScheme(scheme);
    rig.button.SetButtonType(ButtonKind::kGlass);
    EXPECT_EQ(rig.button.Percent(), 53);
    EXPECT_EQ(rig.button.Get<OleColor>("MidColor"), MakeRgb(124, 171, 255));
    EXPECT_EQ(rig.button.Get<OleColor>("EndColor"), MakeRgb(191, 211, 255));
    EXPECT_EQ(rig.button.Get<OleColor>("MouseMoveMidColor"), MakeRgb(157, 203, 255));
    EXPECT_EQ(rig.button.Get<OleColor>("MouseMoveEndColor"), MakeRgb(209, 231, 255));
    EXPECT_EQ(rig.button.Get<OleColor>("MouseDownMidColor"), MakeRgb(100, 153, 255));
    EXPECT_EQ(rig.button.Get<OleColor>("MouseDownEndColor"), MakeRgb(191, 211, 255));
  }
  // Any later scheme-1 recomputation of a type-4 button gives the grey set.
  ButtonRig rig;
  rig.button.InitNew();
  rig.button.SetButtonType(ButtonKind::kGlass);
  rig.button.SetForeColor(MakeRgb(0, 0, 128));
  EXPECT_EQ(rig.button.Get<OleColor>("MidColor"), MakeRgb(197, 197, 197));
  EXPECT_EQ(rig.button.Get<OleColor>("EndColor"), MakeRgb(238, 238, 238));
  EXPECT_EQ(rig.button.Get<OleColor>("MouseMoveMidColor"), MakeRgb(123, 167, 211));
  EXPECT_EQ(rig.button.Get<OleColor>("MouseMoveEndColor"), MakeRgb(210, 245, 251));
  EXPECT_EQ(rig.button.Get<OleColor>("MouseDownMidColor"), MakeRgb(227, 167, 105));
  EXPECT_EQ(rig.button.Get<OleColor>("MouseDownEndColor"), MakeRgb(252, 220, 199));
  EXPECT_EQ(rig.button.Percent(), 53);  // the grey set leaves Percent alone
}

TEST(GradientButtonSchemes, DerivesTheSixColoursPerScheme) {
  ButtonRig rig;
  rig.button.InitNew();
  rig.button.SetForeColor(MakeRgb(0, 0, 200));
  EXPECT_EQ(rig.button.Scheme(), (SchemeColors{MakeRgb(236, 233, 216), MakeRgb(172, 168, 153), MakeRgb(241, 239, 226),
                                               MakeRgb(255, 255, 255), MakeRgb(113, 111, 100), MakeRgb(0, 0, 200)}));

  rig.button.SetBackColor(MakeRgb(100, 150, 200));
  rig.button.SetColorScheme(2);
  EXPECT_EQ(rig.button.Scheme(), (SchemeColors{MakeRgb(100, 150, 200), MakeRgb(36, 86, 136), MakeRgb(131, 181, 231),
                                               MakeRgb(147, 197, 247), MakeRgb(0, 0, 8), MakeRgb(0, 0, 200)}));
  // A back colour naming a system colour is resolved when the scheme is derived.
  rig.button.SetBackColor(0x80000010);
  EXPECT_EQ(rig.button.Scheme().face, MakeRgb(172, 168, 153));

  rig.button.SetColorScheme(3);
  EXPECT_EQ(rig.button.Scheme(), (SchemeColors{0xC0C0C0, 0x808080, 0xDFDFDF, 0xFFFFFF, 0, 0}));
  EXPECT_EQ(rig.button.Get<OleColor>("OfficeXpFillColor"), MakeRgb(236, 233, 216));
  EXPECT_EQ(rig.button.Get<OleColor>("OfficeXpFrameColor"), MakeRgb(172, 169, 154));
  EXPECT_EQ(rig.button.Get<OleColor>("OfficeXpMousemoveFillColor"), MakeRgb(193, 210, 238));
  EXPECT_EQ(rig.button.Get<OleColor>("OfficeXpMousemoveFrameColor"), MakeRgb(49, 105, 198));
}

TEST(GradientButtonLayout, ResizeReshapesTheWindowForTypesThreeAndFour) {
  ButtonRig rig;
  rig.button.InitNew();
  EXPECT_TRUE(rig.host.region.cutouts.empty());
  rig.button.SetButtonType(ButtonKind::kBand);
  ASSERT_FALSE(rig.host.region.cutouts.empty());
  rig.surface.Resize(40, 12);
  rig.button.OnResize(40, 12);
  const WindowRegion& r = rig.host.region;
  EXPECT_EQ(r.width, 40);
  EXPECT_EQ(r.height, 12);
  // Three pixels go at each corner; the corner's diagonal neighbour stays.
  for (Point p : {Point{0, 0}, Point{1, 0}, Point{0, 1}, Point{39, 0}, Point{38, 0}, Point{39, 1}, Point{0, 11},
                  Point{1, 11}, Point{0, 10}, Point{39, 11}, Point{38, 11}, Point{39, 10}})
    EXPECT_FALSE(r.Contains(p)) << p.x << "," << p.y;
  for (Point p : {Point{1, 1}, Point{2, 0}, Point{0, 2}, Point{38, 1}, Point{37, 0}, Point{1, 10}, Point{38, 10},
                  Point{20, 6}})
    EXPECT_TRUE(r.Contains(p)) << p.x << "," << p.y;

  rig.button.SetButtonType(ButtonKind::kOffice);
  EXPECT_TRUE(rig.host.region.cutouts.empty());
}

}  // namespace
}  // namespace kestrune::button
