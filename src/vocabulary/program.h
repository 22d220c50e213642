#pragma once
// Words of the program that more than one subsystem shows.
#include <string_view>

// The version is CMake's project VERSION, given to every module that uses this one as definitions.
#if !defined(KESTRUNE_VERSION_MAJOR) || !defined(KESTRUNE_VERSION_MINOR) || !defined(KESTRUNE_VERSION_PATCH)
#error "KESTRUNE_VERSION_MAJOR/MINOR/PATCH come from CMakeLists.txt: link kestrune_vocabulary"
#endif
#define KESTRUNE_VERSION_TEXT_(n) #n
#define KESTRUNE_VERSION_TEXT(major, minor, patch) \
  KESTRUNE_VERSION_TEXT_(major) "." KESTRUNE_VERSION_TEXT_(minor) "." KESTRUNE_VERSION_TEXT_(patch)
#define KESTRUNE_VERSION_WTEXT \
  L"" KESTRUNE_VERSION_TEXT(KESTRUNE_VERSION_MAJOR, KESTRUNE_VERSION_MINOR, KESTRUNE_VERSION_PATCH)

namespace kestrune {

// The title of every message box that names none of its own.
inline constexpr std::wstring_view kProgramTitle = L"Kestrune";

}  // namespace kestrune
