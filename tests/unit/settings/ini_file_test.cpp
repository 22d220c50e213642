// The in-memory ini file that the settings fuzz target feeds with arbitrary bytes: its reads must
// follow the private-profile rules, or the fuzz target would prove the settings against the wrong file.
#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_ini_file.h"
#include "settings/settings_file.h"

namespace kestrune {
namespace {

using namespace std::string_literals;
using testing::FakeIniFile;

struct ReadCase {
  const char* name;
  std::string file;
  std::string autoRun;  // what the settings file reads for Normal.AutoRun
};

class IniFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniFileRead, GivesWhatThePlatformWouldGive) {
  FakeIniFile ini(GetParam().file);
  SettingsFile file(ini);
  EXPECT_EQ(file.Read(Setting::AutoRun), GetParam().autoRun);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniFileRead,
    ::testing::Values(ReadCase{"Plain", "[Normal]\r\nAutoRun=1\r\n", "1"},
                      ReadCase{"NamesIgnoreCase", "[normal]\nautorun=1\n", "1"},
                      ReadCase{"BlanksAndTabsTrimmed", "  [ Normal ]\n\tAutoRun \t= \t1 \t\n", "1"},
                      ReadCase{"QuotePairRemoved", "[Normal]\nAutoRun=\"1\"\n", "1"},
                      ReadCase{"UnpairedQuotesKept", "[Normal]\nAutoRun='1\"\n", "'1\""},
                      ReadCase{"SplitAtFirstEquals", "[Normal]\nAutoRun==1\n", "=1"},
                      ReadCase{"FirstKeyWins", "[Normal]\nAutoRun=0\nAutoRun=1\n", "0"},
                      ReadCase{"OnlyFirstSectionOfTheName", "[Normal]\nX=1\n[Normal]\nAutoRun=1\n", ""},
                      ReadCase{"KeyBeforeAnySection", "AutoRun=1\n[Normal]\n", ""},
                      ReadCase{"OtherSection", "[Speed]\nAutoRun=1\n", ""},
                      ReadCase{"CommentLine", "[Normal]\n;AutoRun=1\n", ""},
                      ReadCase{"BrokenHeaderIgnored", "[Normal]\n[Speed\nAutoRun=1\n", "1"},
                      ReadCase{"KeyWithoutEquals", "[Normal]\nAutoRun\n", ""},
                      ReadCase{"LoneCarriageReturns", "[Normal]\rAutoRun=1\r", "1"},
                      ReadCase{"NulEndsTheLine", "[Normal]\nAutoRun=1\0 2\nAutoMin=1"s, "1"},
                      ReadCase{"NulInsideTheKey", "[Normal]\nAuto\0Run=1\n"s, ""},
                      ReadCase{"CutToTheBuffer", "[Normal]\nAutoRun=" + std::string(300, '7'), std::string(254, '7')}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(IniFileWrite, ReplacesInPlaceAddsToTheSectionAndAppendsNewSections) {
  FakeIniFile ini("; settings\n[Normal]\nautorun = 0\n\n[Speed]\nSpeedLevel=1\n");
  SettingsFile file(ini);
  EXPECT_TRUE(file.Write(Setting::AutoRun, "1"));
  EXPECT_TRUE(file.Write(Setting::AutoMin, "0"));
  EXPECT_TRUE(file.Write(Setting::RecordCount, "100"));
  EXPECT_EQ(ini.Bytes(),
            "; settings\r\n[Normal]\r\nAutoRun=1\r\nAutoMin=0\r\n\r\n[Speed]\r\nSpeedLevel=1\r\n"
            "[Record]\r\nRecordCount=100\r\n");
  EXPECT_EQ(file.Read(Setting::AutoRun), "1");
  EXPECT_EQ(file.Read(Setting::RecordCount), "100");

  // A copy is a file of its own: the fuzz target starts several loads from one file read once.
  FakeIniFile copy(ini);
  SettingsFile copyFile(copy);
  EXPECT_TRUE(copyFile.Write(Setting::AutoRun, "0"));
  EXPECT_TRUE(copyFile.Write(Setting::AlwaysTop, "1"));
  EXPECT_EQ(copyFile.Read(Setting::AutoRun), "0");
  EXPECT_EQ(file.Read(Setting::AutoRun), "1");
  EXPECT_EQ(file.Read(Setting::AlwaysTop), "");

  ini.failWrites = true;
  EXPECT_FALSE(file.Write(Setting::AutoRun, "0"));
  EXPECT_EQ(file.Read(Setting::AutoRun), "1");
}

}  // namespace
}  // namespace kestrune
