#pragma once
// The two speed levels. The speed list shows them by their item texts (the language shown's), the
// tick raises by them, the history names them in its rows and the settings file stores them as 1 and 2.
#include <array>
#include <string_view>

#include "platform/texts.h"

namespace kestrune {

enum class SpeedLevel {
  Normal,   // "普通加速": the new foreground process gets the high class
  Extreme,  // "極限加速": the real-time class
  Unknown,  // none chosen: nothing is raised
};

// The item texts, in the language shown.
inline std::wstring_view SpeedNormalText() { return UiText(TextId::SpeedNormal); }
inline std::wstring_view SpeedExtremeText() { return UiText(TextId::SpeedExtreme); }

// The speed list's items, in the order the list shows them and the levels have.
inline std::array<std::wstring_view, 2> SpeedLevelItems() { return {SpeedNormalText(), SpeedExtremeText()}; }

}  // namespace kestrune
