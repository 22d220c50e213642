#pragma once
// The two speed levels. ComboSpeed shows them by these item texts, the tick raises by them, the
// history names them in its rows and the settings file stores them as 1 and 2.
#include <string_view>

namespace kestrune {

enum class SpeedLevel {
  Normal,   // "普通加速": the new foreground process gets the high class
  Extreme,  // "極限加速": the real-time class
  Unknown,  // any other text: nothing is raised
};

inline constexpr std::wstring_view kSpeedNormal = L"普通加速";
inline constexpr std::wstring_view kSpeedExtreme = L"極限加速";

// ComboSpeed's items, in the order the list shows them.
inline constexpr std::wstring_view kSpeedLevelItems[] = {kSpeedNormal, kSpeedExtreme};

// The level an item text names; texts are compared exactly, case and width included.
constexpr SpeedLevel SpeedLevelOf(std::wstring_view itemText) {
  if (itemText == kSpeedNormal) return SpeedLevel::Normal;
  if (itemText == kSpeedExtreme) return SpeedLevel::Extreme;
  return SpeedLevel::Unknown;
}

// The item text of a level; an unknown level has none.
constexpr std::wstring_view ItemTextOf(SpeedLevel level) {
  switch (level) {
    case SpeedLevel::Normal: return kSpeedNormal;
    case SpeedLevel::Extreme: return kSpeedExtreme;
    case SpeedLevel::Unknown: break;
  }
  return {};
}

}  // namespace kestrune
