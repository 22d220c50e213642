// The main window's saved property sets of its own controls: the tab strip's loads into the look
// the window expects and is exactly what the strip itself would save; the buttons keep the default
// look.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/form_main_button_props.h"
#include "app/form_main_tabstrip_props.h"
#include "unit/button/button_rig.h"
#include "unit/tabstrip/tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

using testing::ArtifactPath;
using testing::Rig;

TEST(FormMainTabStripProperties, LoadsTheMainWindowsStrip) {
  // At 144 dpi only the tab heights differ, and they still save back to the same set.
  for (const int dpi : {144, 96}) {
    Rig rig(473, 300);
    const PropertyBag saved = TabStripMainProperties(rig.host.ambientFont, dpi);
    TabStrip& s = rig.Loaded(saved);
    EXPECT_EQ(s.Get<std::int32_t>("ActiveTabHeight"), dpi == 96 ? 25 : 38);
    EXPECT_EQ(s.Get<std::int32_t>("InActiveTabHeight"), dpi == 96 ? 22 : 33);
    PropertyBag again;
    s.Save(again);
    EXPECT_EQ(again.Entries(), saved.Entries()) << dpi;
  }
  Rig rig(473, 300);
  const PropertyBag saved = TabStripMainProperties(rig.host.ambientFont);
  TabStrip& s = rig.Loaded(saved);
  EXPECT_EQ(s.Get<std::int32_t>("TabStyle"), kPropertyPages);
  EXPECT_EQ(s.Get<std::int32_t>("TabTheme"), kThemeXP);
  EXPECT_EQ(s.TabCount(), 5);
  EXPECT_EQ(s.TabCaption(1), L" ソフト設定 ");
  EXPECT_EQ(s.TabCaption(4), L" 詳細設定 ");
  EXPECT_EQ(s.Get<std::int32_t>("ActiveTabHeight"), 25);
  EXPECT_EQ(s.Get<OleColor>("InActiveTabBackEndColor"), 0xEAF0F0u);
  EXPECT_TRUE(s.Get<Font>("ActiveTabFont").bold);
  EXPECT_FALSE(s.Get<Font>("InActiveTabFont").bold);

  // Saving again gives the same set, in the same order: the data holds no stray or missing key.
  PropertyBag again;
  s.Save(again);
  ASSERT_EQ(again.Entries().size(), saved.Entries().size());
  for (std::size_t i = 0; i < saved.Entries().size(); ++i) {
    EXPECT_EQ(again.Entries()[i].first, saved.Entries()[i].first);
    EXPECT_EQ(again.Entries()[i].second, saved.Entries()[i].second) << saved.Entries()[i].first;
  }

  s.SetActiveTab(3);
  s.Refresh();
  ASSERT_TRUE(rig.surface.WritePng(ArtifactPath("tabstrip_form_main.png")));
}

}  // namespace
}  // namespace kestrune::tabstrip

namespace kestrune::button {
namespace {

using testing::ButtonRig;

TEST(GradientButtonPersistence, TheMainWindowButtonsKeepTheDefaultLook) {
  for (const auto& [bag, caption] : {std::pair{CommandExitProperties(), std::wstring(L"終了")},
                                     std::pair{CommandMiniProperties(), std::wstring(L"隠す")}}) {
    ButtonRig rig;
    rig.button.Load(bag);
    EXPECT_EQ(rig.button.Caption(), caption);
    EXPECT_EQ(rig.surface.GetFont(), FormMainButtonFont());
    EXPECT_EQ(rig.button.ButtonType(), button::ButtonKind::kXp);
    EXPECT_EQ(rig.button.ColorScheme(), 1);
    EXPECT_EQ(rig.button.Get<std::int32_t>("XpType"), 1);
    EXPECT_EQ(rig.Pixel(3, 21), MakeRgb(201, 200, 217));  // drawn at once in the XP look
    rig.surface.WritePng(testing::ArtifactPath(caption == L"終了" ? "form_command_exit.png" : "form_command_mini.png"));
    // Saved again (with another ambient font) it is still only its font and caption.
    rig.host.ambientFont.name = L"Other";
    PropertyBag saved;
    rig.button.Save(saved);
    std::vector<std::string> keys;
    for (const auto& entry : saved.Entries()) keys.push_back(entry.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"Font", "Caption"}));
  }
}

}  // namespace
}  // namespace kestrune::button
