#pragma once
// Colour arithmetic of the tab strip, the colour sets of its five themes and the detection of
// the platform's visual style.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/color.h"

namespace kestrune::tabstrip {

enum TabTheme : std::int32_t {
  kThemeClassic = 0,
  kThemeXP = 1,
  kThemeFlat = 2,
  kThemeRounded = 3,
  kThemeBeige = 4,
};

// The themes that light up the tab under the mouse (and follow its close box).
inline bool HighlightsHover(int theme) { return theme == kThemeXP || theme == kThemeBeige; }

// RGB of a colour value; a system colour comes from `system`, a value that cannot be translated
// (an unknown system index, or stray bits above the blue byte) is black.
Rgb ToRgb(OleColor color, const SystemColors& system);

// Adds offset to each channel of the colour's RGB, clamping to 0..255.
Rgb OffsetColor(OleColor color, int offset, const SystemColors& system);

// Mixes two colours: weight 255 gives a, 0 gives b.
Rgb BlendColors(OleColor a, OleColor b, int weight, const SystemColors& system);

// The colour properties a theme sets, in the order of a theme's row.
namespace themecolor {
enum Index : int {
  kActiveTabBackStart,
  kActiveTabBackEnd,
  kActiveTabFore,
  kInActiveTabBackStart,
  kInActiveTabBackEnd,
  kInActiveTabFore,
  kTabStripBack,
  kDisabledTabBack,
  kDisabledTabFore,
  kTopLeftInnerBorder,
  kOuterBorder,
  kBottomRightInnerBorder,
  kHover,
  kFocused,
  kCount
};
}  // namespace themecolor

struct ThemeColorSet {
  std::array<std::optional<OleColor>, themecolor::kCount> colors{};  // none: the property is kept
  // Beige also resets the picture mask, the picture size and the focus, mask and detection flags.
  bool beigeExtras = false;
};

// The colour set of a theme; hover and focus of the beige theme are computed from the current
// active-caption colour. A theme outside 0..4 gives an empty set.
ThemeColorSet ThemeColors(std::int32_t theme, const SystemColors& system);

// What the platform reports about itself for theme detection.
struct OsVersion {
  bool ok = false;        // the version query succeeded
  std::uint32_t platformId = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
};

class VisualStyle {
 public:
  virtual ~VisualStyle() = default;
  virtual OsVersion Version() const = 0;
  // Asks for the current visual style. On success the colour-scheme name buffer (as filled by
  // the platform, possibly with embedded NULs) is stored in colorName and true is returned.
  virtual bool CurrentThemeName(std::wstring& colorName) const = 0;
};

// Windows XP itself (5.1, build 2600 or later); earlier and later systems answer false.
bool IsWindowsXp(const VisualStyle& style);
// "None", "UxTheme_Error", or the colour-scheme name.
std::wstring VisualStyleName(const VisualStyle& style);

}  // namespace kestrune::tabstrip
