#include "app/win32/start_language.h"

#include <windows.h>

#include "platform/win32/executable_path.h"
#include "platform/win32/code_page.h"
#include "platform/win32/file_access.h"
#include "platform/win32/profile_path.h"
#include "platform/win32/profile_store.h"
#include "settings/language_choice.h"
#include "settings/settings_location.h"

namespace kestrune {

Language StartLanguage(SettingsFile& file) {
  return LanguageFor(LanguageChoiceFromStored(file.Read(Setting::Language)), ::GetUserDefaultUILanguage());
}

Language LanguageBeforeStart() {
  Win32FileAccess access;
  Win32CodePage codePage;
  Win32ProfileStore profile(codePage,
                            ProfileFilePath(SettingsFileInUse(access, ExecutableDirectory(), UserProgramFolder())));
  SettingsFile file(profile);
  return StartLanguage(file);
}

}  // namespace kestrune
