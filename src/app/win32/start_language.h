#pragma once
// The language of this run: the setting Language and the user's interface language.
#include "platform/texts.h"
#include "settings/settings_file.h"

namespace kestrune {

Language StartLanguage(SettingsFile& file);

// Before the window exists (the single-instance notice): read from the settings file a running
// copy uses, the one beside the program when it is there, else the user's, without making either.
Language LanguageBeforeStart();

}  // namespace kestrune
