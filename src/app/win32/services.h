#pragma once
// The Win32 services behind the settings and the history, bound to this executable's location.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_registry.h"
#include "settings/autostart_value.h"
#include "settings/settings_file.h"

namespace kestrune {

struct Win32Services {
  Win32Services(const CodePage& codePage, HWND owner, const std::wstring& directory, const std::wstring& baseName)
      : profile(codePage, SettingsFilePath(directory)),
        settingsFile(profile),
        autostart(registry, ExecutablePath(directory, baseName)),
        dialog(ToWindowHandle(owner)) {}

  Win32ProfileStore profile;
  Win32Registry registry;
  SettingsFile settingsFile;
  AutostartValue autostart;
  Win32FileDialog dialog;
  Win32FileSystem files;
};

}  // namespace kestrune
