#include "platform/win32/code_page.h"

#include <windows.h>

namespace kestrune {

bool Win32CodePage::IsLeadByte(unsigned char byte) const { return ::IsDBCSLeadByte(byte) != FALSE; }

std::wstring Win32CodePage::ToWide(std::string_view ansi) const {
  if (ansi.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), out.data(), n);
  return out;
}

std::string Win32CodePage::ToAnsi(std::wstring_view wide) const {
  if (wide.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace kestrune
