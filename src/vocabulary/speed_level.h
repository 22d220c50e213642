#pragma once
// The two speed levels. ComboSpeed shows them by their item texts (the language shown's), the tick raises by them, the
// history names them in its rows and the settings file stores them as 1 and 2.
#include <array>
#include <string_view>

#include "platform/texts.h"

namespace kestrune {

enum class SpeedLevel {
  Normal,   // "普通加速": the new foreground process gets the high class
  Extreme,  // "極限加速": the real-time class
  Unknown,  // any other text: nothing is raised
};

// The item texts, in the language shown.
inline std::wstring_view SpeedNormalText() { return UiText(TextId::SpeedNormal); }
inline std::wstring_view SpeedExtremeText() { return UiText(TextId::SpeedExtreme); }

// ComboSpeed's items, in the order the list shows them.
inline std::array<std::wstring_view, 2> SpeedLevelItems() { return {SpeedNormalText(), SpeedExtremeText()}; }

// The level an item text names; texts are compared exactly, case and width included.
inline SpeedLevel SpeedLevelOf(std::wstring_view itemText) {
  if (itemText == SpeedNormalText()) return SpeedLevel::Normal;
  if (itemText == SpeedExtremeText()) return SpeedLevel::Extreme;
  return SpeedLevel::Unknown;
}

// The item text of a level; an unknown level has none.
inline std::wstring_view ItemTextOf(SpeedLevel level) {
  switch (level) {
    case SpeedLevel::Normal: return SpeedNormalText();
    case SpeedLevel::Extreme: return SpeedExtremeText();
    case SpeedLevel::Unknown: break;
  }
  return {};
}

}  // namespace kestrune
