#pragma once
// The saved property sets of the main window's two buttons. They keep the default look (XP style,
// scheme 1), so only the caption and the font are stored; every other key reads its default.
#include <string>

#include "platform/font.h"
#include "platform/property_bag.h"
#include "platform/texts.h"

namespace kestrune {

inline Font FormMainButtonFont() {
  Font font;
  font.name = L"MS UI Gothic";
  font.size = 9.0;
  font.charset = 128;  // Shift JIS
  return font;
}

// CommandExit: "終了" [Exit]; font: the form's in the language shown (form_font.h).
inline PropertyBag CommandExitProperties(const Font& font = FormMainButtonFont()) {
  PropertyBag bag;
  bag.Set<Font>("Font", font);
  bag.Set<std::wstring>("Caption", std::wstring(UiText(TextId::ButtonExit)));
  return bag;
}

// CommandMini: "隠す" [Hide].
inline PropertyBag CommandMiniProperties(const Font& font = FormMainButtonFont()) {
  PropertyBag bag;
  bag.Set<Font>("Font", font);
  bag.Set<std::wstring>("Caption", std::wstring(UiText(TextId::ButtonHide)));
  return bag;
}

}  // namespace kestrune
