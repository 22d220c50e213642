#pragma once
// The path the private-profile functions are given for the settings file.
#include <string>
#include <string_view>

namespace kestrune {

// The profile functions take no path beyond MAX_PATH (Wine's refuse one in any form, the extended
// one included): a longer path is given with its folder's short name where the volume keeps short
// names, so that it fits, and in the extended form where it does not. A path that fits is given as
// it is.
std::wstring ProfileFilePath(std::wstring_view file);

}  // namespace kestrune
