#pragma once
// Where kestrune.ini lives: beside the executable, or, where this user may not write there (a
// copy in Program Files run without elevation, read-only media), in the user's own folder
// (%APPDATA%\Kestrune). The choice is made once, at start-up, before the settings are read.
#include <string>
#include <string_view>

#include "platform/file_access.h"

namespace kestrune {

struct SettingsLocation {
  std::wstring folder;  // the settings file's folder: the program's other own files go beside it
  std::wstring file;    // the settings file to read and write
  bool moved = false;   // the settings went to the user's folder at this start: the user is told
};

// Beside the executable when that file can be written. Otherwise the user's folder: its file as
// it is when it exists, else made there as a copy of the file beside the executable (so the
// settings made so far come along) or as a new file. Where the user's file cannot be made either,
// the file beside the executable is kept: it is read, and the writes fail as before. userFolder
// empty: the user's folder is unknown.
SettingsLocation LocateSettings(FileAccess& files, std::wstring_view programFolder, std::wstring_view userFolder);

// The settings file a copy already running uses, found by the same rule without making a folder or
// copying a file: the single-instance notice, shown before anything else, reads its language there.
std::wstring SettingsFileInUse(FileAccess& files, std::wstring_view programFolder, std::wstring_view userFolder);

// The notice for a user whose settings moved.
std::wstring SettingsMovedNotice(std::wstring_view file);

}  // namespace kestrune
