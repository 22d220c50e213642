// The settings table, row by row: where the file keeps each setting (the keys other copies and
// users' files rely on), that every row reads and writes exactly its own key with the buffer of its
// kind, that its value comes back as stored, that its start suits its kind, and that each language
// names its control.
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

struct Expected {
  Setting setting;
  const char* place;  // "Section.Key"
  SettingValue sample;  // a value of its kind that is not the start
};

const Expected kExpected[] = {
    {Setting::AutoRun, "Normal.AutoRun", true},
    {Setting::AutoMin, "Normal.AutoMin", true},
    {Setting::Speed, "Speed.SpeedLevel", SpeedLevel::Normal},
    {Setting::Recording, "Record.EnableRecord", false},
    {Setting::RecordCount, "Record.RecordCount", 200},
    {Setting::Acceleration, "Normal.EnableSpeed", false},
    {Setting::AlwaysTop, "Normal.AlwaysTop", false},
    {Setting::RestoreOriginal, "Advanced.RestoreOriginal", true},
    {Setting::RestoreOnStop, "Advanced.RestoreOnStop", true},
    {Setting::Rules, "Rules.", SectionLines{{{L"a.exe", L"high,free"}}}},  // the whole section
    {Setting::Exclude, "Advanced.Exclude", NameList{L"a.exe|b.exe"}},
    {Setting::InstantReaction, "Advanced.InstantReaction", true},
    {Setting::RestrainBackground, "Advanced.RestrainBackground", true},
    {Setting::Language, "Advanced.Language", LanguageChoice::English},
};

TEST(SettingsTable, EveryRowKeepsItsPlaceItsValueAndItsCaptions) {
  ASSERT_EQ(std::size(kExpected), kSettingCount);
  std::set<std::string> places, names;
  std::set<int> controls;
  for (std::size_t i = 0; i < kSettingCount; ++i) {
    const SettingRow& row = kSettingRows[i];
    const Expected& e = kExpected[i];
    const std::string place = std::string(row.section) + "." + std::string(row.key);
    SCOPED_TRACE(place);
    ASSERT_EQ(row.setting, e.setting);
    EXPECT_EQ(place, e.place);
    EXPECT_TRUE(places.insert(place).second) << "two settings in one place";
    EXPECT_TRUE(names.insert(std::string(row.name)).second);
    if (row.control != 0) {
      EXPECT_TRUE(controls.insert(row.control).second) << "two settings on one control";
    }
    // Only the lists may go without a control of their own: the rule list shows both.
    if (row.control == 0) {
      EXPECT_TRUE(row.kind == SettingKind::Names || row.kind == SettingKind::Lines);
    }
    EXPECT_TRUE(row.page == kSettingsPage || row.page == kAdvancedPage);
    // Only an on/off setting starts on or off.
    if (row.start == SettingStart::Off || row.start == SettingStart::On) {
      EXPECT_EQ(row.kind, SettingKind::Flag);
    }

    // Its own key, with its kind's buffer; the value stored comes back.
    testing::FakeProfileStore store;
    testing::FakeCodePage codePage;
    SettingsFile file(store);
    SettingsModel model(file, codePage);
    EXPECT_EQ(model.Value(row.setting), StartValue(row));
    EXPECT_TRUE(model.Store(row.setting, e.sample));
    ASSERT_EQ(store.writeLog.size(), 1u);
    const bool lines = row.kind == SettingKind::Lines;
    const std::string key = lines ? place + "a.exe=" : place + "=";
    EXPECT_EQ(store.writeLog[0].substr(0, key.size()), key);
    const StoredValue read = model.Read(row.setting);
    EXPECT_EQ(read.value, e.sample);
    EXPECT_TRUE(read.whole);
    if (lines) {
      EXPECT_EQ(store.sectionReads, 1);
    } else {
      EXPECT_EQ(store.readLog.back(), place);
      EXPECT_EQ(store.lastBufferBytes, row.kind == SettingKind::Names ? 8192u : 255u);
    }
    if (row.control == 0) continue;  // no caption: no control of its own

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
