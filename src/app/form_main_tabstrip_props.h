#pragma once
// The saved property set of the main window's tab strip (TabStripMain), kept as data: property
// pages in the XP look, a page for each caption, a 25-pixel active tab; everything not listed at its
// default.
// The colours are the XP set that choosing that theme stored; the page colour is the active tab's.
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/dpi.h"
#include "platform/font.h"
#include "platform/property_bag.h"
#include "platform/texts.h"

namespace kestrune {

struct TabStripSavedInt {
  std::string_view key;
  std::int32_t value;
};

// The pages' captions, in page order, each with one blank before and after.
inline constexpr TextId kFormMainTabCaptions[] = {TextId::TabState, TextId::TabSettings, TextId::TabHistory,
                                                  TextId::TabAbout, TextId::TabAdvanced};

// The active tab's height at 96 dpi.
inline constexpr std::int32_t kFormMainActiveTabHeight = 25;

// In the order the strip writes them, after the tab records.
inline constexpr TabStripSavedInt kFormMainTabStripInts[] = {
    {"ActiveTabBackEndColor", 0x00FBFDFB},
    {"ActiveTabBackStartColor", 0x00FBFDFB},
    {"ActiveTabHeight", kFormMainActiveTabHeight},
    {"BackColor", 0x00FBFDFB},
    {"DisabledTabBackColor", static_cast<std::int32_t>(0x8000000F)},
    {"DisabledTabForeColor", 0x00A0A0A0},
    {"InActiveTabBackEndColor", 0x00EAF0F0},
    {"InActiveTabBackStartColor", 0x00FFFFFF},
    {"OuterBorderColor", 0x009B9C91},
    {"TabStyle", 1},
    {"TabTheme", 1},
};

// The form's font made bold; the inactive tabs use the form's font as it is.
inline Font FormMainActiveTabFont(Font formFont) {
  formFont.bold = true;
  formFont.weight = 700;
  return formFont;
}

// The strip's own height for the inactive tabs, which the set leaves at that default at 96 dpi.
inline constexpr std::int32_t kFormMainInActiveTabHeight = 22;

// The tab heights follow the resolution like every other size on the form, so that the tab
// pictures, which follow it too, keep their room.
inline PropertyBag TabStripMainProperties(const Font& formFont = Font{}, int dpi = kBaseDpi) {
  PropertyBag bag;
  bag.Set<std::int32_t>("TabCount", static_cast<std::int32_t>(std::size(kFormMainTabCaptions)));
  int index = 0;
  for (TextId caption : kFormMainTabCaptions)
    bag.Set<std::wstring>("TabCaption(" + std::to_string(index++) + ")", std::wstring(UiText(caption)));
  for (const TabStripSavedInt& p : kFormMainTabStripInts) {
    const bool height = p.key == "ActiveTabHeight";
    bag.Set<std::int32_t>(std::string(p.key), height ? ScaleToDpi(p.value, dpi) : p.value);
    if (p.key == "ActiveTabBackStartColor") bag.Set<Font>("ActiveTabFont", FormMainActiveTabFont(formFont));
    const std::int32_t inactive = ScaleToDpi(kFormMainInActiveTabHeight, dpi);
    if (p.key == "InActiveTabBackStartColor" && inactive != kFormMainInActiveTabHeight)
      bag.Set<std::int32_t>("InActiveTabHeight", inactive);
  }
  return bag;
}

}  // namespace kestrune
