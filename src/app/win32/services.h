#pragma once
// The Win32 services behind the settings, the history and the journal of priority changes, bound to
// this executable's location and to where the settings file lives.
#include <windows.h>

#include <string>
#include <vector>

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
      : userFolder(UserProgramFolder()),
        location(LocateSettings(access, directory, userFolder)),
        profile(codePage, ProfileFilePath(location.file)),
        settingsFile(profile),
        autostart(registry, ExecutablePath(directory, baseName)),
        journals(JournalsAtStart(location.folder, directory, userFolder, SeatIdentity())),
        journal(journals.own),
        earlierJournals(journals.earlier.begin(), journals.earlier.end()) {}

  // The folder of the settings file: the program's own files that belong with the settings go there.
  const std::wstring& SettingsFolder() const { return location.folder; }
  std::vector<StateFile*> EarlierJournals() {
    std::vector<StateFile*> journalsToRead;
    for (Win32StateFile& file : earlierJournals) journalsToRead.push_back(&file);
    return journalsToRead;
  }

  Win32FileAccess access;
  std::wstring userFolder;
  SettingsLocation location;
  Win32ProfileStore profile;
  Win32Registry registry;
  SettingsFile settingsFile;
  AutostartValue autostart;
  Win32FileDialog dialog;  // owned by the main window once it exists
  Win32FileSystem files;
  // Beside the settings file: given the settings file's folder, it follows that file wherever it is
  // kept. This seat's own, and those read once at start-up for what they hold: this seat's where a
  // run with other rights keeps its settings, and the ones copies shared before.
  StartJournals journals;
  Win32StateFile journal;
  std::vector<Win32StateFile> earlierJournals;
};

}  // namespace kestrune
