// Renders every theme in both styles, with a disabled tab, pictures, a focused active tab and
// close boxes, into PNG files to be looked at.
#include <gtest/gtest.h>

#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::ArtifactPath;
using testing::Rig;

Picture Icon16() {
  Picture p;
  p.kind = Picture::Kind::Bitmap;
  p.width = p.height = 16;
  p.pixels.assign(256, 0xC0C0C0);  // mask colour around a blue disc with a yellow centre
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int dx = x - 8, dy = y - 8;
      if (dx * dx + dy * dy < 40) p.pixels[static_cast<std::size_t>(y * 16 + x)] = MakeRgb(30, 80, 200);
      if (dx * dx + dy * dy < 9) p.pixels[static_cast<std::size_t>(y * 16 + x)] = MakeRgb(250, 220, 40);
    }
  return p;
}

void Dress(TabStrip& s, int theme, int style, bool controlBox) {
  s.SetTabTheme(theme);
  s.Set<std::int32_t>("TabStyle", style);
  s.SetTabCount(4);
  s.SetTabCaption(0, L"&General");
  s.SetTabCaption(1, L"Pictures");
  s.SetTabCaption(2, L"Disabled");
  s.SetTabCaption(3, L"A&bout");
  s.SetTabEnabled(2, false);
  s.SetTabPicture(1, Icon16());
  s.SetTabPicture(3, Icon16());
  s.Set<bool>("UseControlBox", controlBox);
  s.SetActiveTab(1);
  s.OnGotFocus();
}

TEST(TabStripGallery, EveryThemeInBothStyles) {
  const char* names[] = {"classic", "xp", "flat", "rounded", "beige"};
  for (int theme = 0; theme <= 4; ++theme) {
    for (int style = 0; style <= 1; ++style) {
      for (int box = 0; box <= 1; ++box) {
        Rig rig(420, 110);
        Dress(rig.New(), theme, style, box != 0);
        const std::string file = std::string("tabstrip_") + names[theme] + (style ? "_pages" : "_tabbed") +
                                 (box ? "_boxes" : "") + ".png";
        ASSERT_TRUE(rig.surface.WritePng(ArtifactPath(file))) << file;
        // Something of the strip band and of the page was drawn.
        EXPECT_GT(rig.surface.CountColor(rig.strip->ToRgb(rig.strip->Get<OleColor>("OuterBorderColor"))), 20) << file;
      }
    }
  }
}

TEST(TabStripGallery, MainWindowStrip) {
  Rig rig(473, 300);
  TabStrip& s = rig.New();
  s.Set<std::int32_t>("TabStyle", kPropertyPages);
  s.SetTabTheme(kThemeXP);
  s.SetTabCount(4);
  s.SetTabCaption(0, L" 状態 ");
  s.SetTabCaption(1, L" ソフト設定 ");
  s.SetTabCaption(2, L" 加速記録 ");
  s.SetTabCaption(3, L" について ");
  s.SetActiveTab(3);
  s.Set<std::int32_t>("ActiveTabHeight", 25);
  ASSERT_TRUE(rig.surface.WritePng(ArtifactPath("tabstrip_main_window.png")));
  rig.strip->SetHoverTab(1);
  rig.strip->ShowHoverHighlight();
  ASSERT_TRUE(rig.surface.WritePng(ArtifactPath("tabstrip_main_window_hover.png")));
}

}  // namespace
}  // namespace kestrune::tabstrip
