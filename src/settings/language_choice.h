#pragma once
// Which language the window shows: the setting Language in [Advanced] ("auto", "ja" or "en") and
// the user's language of the system's user interface. Chosen once at start-up.
#include <cstdint>
#include <string_view>

#include "platform/texts.h"

namespace kestrune {

enum class LanguageChoice : unsigned char { Auto, Japanese, English };

// The stored value's meaning: "ja" and "en" name a language, anything else (empty, "auto", a value
// an older or newer copy wrote) leaves it to the system.
LanguageChoice LanguageChoiceFromStored(std::string_view stored);
std::string_view StoredLanguageChoice(LanguageChoice choice);

// Auto: Japanese when the user's interface language (a Windows language id) is Japanese, in any
// of its regional forms; English otherwise.
Language LanguageFor(LanguageChoice choice, std::uint16_t userInterfaceLanguage);

}  // namespace kestrune
