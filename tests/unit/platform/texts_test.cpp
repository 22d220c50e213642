// The two language tables: the same entries in the same order, the same placeholders, English that
// any system's fonts show; and how a pattern is filled in.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/texts.h"

namespace kestrune {
namespace {

std::multiset<wchar_t> Placeholders(std::wstring_view text) {
  std::multiset<wchar_t> found;
  for (std::size_t at = 0; at + 1 < text.size(); ++at)
    if (text[at] == L'%' && text[at + 1] >= L'1' && text[at + 1] <= L'9') found.insert(text[at + 1]);
  return found;
}

TEST(Texts, BothTablesHoldEveryTextInTheSameOrderWithTheSamePlaceholders) {
  const auto japanese = TextTable(Language::Japanese);
  const auto english = TextTable(Language::English);
  ASSERT_EQ(japanese.size(), kTextCount);
  ASSERT_EQ(english.size(), kTextCount);
  for (std::size_t i = 0; i < kTextCount; ++i) {
    const auto id = static_cast<TextId>(i);
    EXPECT_EQ(japanese[i].id, id) << "Japanese entry " << i;
    EXPECT_EQ(english[i].id, id) << "English entry " << i;
    EXPECT_FALSE(japanese[i].text.empty()) << "Japanese entry " << i;
    EXPECT_FALSE(english[i].text.empty()) << "English entry " << i;
    EXPECT_EQ(Placeholders(japanese[i].text), Placeholders(english[i].text)) << "entry " << i;
    // The access-key marks: each table's caption names one, or neither does.
    EXPECT_EQ(japanese[i].text.find(L'&') != std::wstring_view::npos,
              english[i].text.find(L'&') != std::wstring_view::npos) << "entry " << i;
    for (const wchar_t c : english[i].text)
      EXPECT_TRUE((c >= 0x20 && c <= 0x7E) || c == L'\n') << "English entry " << i << " holds " << static_cast<int>(c);
  }
}

// The settings' captions: each language names the same settings in the same order. (That every
// setting has one is the settings table's test.)
TEST(Texts, BothLanguagesCaptionTheSameSettings) {
  const auto japanese = SettingCaptions(Language::Japanese);
  const auto english = SettingCaptions(Language::English);
  ASSERT_EQ(japanese.size(), english.size());
  for (std::size_t i = 0; i < japanese.size(); ++i) {
    EXPECT_EQ(japanese[i].setting, english[i].setting);
    EXPECT_FALSE(japanese[i].text.empty() || english[i].text.empty()) << japanese[i].setting;
  }
  ShowLanguage(Language::English);
  EXPECT_EQ(SettingCaption("Acceleration"), L"Use acceleration");
  EXPECT_EQ(SettingCaption("NoSuchSetting"), L"");
  ShowLanguage(Language::Japanese);
  EXPECT_EQ(SettingCaption("Acceleration"), L"加速を使用する");
}

TEST(Texts, TheLanguageShownPicksTheTable) {
  ShowLanguage(Language::English);
  EXPECT_EQ(UiText(TextId::TabAbout), L" About ");
  ShowLanguage(Language::Japanese);
  EXPECT_EQ(UiText(TextId::TabAbout), L" について ");
}

TEST(Texts, FillInReplacesEachPlaceholderOnce) {
  struct Case {
    const wchar_t* pattern;
    std::initializer_list<std::wstring_view> values;
    const wchar_t* filled;
  };
  const Case cases[] = {
      {L"%1 (%2から)", {L"a.exe", L"10:12:03"}, L"a.exe (10:12:03から)"},
      {L"%2 before %1", {L"one", L"two"}, L"two before one"},
      {L"%1", {L"100%1 %2"}, L"100%1 %2"},          // a value's own marks stay
      {L"15% and %", {}, L"15% and %"},             // a % without a digit is text
      {L"Error %1 %3", {L"5"}, L"Error 5 "},        // a placeholder without a value is left out
  };
  for (const Case& c : cases) EXPECT_EQ(FillIn(c.pattern, c.values), c.filled) << testing::PrintToString(c.pattern);
}

}  // namespace
}  // namespace kestrune
