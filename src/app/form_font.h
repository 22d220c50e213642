#pragma once
// The font of the form's own controls (the tab strip's captions, the two buttons) in the language
// shown. The Japanese window keeps the face and character set it was designed with; the English
// one takes the system's user-interface face, as every other program on that desktop does: a
// Japanese face is an optional feature of an English system, and where it is missing the font
// mapper's stand-in for it draws no Latin letters at all.
#include <string_view>

#include "platform/font.h"
#include "platform/texts.h"

namespace kestrune {

inline constexpr int kDefaultCharset = 1;  // DEFAULT_CHARSET: the face's own letters

// systemFace: the face of the system's message font.
inline Font FormFont(Language language, std::wstring_view systemFace) {
  Font font;  // "MS UI Gothic", 9 points, Shift JIS
  if (language == Language::English) {
    font.name = std::wstring(systemFace);
    font.charset = kDefaultCharset;
  }
  return font;
}

}  // namespace kestrune
