#include "platform/code_page.h"

namespace kestrune {

std::string_view BoundAnsi(std::string_view ansi, std::size_t maxBytes, const CodePage& codePage) {
  // Walk character by character so a trail byte that looks like a lead byte is never misread.
  std::size_t end = 0;
  while (end < ansi.size()) {
    const std::size_t width = codePage.IsLeadByte(static_cast<unsigned char>(ansi[end])) ? 2 : 1;
    if (end + width > maxBytes || end + width > ansi.size()) break;
    end += width;
  }
  return ansi.substr(0, end);
}

std::wstring_view BoundAsAnsi(std::wstring_view text, std::size_t maxBytes, const CodePage& codePage) {
  // Most titles are far shorter than the bound: one conversion tells.
  if (codePage.ToAnsi(text).size() <= maxBytes) return text;
  std::size_t end = 0, bytes = 0;
  while (end < text.size()) {
    // A surrogate pair is one character: converted and kept or left out together.
    const bool pair = end + 1 < text.size() && text[end] >= 0xD800 && text[end] <= 0xDBFF &&
                      text[end + 1] >= 0xDC00 && text[end + 1] <= 0xDFFF;
    const std::size_t units = pair ? 2 : 1;
    // Every ANSI code page keeps ASCII as it is, one byte each.
    const std::size_t width = text[end] < 0x80 ? 1 : codePage.ToAnsi(text.substr(end, units)).size();
    if (bytes + width > maxBytes) break;
    bytes += width;
    end += units;
  }
  return text.substr(0, end);
}

std::optional<std::string> ExactAnsi(std::wstring_view text, const CodePage& codePage) {
  std::string bytes = codePage.ToAnsi(text);
  if (codePage.ToWide(bytes) != text) return std::nullopt;
  return bytes;
}

}  // namespace kestrune
