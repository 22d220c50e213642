#include "platform/win32/message_boxes.h"

#include <string>

namespace kestrune {

int Win32MessageBoxes::Show(std::wstring_view text, std::wstring_view title, unsigned flags) {
  return ::MessageBoxW(owner_, std::wstring(text).c_str(), std::wstring(title).c_str(), flags);
}

}  // namespace kestrune
