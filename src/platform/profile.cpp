#include "platform/profile.h"

#include "platform/unicode_text.h"

namespace kestrune {

std::optional<std::string> Utf16ProfileBytes(std::string_view fileBytes, const CodePage& codePage) {
  if (fileBytes.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) return std::nullopt;
  return std::string(kUtf16LeMark) + Utf16LeBytes(codePage.ToWide(fileBytes));
}

}  // namespace kestrune
