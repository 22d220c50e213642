#include "platform/profile.h"

#include "platform/unicode_text.h"

namespace kestrune {

std::optional<std::string> Utf16ProfileBytes(std::string_view fileBytes, const CodePage& codePage) {
  if (fileBytes.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) return std::nullopt;
  return std::string(kUtf16LeMark) + Utf16LeBytes(codePage.ToWide(fileBytes));
}

std::optional<std::string> ReadableProfileBytes(std::string_view fileBytes, const CodePage& codePage) {
  if (fileBytes.substr(0, kUtf8Mark.size()) != kUtf8Mark) return std::nullopt;
  const std::optional<std::wstring> text = Utf8Text(fileBytes.substr(kUtf8Mark.size()));
  if (!text) return std::nullopt;
  if (std::optional<std::string> ansi = ExactAnsi(*text, codePage)) return ansi;
  return std::string(kUtf16LeMark) + Utf16LeBytes(*text);
}

}  // namespace kestrune
