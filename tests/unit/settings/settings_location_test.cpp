#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_file_access.h"

namespace kestrune {
namespace {

constexpr const wchar_t* kProgram = L"C:\\Program Files\\Kestrune";
constexpr const wchar_t* kBeside = L"C:\\Program Files\\Kestrune\\kestrune.ini";
constexpr const wchar_t* kUser = L"C:\\Users\\u\\AppData\\Roaming\\Kestrune";
constexpr const wchar_t* kUserFile = L"C:\\Users\\u\\AppData\\Roaming\\Kestrune\\kestrune.ini";

// Where the settings are read and written, for each state of the two places.
struct PlaceCase {
  const char* name;
  bool programWritable;
  bool besideExists;
  bool besideWritable;  // when it exists
  bool userFileExists;
  bool userFolderKnown;
  bool makeFolderFails;
  bool copyFails;
  const wchar_t* chosen;  // the file
  bool moved;
  const char* userContent;  // the user's file afterwards; nullptr when there is none
};

class SettingsPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SettingsPlace, IsBesideTheProgramWhereItCanBeWritten) {
  const PlaceCase& c = GetParam();
  testing::FakeFileAccess files;
  files.folders = {kProgram, L"C:\\Users\\u\\AppData\\Roaming"};
  if (!c.programWritable) files.readOnly.insert(kProgram);
  if (c.besideExists) files.files[kBeside] = "beside";
  if (!c.besideWritable) files.readOnly.insert(kBeside);
  if (c.userFileExists) {
    files.folders.insert(kUser);
    files.files[kUserFile] = "user";
  }
  files.failMakeFolder = c.makeFolderFails;
  files.failCopy = c.copyFails;

  const SettingsLocation where = LocateSettings(files, kProgram, c.userFolderKnown ? kUser : L"");

  EXPECT_EQ(where.file, c.chosen);
  // A second copy started now tells the user it is already running in the language of this file.
  EXPECT_EQ(SettingsFileInUse(files, kProgram, c.userFolderKnown ? kUser : L""), c.chosen);
  EXPECT_EQ(where.folder, where.file.substr(0, where.file.rfind(L'\\')));
  EXPECT_EQ(where.moved, c.moved);
  const auto user = files.files.find(kUserFile);
  EXPECT_EQ(user == files.files.end() ? "<none>" : user->second, c.userContent ? c.userContent : "<none>");
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsPlace,
    ::testing::Values(
        PlaceCase{"WritableFolder", true, false, true, false, true, false, false, kBeside, false, nullptr},
        PlaceCase{"WritableFile", true, true, true, false, true, false, false, kBeside, false, nullptr},
        // A user's file from an earlier start is not read while the program's folder can be written.
        PlaceCase{"WritableBesideAnOldUserFile", true, true, true, true, true, false, false, kBeside, false, "user"},
        // A read-only file in a folder that could be written is still a file that cannot be.
        PlaceCase{"ReadOnlyFile", true, true, false, false, true, false, false, kUserFile, true, "beside"},
        PlaceCase{"FirstStartInAReadOnlyFolder", false, false, true, false, true, false, false, kUserFile, true,
                  nullptr},
        PlaceCase{"SettingsComeAlong", false, true, false, false, true, false, false, kUserFile, true, "beside"},
        PlaceCase{"LaterStarts", false, true, false, true, true, false, false, kUserFile, false, "user"},
        PlaceCase{"CopyFailsStartsEmpty", false, true, false, false, true, false, true, kUserFile, true, nullptr},
        PlaceCase{"UserFolderCannotBeMade", false, true, false, false, true, true, false, kBeside, false, nullptr},
        PlaceCase{"NoUserFolder", false, true, false, false, false, false, false, kBeside, false, nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace kestrune
