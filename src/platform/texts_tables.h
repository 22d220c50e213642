#pragma once
// The two tables, for texts.cpp, which picks one.
#include "platform/texts.h"

namespace kestrune {

extern const std::span<const TextEntry> kJapaneseTable;
extern const std::span<const TextEntry> kEnglishTable;
extern const std::span<const SettingCaptionEntry> kJapaneseSettingCaptions;
extern const std::span<const SettingCaptionEntry> kEnglishSettingCaptions;

}  // namespace kestrune
