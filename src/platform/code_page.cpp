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

}  // namespace kestrune
