#include "controls/tabstrip/tab_colors.h"

#include <algorithm>

#include "platform/rounding.h"

namespace kestrune::tabstrip {

namespace {
constexpr int kHighestSystemColorIndex = 30;  // COLOR_MENUBAR, the last index the platform knows
constexpr OleColor kActiveCaption = 0x80000003;
}  // namespace

Rgb ToRgb(OleColor color, const SystemColors& system) {
  if (IsSystemColor(color)) {
    // Only 0x800000nn with a known index translates; anything else fails and draws black.
    if ((color & 0x7FFFFF00u) != 0 || SystemColorIndex(color) > kHighestSystemColorIndex) return 0;
    return system.Get(SystemColorIndex(color)) & 0xFFFFFFu;
  }
  const std::uint32_t high = color >> 24;
  if (high == 0x00 || high == 0x02) return color & 0xFFFFFFu;  // plain or palette-relative RGB
  return 0;
}

Rgb OffsetColor(OleColor color, int offset, const SystemColors& system) {
  const Rgb rgb = ToRgb(color, system);
  // Clamp in 64-bit so that extreme offsets cannot overflow before clamping.
  auto shift = [offset](int channel) {
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{channel} + offset, 0, 255));
  };
  return MakeRgb(shift(RedOf(rgb)), shift(GreenOf(rgb)), shift(BlueOf(rgb)));
}

Rgb BlendColors(OleColor a, OleColor b, int weight, const SystemColors& system) {
  const Rgb ra = ToRgb(a, system);
  const Rgb rb = ToRgb(b, system);
  const double w = std::clamp(weight, 0, 255) / 255.0;
  auto mix = [w](int ca, int cb) {
    return std::clamp(RoundEvenInt((1.0 - w) * cb + w * ca), 0, 255);
  };
  return MakeRgb(mix(RedOf(ra), RedOf(rb)), mix(GreenOf(ra), GreenOf(rb)),
                 mix(BlueOf(ra), BlueOf(rb)));
}

ThemeColorSet ThemeColors(std::int32_t theme, const SystemColors& system) {
  ThemeColorSet s;
  auto set = [](ThemeColorSet::Entry& e, OleColor v) { e = {true, v}; };
  switch (theme) {
    case kThemeClassic:
      set(s.activeTabBackStart, 0x8000000F);
      set(s.activeTabBackEnd, 0x8000000F);
      set(s.activeTabFore, 0x80000012);
      set(s.inActiveTabBackStart, 0x8000000F);
      set(s.inActiveTabBackEnd, 0x8000000F);
      set(s.inActiveTabFore, 0x80000012);
      set(s.disabledTabBack, 0x8000000F);
      set(s.disabledTabFore, 0x80000015);
      set(s.topLeftInnerBorder, 0x80000014);
      set(s.outerBorder, 0x80000015);
      set(s.bottomRightInnerBorder, 0x80000010);
      break;
    case kThemeXP:
      set(s.activeTabBackStart, 0xFBFDFB);
      set(s.activeTabBackEnd, 0xFBFDFB);
      set(s.activeTabFore, 0x80000012);
      set(s.inActiveTabBackStart, 0xFFFFFF);
      set(s.inActiveTabBackEnd, 0xEAF0F0);
      set(s.inActiveTabFore, 0x80000012);
      set(s.disabledTabBack, 0x8000000F);
      set(s.disabledTabFore, 0xA0A0A0);
      set(s.outerBorder, 0x9B9C91);
      set(s.hover, 0x3BC7FF);
      set(s.focused, 0xEE8269);
      break;
    case kThemeFlat:
      set(s.activeTabBackStart, 0x8000000F);
      set(s.activeTabBackEnd, 0x8000000F);
      set(s.activeTabFore, 0x80000012);
      set(s.inActiveTabBackStart, 0x80000016);
      set(s.inActiveTabBackEnd, 0x80000016);
      set(s.inActiveTabFore, 0x80000011);
      set(s.tabStripBack, 0x80000016);
      set(s.disabledTabBack, 0x8000000F);
      set(s.disabledTabFore, 0x80000015);
      set(s.outerBorder, 0x80000014);
      set(s.bottomRightInnerBorder, 0x80000010);
      break;
    case kThemeRounded:
      set(s.activeTabBackStart, 0xF8F8F8);
      set(s.activeTabFore, 0xA76D50);
      set(s.inActiveTabBackStart, 0xE5E5E5);
      set(s.inActiveTabFore, 0x909090);
      set(s.tabStripBack, 0x8000000F);
      set(s.disabledTabBack, 0x8000000F);
      set(s.disabledTabFore, 0x80000015);
      set(s.outerBorder, 0x909090);
      break;
    case kThemeBeige:
      set(s.activeTabBackStart, 0xE7F8FB);
      set(s.activeTabBackEnd, 0xDCEDF0);
      set(s.activeTabFore, 0x80000012);
      set(s.inActiveTabBackStart, 0xDCEDF0);
      set(s.inActiveTabBackEnd, 0xCBDCDF);
      set(s.inActiveTabFore, 0x80000012);
      set(s.disabledTabBack, 0x8000000F);
      set(s.disabledTabFore, 0xA0A0A0);
      set(s.topLeftInnerBorder, 0x80000014);
      set(s.outerBorder, 0xA8B9BC);
      set(s.bottomRightInnerBorder, 0x80000010);
      set(s.hover, OffsetColor(kActiveCaption, 16, system));
      set(s.focused, OffsetColor(kActiveCaption, -16, system));
      s.beigeExtras = true;
      break;
    default:
      break;
  }
  return s;
}

bool IsWindowsXp(const VisualStyle& style) {
  const OsVersion v = style.Version();
  return v.ok && v.platformId == 2 && v.major == 5 && v.minor == 1 && v.build >= 2600;
}

std::wstring VisualStyleName(const VisualStyle& style) {
  if (!IsWindowsXp(style)) return L"None";
  std::wstring buffer;
  if (!style.CurrentThemeName(buffer)) return L"UxTheme_Error";
  // The platform leaves the buffer NUL-padded: keep what precedes the last NUL, without NULs.
  if (const auto lastNul = buffer.rfind(L'\0'); lastNul != std::wstring::npos) buffer.resize(lastNul);
  std::erase(buffer, L'\0');
  if (buffer.find_first_not_of(L' ') == std::wstring::npos) return L"None";
  return buffer;
}

}  // namespace kestrune::tabstrip
