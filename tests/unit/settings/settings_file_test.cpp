#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "fakes/fake_profile.h"

namespace kestrune {
namespace {

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
