// The portable halves of the file dialog and the file functions: the forms in which paths and
// filters reach the platform.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/file_dialog.h"
#include "platform/file_system.h"

namespace kestrune {
namespace {

TEST(FilePaths, JoinPathAddsOneBackslash) {
  EXPECT_EQ(JoinPath(L"C:\\Tools", L"kestrune.exe"), L"C:\\Tools\\kestrune.exe");
  EXPECT_EQ(JoinPath(L"C:\\", L"kestrune.ini"), L"C:\\kestrune.ini");
  EXPECT_EQ(JoinPath(L"", L"kestrune.ini"), L"\\kestrune.ini");
}

// Paths the dialog may give back that are longer than MAX_PATH reach the file functions in the
// extended form; everything else as it is.
TEST(FilePaths, ExtendedLengthPathOnlyForLongFullPaths) {
  const std::wstring tail(260, L'a');
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"C:\\logs\\history.txt", L"C:\\logs\\history.txt"},
      {L"C:\\" + std::wstring(256, L'a'), L"C:\\" + std::wstring(256, L'a')},  // 259 characters still fit
      {L"C:\\" + tail, L"\\\\?\\C:\\" + tail},
      {L"D:/x/" + tail, L"\\\\?\\D:\\x\\" + tail},
      {L"\\\\server\\share\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail},
      {L"\\\\?\\C:\\" + tail, L"\\\\?\\C:\\" + tail},
      {L"\\\\.\\C:\\" + tail, L"\\\\.\\C:\\" + tail},
      {L"relative\\" + tail, L"relative\\" + tail},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(ExtendedLengthPath(path), expected) << path.size();
}

// A file the program writes through a temporary one beside it, in a deep folder: the file's own path
// still fits MAX_PATH, its temporary file's does not and reaches the system in the extended form.
TEST(FilePaths, ATemporaryFileBesideAFileThatJustFitsTakesTheExtendedForm) {
  const std::wstring folder = L"C:\\" + std::wstring(221, L'f');
  const std::wstring journal = folder + L"\\kestrune.0123456789abcdef.journal";
  ASSERT_EQ(ExtendedLengthPath(journal), journal) << journal.size();
  EXPECT_EQ(TemporaryPathBeside(journal), L"\\\\?\\" + journal + L".tmp");
  EXPECT_EQ(TemporaryPathBeside(L"C:\\Tools\\kestrune.journal"), L"C:\\Tools\\kestrune.journal.tmp");
}

TEST(FilePaths, DialogFilterListSeparatesByNul) {
  EXPECT_EQ(DialogFilterList(L"(*.txt)|*.txt"), std::wstring(L"(*.txt)\0*.txt\0\0", 15));
  EXPECT_EQ(DialogFilterList(L"a|b|c|d"), std::wstring(L"a\0b\0c\0d\0\0", 9));
}

}  // namespace
}  // namespace kestrune
