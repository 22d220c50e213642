#pragma once
// Colour values: 0x00BBGGRR for RGB; the high bit set names a system colour by index.
#include <cstdint>

namespace kestrune {

using OleColor = std::uint32_t;
using Rgb = std::uint32_t;  // always 0x00BBGGRR, never a system colour

constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr bool IsSystemColor(OleColor c) { return (c & 0x80000000u) != 0; }
constexpr int SystemColorIndex(OleColor c) { return static_cast<int>(c & 0xFFu); }

// System colour indices that the controls name (same numbers as COLOR_* of the platform).
namespace syscolor {
constexpr OleColor kButtonFace = 0x8000000F;
constexpr OleColor kButtonShadow = 0x80000010;
constexpr OleColor kButtonText = 0x80000012;
constexpr OleColor kButtonHighlight = 0x80000014;
constexpr OleColor kDarkShadow3d = 0x80000015;
constexpr OleColor kLight3d = 0x80000016;
}  // namespace syscolor

// Turns a system colour index into RGB; implemented by the platform (GetSysColor) and by fakes.
class SystemColors {
 public:
  virtual ~SystemColors() = default;
  virtual Rgb Get(int index) const = 0;
};

}  // namespace kestrune
