// The settings table, row by row: what each row makes of a setting, whatever rows it holds. Every
// setting has a place of its own in kestrune.ini and reads and writes exactly it, with the buffer of
// its kind; what it stores reads back; only an on/off setting is written back by its state; and each
// stands on a settings page as a control of its own, named in both languages.
#include "settings/settings_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "fakes/fake_code_page.h"
#include "fakes/fake_profile.h"
#include "platform/texts.h"
#include "settings/settings_model.h"

namespace kestrune {
namespace {

// A value of the kind that no file without the setting reads.
SettingValue Sample(SettingKind kind) {
  switch (kind) {
    case SettingKind::Flag: return true;
    case SettingKind::Speed: return SpeedLevel::Normal;
    case SettingKind::RecordCount: return 200;
    case SettingKind::Language: return LanguageChoice::English;
    case SettingKind::Rules: return RuleSet{ProgramRules::FromStored(L"a.exe|b.exe", {}), {}};
  }
  return {};
}

TEST(SettingsTable, EveryRowKeepsItsPlaceItsValueAndItsCaptions) {
  std::set<std::string> places, names;
  std::set<int> controls;
  for (const SettingRow& row : kSettingRows) {
    const std::string place = std::string(row.section) + "." + std::string(row.key);
    SCOPED_TRACE(place);
    ASSERT_EQ(&RowOf(row.setting), &row);
    EXPECT_TRUE(places.insert(place).second) << "two settings in one place";
    EXPECT_TRUE(names.insert(std::string(row.name)).second);
    EXPECT_NE(row.control, 0);
    EXPECT_TRUE(controls.insert(row.control).second) << "two settings on one control";
    EXPECT_EQ(SettingOfControl(row.control), row.setting);
    EXPECT_TRUE(row.page == kSettingsPage || row.page == kAdvancedPage);
    // Only an on/off setting is written back by the state it reads.
    if (row.start == StartWrite::IfOn || row.start == StartWrite::IfOff) {
      EXPECT_EQ(row.kind, SettingKind::Flag);
    }

    // Its own key, with its kind's buffer; the value stored comes back.
    testing::FakeProfileStore store;
    testing::FakeCodePage codePage;
    SettingsFile file(store);
    SettingsModel model(file, codePage);
    EXPECT_TRUE(model.Store(row.setting, Sample(row.kind)));
    ASSERT_EQ(store.writeLog.size(), 1u);
    EXPECT_EQ(store.writeLog[0].substr(0, place.size() + 1), place + "=");
    const StoredValue read = model.Read(row.setting);
    EXPECT_EQ(read.value, Sample(row.kind));
    EXPECT_TRUE(read.whole);
    EXPECT_EQ(store.readLog.back(), place);
    EXPECT_EQ(store.lastBufferBytes, row.kind == SettingKind::Rules ? 8192u : 255u);

    // Named in both languages, the English in characters every system's fonts show.
    for (const Language language : {Language::Japanese, Language::English}) {
      ShowLanguage(language);
      const std::wstring_view caption = SettingCaption(row.name);
      EXPECT_FALSE(caption.empty()) << static_cast<int>(language);
      const bool printable = std::all_of(caption.begin(), caption.end(), [](wchar_t c) { return c >= 0x20 && c <= 0x7E; });
      EXPECT_TRUE(printable || language == Language::Japanese);
    }
    ShowLanguage(Language::Japanese);
  }
  EXPECT_EQ(SettingCaptions(Language::Japanese).size(), controls.size()) << "a caption of no setting";
  EXPECT_EQ(SettingCaptions(Language::English).size(), controls.size()) << "a caption of no setting";
}

}  // namespace
}  // namespace kestrune
