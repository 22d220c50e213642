#pragma once
// Words of the program that more than one subsystem shows.
#include <string_view>

namespace kestrune {

// The title of every message box that names none of its own.
inline constexpr std::wstring_view kProgramTitle = L"Kestrune";

}  // namespace kestrune
