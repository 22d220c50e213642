#pragma once
// The language of this run: the setting Language and the user's interface language.
#include "platform/texts.h"
#include "settings/settings_file.h"

namespace kestrune {

Language StartLanguage(SettingsFile& file);

// Before the window exists (the single-instance notice): read from the settings file the running
// copy uses, beside the program or in the user's folder, without making either.
Language LanguageBeforeStart();

}  // namespace kestrune
