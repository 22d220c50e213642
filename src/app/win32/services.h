#pragma once
// The Win32 services behind the settings and the history, bound to this executable's location.
#include <windows.h>

#include <string>

#include "boost/win32/win32_file_dialog.h"
#include "boost/win32/win32_file_system.h"
#include "platform/win32/handles.h"
#include "settings/module_auto_run.h"
#include "settings/module_config.h"
#include "settings/win32/win32_profile_store.h"
#include "settings/win32/win32_registry.h"

namespace kestrune {

struct Win32Services {
  Win32Services(const CodePage& codePage, HWND owner, const std::wstring& directory, const std::wstring& baseName)
      : profile(codePage, SettingsFilePath(directory)),
        config(profile),
        autoRun(registry, ExecutablePath(directory, baseName)),
        dialog(ToWindowHandle(owner)) {}

  Win32ProfileStore profile;
  Win32Registry registry;
  ModuleConfig config;
  ModuleAutoRun autoRun;
  Win32FileDialog dialog;
  Win32FileSystem files;
};

}  // namespace kestrune
