#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "fakes/fake_profile.h"

namespace kestrune {
namespace {

// Each setting must read and write exactly its own section and key.
struct Place {
  Setting setting;
  const char* section;
  const char* key;
};

class SettingPlace : public ::testing::TestWithParam<Place> {};

TEST_P(SettingPlace, ReadsAndWritesItsOwnSectionAndKey) {
  const Place& p = GetParam();
  testing::FakeProfileStore store;
  SettingsFile file(store);

  EXPECT_EQ(file.Read(p.setting), "");  // missing file
  EXPECT_TRUE(file.Write(p.setting, "7"));
  ASSERT_EQ(store.entries.size(), 1u);
  EXPECT_EQ(store.entries[0].section, p.section);
  EXPECT_EQ(store.entries[0].key, p.key);
  EXPECT_EQ(store.entries[0].value, "7");

  store.Set(p.section, p.key, "  42 ");
  EXPECT_EQ(file.Read(p.setting), "42");
  EXPECT_EQ(store.lastBufferBytes, 255u);

  store.failWrites = true;
  EXPECT_FALSE(file.Write(p.setting, "1"));
  EXPECT_EQ(*store.Get(p.section, p.key), "  42 ");
}

INSTANTIATE_TEST_SUITE_P(All, SettingPlace,
                         ::testing::Values(Place{Setting::AutoRun, "Normal", "AutoRun"},
                                           Place{Setting::AutoMin, "Normal", "AutoMin"},
                                           Place{Setting::Speed, "Speed", "SpeedLevel"},
                                           Place{Setting::Recording, "Record", "EnableRecord"},
                                           Place{Setting::RecordCount, "Record", "RecordCount"},
                                           Place{Setting::Acceleration, "Normal", "EnableSpeed"},
                                           Place{Setting::AlwaysTop, "Normal", "AlwaysTop"}),
                         [](const auto& p) { return std::string(p.param.key); });

TEST(SettingsFileRead, TrimsBlanksCutsAtNulAndBoundsTheLength) {
  testing::FakeProfileStore store;
  SettingsFile file(store);

  store.Set("Normal", "AutoRun", "   ");
  EXPECT_EQ(file.Read(Setting::AutoRun), "");
  store.Set("Normal", "AutoRun", " a b ");
  EXPECT_EQ(file.Read(Setting::AutoRun), "a b");  // blanks inside stay
  store.Set("Normal", "AutoRun", std::string("1\0junk", 6));
  EXPECT_EQ(file.Read(Setting::AutoRun), "1");
  store.Set("Normal", "AutoRun", std::string(300, 'x'));
  EXPECT_EQ(file.Read(Setting::AutoRun).size(), 254u);
  store.Set("Normal", "AutoRun", std::string(300, ' ') + "1");
  EXPECT_EQ(file.Read(Setting::AutoRun), "");  // the 1 lies beyond the 254 bytes that are read
}

// A store that ignores the buffer size must still not give more than the buffer holds.
class OverlongStore : public ProfileStore {
 public:
  std::string Read(std::string_view, std::string_view, std::size_t) override { return std::string(400, 'y'); }
  bool Write(std::string_view, std::string_view, std::string_view) override { return true; }
  std::vector<ProfileEntry> ReadSection(std::string_view) override { return {}; }
  bool Remove(std::string_view, std::wstring_view) override { return true; }
};

TEST(SettingsFileRead, NeverExceedsTheBufferWhateverTheStoreAnswers) {
  OverlongStore store;
  SettingsFile file(store);
  EXPECT_EQ(file.Read(Setting::Speed).size(), 254u);
}

TEST(SettingsFilePath, LiesBesideTheExecutable) {
  EXPECT_EQ(SettingsFilePath(L"C:\\Tools"), L"C:\\Tools\\kestrune.ini");
  EXPECT_EQ(SettingsFilePath(L"E:\\"), L"E:\\kestrune.ini");
}

}  // namespace
}  // namespace kestrune
