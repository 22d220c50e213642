#include "platform/accessible.h"

#include <cwctype>

namespace kestrune {

const AccessibleItem* AccessibleDescription::Item(long childId) const {
  if (childId == 0) return &self;
  if (childId < 0 || static_cast<std::size_t>(childId) > children.size()) return nullptr;
  return &children[static_cast<std::size_t>(childId - 1)];
}

bool OffParent(const Rect& bounds, int parentWidth, int parentHeight) {
  return bounds.Width() <= 0 || bounds.Height() <= 0 || bounds.right <= 0 || bounds.bottom <= 0 ||
         bounds.left >= parentWidth || bounds.top >= parentHeight;
}

std::wstring AltShortcut(wchar_t key) {
  if (key == 0) return {};
  return std::wstring(L"Alt+") + static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(key)));
}

std::wstring WithoutAccessMarks(std::wstring_view caption) {
  std::wstring shown;
  shown.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != L'&') {
      shown += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == L'&') {
      shown += L'&';
      ++i;
    }
  }
  return shown;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
  constexpr std::wstring_view kBlanks = L" \t\u3000";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace kestrune
