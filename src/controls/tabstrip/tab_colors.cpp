#include "controls/tabstrip/tab_colors.h"

#include <algorithm>
#include <iterator>

#include "platform/rounding.h"

namespace kestrune::tabstrip {

namespace {
constexpr int kHighestSystemColorIndex = 30;  // COLOR_MENUBAR, the last index the platform knows
constexpr OleColor kActiveCaption = 0x80000003;

// A theme's row: a colour, or one of these.
constexpr std::int64_t kKeep = -1;           // the property keeps its value
constexpr std::int64_t kCaptionLighter = -2;  // the active caption colour, 16 lighter
constexpr std::int64_t kCaptionDarker = -3;   // the same, 16 darker

// One row per theme, in the order of themecolor::Index: the active tab's back start, back end and
// fore colour; the same for the inactive tabs; the strip's back; the disabled tab's back and fore;
// the top-left inner, outer and bottom-right inner borders; hover; focused.
constexpr std::int64_t kThemeRows[][themecolor::kCount] = {
    // classic
    {0x8000000F, 0x8000000F, 0x80000012, 0x8000000F, 0x8000000F, 0x80000012, kKeep, 0x8000000F, 0x80000015,
     0x80000014, 0x80000015, 0x80000010, kKeep, kKeep},
    // XP
    {0xFBFDFB, 0xFBFDFB, 0x80000012, 0xFFFFFF, 0xEAF0F0, 0x80000012, kKeep, 0x8000000F, 0xA0A0A0, kKeep, 0x9B9C91,
     kKeep, 0x3BC7FF, 0xEE8269},
    // flat
    {0x8000000F, 0x8000000F, 0x80000012, 0x80000016, 0x80000016, 0x80000011, 0x80000016, 0x8000000F, 0x80000015,
     kKeep, 0x80000014, 0x80000010, kKeep, kKeep},
    // rounded
    {0xF8F8F8, kKeep, 0xA76D50, 0xE5E5E5, kKeep, 0x909090, 0x8000000F, 0x8000000F, 0x80000015, kKeep, 0x909090,
     kKeep, kKeep, kKeep},
    // beige
    {0xE7F8FB, 0xDCEDF0, 0x80000012, 0xDCEDF0, 0xCBDCDF, 0x80000012, kKeep, 0x8000000F, 0xA0A0A0, 0x80000014,
     0xA8B9BC, 0x80000010, kCaptionLighter, kCaptionDarker},
};
static_assert(std::size(kThemeRows) == kThemeBeige + 1);
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
  if (theme < kThemeClassic || theme > kThemeBeige) return s;
  for (int k = 0; k < themecolor::kCount; ++k) {
    const std::int64_t v = kThemeRows[theme][k];
    if (v == kKeep) continue;
    if (v == kCaptionLighter) s.colors[k] = OffsetColor(kActiveCaption, 16, system);
    else if (v == kCaptionDarker) s.colors[k] = OffsetColor(kActiveCaption, -16, system);
    else s.colors[k] = static_cast<OleColor>(v);
  }
  s.beigeExtras = theme == kThemeBeige;
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
