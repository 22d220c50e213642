#pragma once
// The saved property set of the main window's resource monitor (SystemMonitorState), kept as data:
// 441 x 89 pixels, everything not listed at its default.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/property_bag.h"
#include "platform/types.h"

namespace kestrune {

struct SavedIntProperty {
  std::string_view key;
  std::int32_t value;
};

inline constexpr Rect kFormMainMonitorBounds{0, 0, 441, 89};  // size only; the form places it
inline constexpr SavedIntProperty kFormMainMonitorInts[] = {
    {"BackColor", 0x00FBFDFB},
    {"BorderStyle", 0},
    {"CPUMonitorColor", 0x0000C000},
    {"DisplayGridColor", 0x00E0E0E0},
    {"UpdateInterval", 500},
};
inline constexpr std::wstring_view kFormMainMonitorDrive = L"C:\\";

inline PropertyBag SystemMonitorStateProperties() {
  PropertyBag bag;
  for (const SavedIntProperty& p : kFormMainMonitorInts) bag.Set<std::int32_t>(std::string(p.key), p.value);
  bag.Set<std::wstring>("HDDriveLetter", std::wstring(kFormMainMonitorDrive));
  return bag;
}

}  // namespace kestrune
