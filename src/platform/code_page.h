#pragma once
// The system's ANSI code page: text crosses into files and bounded buffers in it.
#include <string>
#include <string_view>

namespace kestrune {

class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual bool IsLeadByte(unsigned char byte) const = 0;
  virtual std::wstring ToWide(std::string_view ansi) const = 0;
  virtual std::string ToAnsi(std::wstring_view wide) const = 0;
};

// The longest prefix of ansi that fits in maxBytes without splitting a double-byte character.
std::string_view BoundAnsi(std::string_view ansi, std::size_t maxBytes, const CodePage& codePage);

}  // namespace kestrune
