#pragma once
// Text in the two Unicode forms files carry beside the code page. wchar_t holds UTF-16 on Windows
// and whole code points elsewhere; both are read here, a surrogate without its partner as U+FFFD.
#include <string>
#include <string_view>

namespace kestrune {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

std::string Utf8Bytes(std::wstring_view text);
std::string Utf16LeBytes(std::wstring_view text);

}  // namespace kestrune
