#pragma once
// The system's ANSI code page: text crosses into files and bounded buffers in it.
#include <cstddef>
#include <optional>
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

// The same bound on Unicode text: the longest prefix whose code-page form fits in maxBytes, a
// character the code page lacks counted as the bytes that stand in for it there. The cut falls
// where it falls in the code-page text, but the characters stay what they are.
std::wstring_view BoundAsAnsi(std::wstring_view text, std::size_t maxBytes, const CodePage& codePage);

// The text's bytes in the code page when they read back as the same text; none when a character
// would be lost or become a look-alike.
std::optional<std::string> ExactAnsi(std::wstring_view text, const CodePage& codePage);

}  // namespace kestrune
