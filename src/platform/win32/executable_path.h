#pragma once
// Where the running executable lies.
#include <string>

namespace kestrune {

// The executable's full path, however long.
std::wstring ExecutableFilePath();
// Its directory, without a trailing backslash unless it is a drive root ("C:\").
std::wstring ExecutableDirectory();
// Its file name without the extension.
std::wstring ExecutableBaseName();

}  // namespace kestrune
