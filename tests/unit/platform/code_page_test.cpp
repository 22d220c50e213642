#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "fakes/fake_code_page.h"
#include "fakes/fake_shift_jis.h"
#include "platform/profile.h"
#include "platform/unicode_text.h"

namespace kestrune {
namespace {

TEST(BoundAnsi, KeepsWholeDoubleByteCharacters) {
  testing::FakeCodePage cp;
  const std::string ascii(300, 'a');
  EXPECT_EQ(BoundAnsi(ascii, 254, cp).size(), 254u);
  EXPECT_EQ(BoundAnsi("abc", 254, cp), "abc");

  // 253 single bytes then a double-byte character: it does not fit in 254 and is dropped whole.
  std::string mixed(253, 'x');
  mixed += "\x82\xA0tail";
  EXPECT_EQ(BoundAnsi(mixed, 254, cp).size(), 253u);

  // A trail byte that looks like a lead byte (0x82 0x81) is never taken as one.
  std::string pairs;
  for (int i = 0; i < 200; ++i) pairs += "\x82\x81";
  EXPECT_EQ(BoundAnsi(pairs, 254, cp).size(), 254u);
  EXPECT_EQ(BoundAnsi(pairs, 253, cp).size(), 252u);

  // A lead byte cut off at the end of the input is left out.
  EXPECT_EQ(BoundAnsi("ab\x82", 254, cp), "ab");
}

// What a file gets when its text leaves the code page: the code page's bytes only when they read back
// as the same text, else UTF-8 (the saved history) or UTF-16 (the settings file), each with its mark.
TEST(TextForms, CodePageOnlyWhenExactElseUnicodeWithEveryCharacter) {
  testing::FakeShiftJisCodePage sjis;
  EXPECT_EQ(ExactAnsi(L"a|メモ帳.exe", sjis), "a|\x83\x81\x83\x82\x92\xA0.exe");
  EXPECT_EQ(ExactAnsi(L"\uAC00.exe", sjis), std::nullopt);
  EXPECT_EQ(ExactAnsi(L"\u00E9", sjis), std::nullopt);  // no look-alike "e"
  // A character beyond U+FFFF as Windows holds it, and a surrogate without its partner.
  const std::wstring pair{wchar_t(0xD83D), wchar_t(0xDE00)}, lone{wchar_t(0xD800), L'x'};
  EXPECT_EQ(Utf8Bytes(L"\u00E9" + pair + lone), "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16LeBytes(pair + lone), std::string("\x3D\xD8\x00\xDE\xFD\xFFx\0", 8));
  // Before the first UTF-16 write the whole file turns over, line ends and all; never twice.
  EXPECT_EQ(Utf16ProfileBytes("[a]\r\nk=\x83\x81\r\n", sjis),
            std::string("\xFF\xFE[\0a\0]\0\r\0\n\0k\0=\0\xE1\x30\r\0\n\0", 22));
  EXPECT_EQ(Utf16ProfileBytes("", sjis), std::string("\xFF\xFE"));
  EXPECT_EQ(Utf16ProfileBytes(std::string("\xFF\xFE[\0", 4), sjis), std::nullopt);
}

// A settings file Notepad saved as UTF-8 with its mark, as the start-up writes it again: the code
// page's bytes when they hold the text, else UTF-16; a file without the mark or not UTF-8 stays.
TEST(TextForms, AUtf8SettingsFileTurnsIntoTheCodePageWhenItHoldsTheTextElseUtf16) {
  testing::FakeShiftJisCodePage sjis;
  const std::string mark = "\xEF\xBB\xBF";
  const std::pair<std::string, std::optional<std::string>> rows[] = {
      {mark + "[Normal]\r\nEnableSpeed=1\r\n", "[Normal]\r\nEnableSpeed=1\r\n"},
      {mark + "x=\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3\r\n", "x=\x83\x81\x83\x82\x92\xA0\r\n"},  // メモ帳
      {mark + "\xEA\xB0\x80\xF0\x9F\x98\x80", std::string("\xFF\xFE\x00\xAC\x3D\xD8\x00\xDE", 8)},  // 가 😀
      {"[Normal]\r\n", std::nullopt},
      {std::string("\xFF\xFE[\0", 4), std::nullopt},
      {mark + "k=\x83\x81", std::nullopt},  // the code page's bytes after the mark
      {mark + "\xED\xA0\x80", std::nullopt},  // a surrogate
  };
  for (const auto& [file, written] : rows) EXPECT_EQ(ReadableProfileBytes(file, sjis), written) << file;
}

}  // namespace
}  // namespace kestrune
