#include "platform/file_dialog.h"

namespace kestrune {

std::wstring DialogFilterList(std::wstring_view filter) {
  std::wstring list(filter);
  for (auto& c : list)
    if (c == L'|') c = L'\0';
  // One NUL ends the last pattern, one more ends the list.
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

}  // namespace kestrune
