#pragma once
// The Win32 services behind the settings, the history and the journal of priority changes, bound to
// this executable's location and to where the settings file lives.
#include <windows.h>

#include <string>

#include "engine/change_journal.h"
#include "platform/win32/handles.h"
#include "platform/win32/file_access.h"
#include "platform/win32/file_dialog.h"
#include "platform/win32/file_system.h"
#include "platform/win32/profile_path.h"
#include "platform/win32/profile_store.h"
#include "platform/win32/registry.h"
#include "platform/win32/seat.h"
#include "platform/win32/state_file.h"
#include "settings/autostart_value.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"

namespace kestrune {

struct Win32Services {
  Win32Services(const CodePage& codePage, const std::wstring& directory, const std::wstring& baseName)
      : location(LocateSettings(access, directory, UserProgramFolder())),
        profile(codePage, ProfileFilePath(location.file)),
        settingsFile(profile),
        autostart(registry, ExecutablePath(directory, baseName)),
        journal(JournalFilePath(location.folder, SeatIdentity())),
        sharedJournal(SharedJournalFilePath(location.folder)) {}

  // The folder of the settings file: the program's own files that belong with the settings go there.
  const std::wstring& SettingsFolder() const { return location.folder; }

  Win32FileAccess access;
  SettingsLocation location;
  Win32ProfileStore profile;
  Win32Registry registry;
  SettingsFile settingsFile;
  AutostartValue autostart;
  Win32FileDialog dialog;  // owned by the main window once it exists
  Win32FileSystem files;
  // Beside the settings file: given the settings file's folder, it follows that file wherever it is
  // kept. This seat's own, and the one copies shared before (read once for what it holds).
  Win32StateFile journal;
  Win32StateFile sharedJournal;
};

}  // namespace kestrune
