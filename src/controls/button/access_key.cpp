#include "controls/button/access_key.h"

#include <cwctype>

namespace kestrune::button {

namespace {

wchar_t ToLower(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c))); }

}  // namespace

std::optional<wchar_t> AccessKeyOf(std::wstring_view caption) {
  if (caption.size() < 2) return std::nullopt;
  std::size_t amp = caption.find(L'&');
  if (amp == std::wstring_view::npos || amp + 1 >= caption.size()) return std::nullopt;
  if (caption[amp + 1] != L'&') return ToLower(caption[amp + 1]);

  // A literal "&&": one more marker is looked for after the pair, and it must mark a real character.
  amp = caption.find(L'&', amp + 2);
  if (amp == std::wstring_view::npos || amp + 1 >= caption.size() || caption[amp + 1] == L'&') return std::nullopt;
  return ToLower(caption[amp + 1]);
}

}  // namespace kestrune::button
