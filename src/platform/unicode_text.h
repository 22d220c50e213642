#pragma once
// Text in the two Unicode forms files carry beside the code page. wchar_t holds UTF-16 on Windows
// and whole code points elsewhere; both are read here, a surrogate without its partner as U+FFFD.
#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

std::string Utf8Bytes(std::wstring_view text);
std::string Utf16LeBytes(std::wstring_view text);
// The text of UTF-8 bytes (a character beyond U+FFFF as a surrogate pair where wchar_t is 16 bits);
// none when they are not UTF-8: a stray or missing continuation byte, an overlong form, a surrogate.
std::optional<std::wstring> Utf8Text(std::string_view bytes);

}  // namespace kestrune
