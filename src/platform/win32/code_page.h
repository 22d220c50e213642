#pragma once
#include "platform/code_page.h"

namespace kestrune {

// The system's ANSI code page (CP_ACP).
class Win32CodePage : public CodePage {
 public:
  bool IsLeadByte(unsigned char byte) const override;
  std::wstring ToWide(std::string_view ansi) const override;
  std::string ToAnsi(std::wstring_view wide) const override;
};

}  // namespace kestrune
