#pragma once
#include <string>

namespace kestrune {

// A font description; the Win32 layer turns it into an HFONT, the raster surface into fixed metrics.
struct Font {
  std::wstring name = L"MS UI Gothic";
  double size = 9.0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int weight = 400;
  int charset = 128;  // SHIFTJIS_CHARSET
  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace kestrune
