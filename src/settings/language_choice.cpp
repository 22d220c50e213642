#include "settings/language_choice.h"

namespace kestrune {
namespace {

// The primary language is the low ten bits of a language id; Japanese is 0x11.
constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr std::uint16_t kPrimaryJapanese = 0x11;

}  // namespace

LanguageChoice LanguageChoiceFromStored(std::string_view stored) {
  if (stored == "ja") return LanguageChoice::Japanese;
  if (stored == "en") return LanguageChoice::English;
  return LanguageChoice::Auto;
}

std::string_view StoredLanguageChoice(LanguageChoice choice) {
  switch (choice) {
    case LanguageChoice::Japanese: return "ja";
    case LanguageChoice::English: return "en";
    case LanguageChoice::Auto: break;
  }
  return "auto";
}

Language LanguageFor(LanguageChoice choice, std::uint16_t userInterfaceLanguage) {
  switch (choice) {
    case LanguageChoice::Japanese: return Language::Japanese;
    case LanguageChoice::English: return Language::English;
    case LanguageChoice::Auto: break;
  }
  return (userInterfaceLanguage & kPrimaryLanguageMask) == kPrimaryJapanese ? Language::Japanese : Language::English;
}

}  // namespace kestrune
