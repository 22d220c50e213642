#pragma once
// What the tab strip is, apart from how it is drawn and driven: its tabs, its properties (the
// persisted ones and the surface's own) and the rules on them. It knows no host, surface or
// platform: the control (tab_strip.h) applies what a change implies (redraw, notify, events).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/color.h"
#include "platform/font.h"
#include "platform/picture.h"
#include "platform/property_bag.h"
#include "platform/property_table.h"
#include "platform/types.h"

namespace kestrune::tabstrip {

enum TabStyle : std::int32_t { kTabbedDialog = 0, kPropertyPages = 1 };
enum PictureAlign : std::int32_t {
  kPicTabLeft = 0,
  kPicTabRight = 1,
  kPicCaptionLeft = 2,
  kPicCaptionRight = 3,
};
enum PictureSize : std::int32_t { kPicSmall = 0, kPicLarge = 1 };

struct TabRecord {
  Rect closeBoxRect{};  // where the last tab pass drew the close box
  std::wstring caption;  // "&" marks the access character, "&&" is a literal ampersand
  Rect tabRect{};       // the clickable area, as the last tab pass laid it out
  bool enabled = true;
  std::int32_t accessKey = 0;  // the upper-cased access character, 0 for none
  Picture picture{};
  friend bool operator==(const TabRecord&, const TabRecord&) = default;
};

// Access character of a caption: the upper-cased character after the last single "&" ("&&" is a
// literal ampersand); 0 when there is none, also when the "&" is the caption's last character.
std::int32_t AccessKeyOf(std::wstring_view caption);
// The caption as measured for the text-width layouts: "&&" reduced to "&", and, when an "&"
// remains, the last character dropped (the mark does not take up room when drawn).
std::wstring MeasuredCaption(std::wstring_view caption);

// The values are open to the control, which decides when one may change and what follows from it
// (a redraw, a notice to the host, events); the rules below keep the tabs and their keys in step.
struct TabStripModel {
  TabStripModel();

  // --- Persisted properties (keys, defaults and save order: tab_strip_persistence.cpp) ---
  std::int32_t tabCount{};
  std::int32_t activeTab{};
  OleColor activeTabBackEndColor{};
  OleColor activeTabBackStartColor{};
  Font activeTabFont{};
  OleColor activeTabForeColor{};
  std::int32_t activeTabHeight{};
  OleColor backColor{};  // the surface's background; drawing a page makes it the page colour
  OleColor bottomRightInnerBorderColor{};
  OleColor disabledTabBackColor{};
  OleColor disabledTabForeColor{};
  bool enabled{};  // the surface's (window's) enabled state
  OleColor focusedColor{};
  OleColor foreColor{};  // the surface's text colour
  OleColor hoverColor{};
  OleColor inActiveTabBackEndColor{};
  OleColor inActiveTabBackStartColor{};
  Font inActiveTabFont{};
  OleColor inActiveTabForeColor{};
  std::int32_t inActiveTabHeight{};
  OleColor outerBorderColor{};
  std::int32_t pictureAlign{};
  OleColor pictureMaskColor{};  // the surface's mask colour for bitmap pictures
  std::int32_t pictureSize{};
  bool showFocusRect{};
  OleColor tabStripBackColor{};
  std::int32_t tabStyle{};
  std::int32_t tabTheme{};
  OleColor topLeftInnerBorderColor{};
  bool useControlBox{};
  bool useFocusedColor{};
  bool useMaskColor{};
  bool useMouseWheelScroll{};
  bool useThemeDetection{};
  std::int32_t xRadius{};
  std::int32_t yRadius{};

  // What the host gives for the defaults that follow it; not persisted.
  Font ambientFont{};
  OleColor ambientBackColor = 0x8000000F;

  // --- State that is not persisted ---
  std::vector<TabRecord> tabs;  // always tabCount records
  std::int32_t lastActiveTab = 0;
  // How far apart the pages of contained controls are parked (see TabOfControl).
  int parkOffset = 10000;
  std::wstring accessKeys;  // the access characters of all tabs, as the host was last given them

  // Every persisted property at its default (the ambient values as they stand).
  void ResetProperties();
  // A new control: every property at its default, three tabs "Tab 0" to "Tab 2", the active tab's
  // font bold, the colour set of the theme applied.
  void ResetToNew(const SystemColors& system);
  // Reads the saved set; nothing changes when its "TabCount" is not positive (then false).
  bool Load(const PropertyBag& bag);
  void Save(PropertyBag& bag) const;

  bool ValidIndex(int index) const { return index >= 0 && index < tabCount; }
  TabRecord& Tab(int index) { return tabs[static_cast<std::size_t>(index)]; }
  const TabRecord& Tab(int index) const { return tabs[static_cast<std::size_t>(index)]; }
  int StripHeight() const { return activeTabHeight > inActiveTabHeight ? activeTabHeight : inActiveTabHeight; }

  // Makes the tab list hold tabCount records: new ones are "Tab " and their index, enabled; when
  // the list shrank past the active tab (or to one tab) the last tab becomes active directly.
  // True when tabs were dropped, and with them their access keys.
  bool FitTabsToCount();
  // Stores a caption and keeps the access-key list in step with it.
  void SetCaption(int index, std::wstring_view caption);
  void RebuildAccessKeys();
  // The page distance of contained controls for a control of this width.
  void ComputeParkOffset(double width);
  // The tab a contained control belongs to while tab 0 is active, from its Left alone.
  int TabOfControl(int left) const;
  // The colour set of the current theme (nothing for a theme outside the five).
  void ApplyThemeColors(const SystemColors& system);
};

// The persisted properties of the strip (not of its tabs): key, member, default and what setting one
// does, in save order.
std::span<const PersistedProperty<TabStripModel>> TabStripProperties();

}  // namespace kestrune::tabstrip
