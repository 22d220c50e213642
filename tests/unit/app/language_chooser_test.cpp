// The advanced page's language box: the stored choice shown at start-up without a write, a change
// stored at once with the notice that it shows from the next start.
#include <gtest/gtest.h>

#include "app/language_chooser.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"

namespace kestrune::testing {
namespace {

struct ChooserRig {
  FakeComboBox combo;
  FakeProfileStore store;
  FakeRegistry registry;
  FakeCodePage codePage;
  SettingsFile file{store};
  AutostartValue autostart{registry, L"C:\\Tools\\kestrune.exe"};
  Settings settings{file, autostart, codePage};
  FakeMessageBoxes boxes;
  LanguageChooser chooser{combo, settings, boxes};
};

TEST(LanguageChooser, ShowsTheStoredChoiceAndStoresAChangeWithItsNotice) {
  ChooserRig fresh;
  fresh.chooser.Load();
  EXPECT_EQ(fresh.combo.Text(), L"自動") << "a file without the setting";

  ChooserRig rig;
  rig.store.Set("Advanced", "Language", "en");
  rig.chooser.Load();
  ASSERT_EQ(rig.combo.ItemCount(), 3);
  EXPECT_EQ(rig.combo.Text(), L"英語");
  EXPECT_EQ(rig.store.writes + fresh.store.writes, 0) << "loading writes nothing";

  rig.combo.SetSelectedIndex(1);
  rig.chooser.OnComboLanguageClick();
  EXPECT_EQ(rig.store.Get("Advanced", "Language"), "ja");
  ASSERT_EQ(rig.boxes.shown.size(), 1u);
  EXPECT_EQ(rig.boxes.shown[0].text, UiText(TextId::LanguageNote));
  // The same choice again is no change: no write, no second notice.
  rig.chooser.OnComboLanguageClick();
  EXPECT_EQ(rig.store.writes, 1);
  EXPECT_EQ(rig.boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace kestrune::testing
