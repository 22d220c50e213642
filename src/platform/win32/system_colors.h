#pragma once
// System colours from the platform (GetSysColor).
#include <windows.h>

#include "platform/color.h"

namespace kestrune {

class Win32SystemColors : public SystemColors {
 public:
  Rgb Get(int index) const override { return static_cast<Rgb>(::GetSysColor(index)) & 0x00FFFFFFu; }
};

}  // namespace kestrune
