#include "app/tab_images.h"

#include <array>
#include <string_view>

#include "platform/color.h"

namespace kestrune {
namespace {

constexpr Rgb kMask = 0xC0C0C0;

// Each picture is drawn from a 16-row pattern: '.' mask, other letters pick a colour.
Picture FromPattern(const std::array<std::string_view, 16>& rows) {
  Picture picture;
  picture.kind = Picture::Kind::Bitmap;
  picture.width = 16;
  picture.height = 16;
  picture.pixels.reserve(256);
  for (std::string_view row : rows) {
    for (std::size_t x = 0; x < 16; ++x) {
      const char c = x < row.size() ? row[x] : '.';
      switch (c) {
        case 'b': picture.pixels.push_back(MakeRgb(0x1E, 0x5A, 0xC8)); break;  // blue
        case 'l': picture.pixels.push_back(MakeRgb(0x5A, 0xB4, 0xF0)); break;  // light blue
        case 'g': picture.pixels.push_back(MakeRgb(0x20, 0xA0, 0x40)); break;  // green
        case 'k': picture.pixels.push_back(MakeRgb(0x50, 0x50, 0x50)); break;  // dark grey
        case 'w': picture.pixels.push_back(MakeRgb(0xFF, 0xFF, 0xFF)); break;
        case 'o': picture.pixels.push_back(MakeRgb(0xF0, 0x90, 0x20)); break;  // orange
        default: picture.pixels.push_back(kMask); break;
      }
    }
  }
  return picture;
}

}  // namespace

std::vector<Picture> TabMainImages() {
  return {
      // State: a rising chart.
      FromPattern({"................", "..............g.", ".............gg.", "............g.g.",
                   "...........g....", "..........g.....", "...g.....g......", "..g.g...g.......",
                   ".g...g.g........", "g.....g.........", "................", "kkkkkkkkkkkkkkkk",
                   "k.b..b..b..b..bk", "k.b..b..b..b..bk", "kkkkkkkkkkkkkkkk", "................"}),
      // Settings: two sliders.
      FromPattern({"................", "................", "..kkkkkkkkkkkk..", "..k..........k..",
                   "..k..bbb.....k..", "kkkkkbwbkkkkkkkk", "..k..bbb.....k..", "..k..........k..",
                   "..k..........k..", "..k......ooo.k..", "kkkkkkkkkowokkkk", "..k......ooo.k..",
                   "..k..........k..", "..kkkkkkkkkkkk..", "................", "................"}),
      // History: a list.
      FromPattern({"................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkkwk.",
                   ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkwwk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkkwk.",
                   ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkwwwk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkkwk.",
                   ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................", "................"}),
      // About: an "i" in a circle.
      FromPattern({"................", ".....bbbbbb.....", "...bbllllllbb...", "..bllllwwllllb..",
                   "..bllllwwllllb..", ".bllllllllllllb.", ".blllllwwllllllb", ".blllllwwlllllb.",
                   ".blllllwwlllllb.", ".blllllwwlllllb.", "..bllllwwllllb..", "..bllllwwllllb..",
                   "...bbllllllbb...", ".....bbbbbb.....", "................", "................"}),
      // Advanced: a lightning bolt over a checked box, for quick and careful acceleration.
      FromPattern({"..........oo....", ".........oo.....", "........oo......", ".......oooooo...",
                   "..........oo....", ".........oo.....", "........oo......", ".......o........",
                   "................", "kkkkkkk.........", "kwwwwwk.........", "kwwwgwk..bbbbbbb",
                   "kgwggwk.........", "kwggwwk..bbbbb..", "kkkkkkk.........", "................"}),
  };
}

}  // namespace kestrune
