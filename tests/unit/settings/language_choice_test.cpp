// The window's language from the setting Language and the user's interface language.
#include <gtest/gtest.h>

#include "settings/language_choice.h"

namespace kestrune {
namespace {

constexpr std::uint16_t kJapaneseJapan = 0x0411;
constexpr std::uint16_t kEnglishUs = 0x0409;
constexpr std::uint16_t kGermanGermany = 0x0407;
constexpr std::uint16_t kJapaneseNeutral = 0x0011;
constexpr std::uint16_t kChineseTaiwan = 0x0404;

TEST(LanguageChoice, TheSettingDecidesAndAutoFollowsTheUsersInterfaceLanguage) {
  struct Case {
    const char* stored;
    std::uint16_t userInterface;
    Language shown;
    const char* written;  // what choosing the same again stores
  };
  const Case cases[] = {
      {"auto", kJapaneseJapan, Language::Japanese, "auto"},
      {"auto", kJapaneseNeutral, Language::Japanese, "auto"},
      {"auto", kEnglishUs, Language::English, "auto"},
      {"auto", kGermanGermany, Language::English, "auto"},
      {"auto", kChineseTaiwan, Language::English, "auto"},
      {"", kJapaneseJapan, Language::Japanese, "auto"},  // missing: auto
      {"", kEnglishUs, Language::English, "auto"},
      {"ja", kEnglishUs, Language::Japanese, "ja"},
      {"ja", kJapaneseJapan, Language::Japanese, "ja"},
      {"en", kJapaneseJapan, Language::English, "en"},
      {"en", kGermanGermany, Language::English, "en"},
      {"EN", kJapaneseJapan, Language::Japanese, "auto"},  // values are exact: an unknown one means auto
      {"fr", kJapaneseJapan, Language::Japanese, "auto"},
      {"fr", kEnglishUs, Language::English, "auto"},
  };
  for (const Case& c : cases) {
    const LanguageChoice choice = LanguageChoiceFromStored(c.stored);
    EXPECT_EQ(LanguageFor(choice, c.userInterface), c.shown) << c.stored << " " << c.userInterface;
    EXPECT_EQ(StoredLanguageChoice(choice), c.written) << c.stored;
  }
}

}  // namespace
}  // namespace kestrune
