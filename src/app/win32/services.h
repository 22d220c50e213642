#pragma once
// The Win32 services behind the settings, the history and the journal of priority changes, bound
// to this executable's location.
#include <windows.h>

#include <string>

#include "engine/change_journal.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_state_file.h"
#include "settings/autostart_value.h"
#include "settings/settings_file.h"

namespace kestrune {

struct Win32Services {
  Win32Services(const CodePage& codePage, HWND owner, const std::wstring& directory, const std::wstring& baseName)
      : profile(codePage, SettingsFilePath(directory)),
        settingsFile(profile),
        autostart(registry, ExecutablePath(directory, baseName)),
        dialog(ToWindowHandle(owner)),
        journal(JournalFilePath(directory)) {}

  Win32ProfileStore profile;
  Win32Registry registry;
  SettingsFile settingsFile;
  AutostartValue autostart;
  Win32FileDialog dialog;
  Win32FileSystem files;
  // Beside the settings file: given the settings file's folder, it follows that file wherever it is kept.
  Win32StateFile journal;
};

}  // namespace kestrune
