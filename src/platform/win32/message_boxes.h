#pragma once
#include <windows.h>

#include "platform/message_boxes.h"

namespace kestrune {

// MessageBoxW, owned by the main window once it exists.
class Win32MessageBoxes : public MessageBoxes {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(std::wstring_view text, std::wstring_view title, unsigned flags) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace kestrune
