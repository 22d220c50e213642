#include "app/tab_images.h"

#include <array>
#include <string_view>

#include "platform/color.h"

namespace kestrune {
namespace {

constexpr Rgb kMask = 0xC0C0C0;

Rgb ColourOf(char c) {
  switch (c) {
    case 'b': return MakeRgb(0x1E, 0x5A, 0xC8);  // blue
    case 'l': return MakeRgb(0x5A, 0xB4, 0xF0);  // light blue
    case 'g': return MakeRgb(0x20, 0xA0, 0x40);  // green
    case 'k': return MakeRgb(0x50, 0x50, 0x50);  // dark grey
    case 'w': return MakeRgb(0xFF, 0xFF, 0xFF);
    case 'o': return MakeRgb(0xF0, 0x90, 0x20);  // orange
    default: return kMask;
  }
}

// Each picture is drawn from a 16-row pattern: '.' mask, other letters pick a colour. Other sizes
// take each pattern cell to a block of whole pixels, so the lines stay sharp.
Picture FromPattern(const std::array<std::string_view, 16>& rows, int size) {
  Picture picture;
  picture.kind = Picture::Kind::Bitmap;
  picture.width = size;
  picture.height = size;
  picture.pixels.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
  for (int y = 0; y < size; ++y) {
    const std::string_view row = rows[static_cast<std::size_t>(y * 16 / size)];
    for (int x = 0; x < size; ++x) {
      const std::size_t column = static_cast<std::size_t>(x * 16 / size);
      picture.pixels.push_back(ColourOf(column < row.size() ? row[column] : '.'));
    }
  }
  return picture;
}

}  // namespace

std::vector<Picture> TabMainImages(int size) {
  if (size < 1) size = 16;
  return {
      // State: a rising chart.
      FromPattern({"................", "..............g.", ".............gg.", "............g.g.",
                   "...........g....", "..........g.....", "...g.....g......", "..g.g...g.......",
                   ".g...g.g........", "g.....g.........", "................", "kkkkkkkkkkkkkkkk",
                   "k.b..b..b..b..bk", "k.b..b..b..b..bk", "kkkkkkkkkkkkkkkk", "................"}, size),
      // Settings: two sliders.
      FromPattern({"................", "................", "..kkkkkkkkkkkk..", "..k..........k..",
                   "..k..bbb.....k..", "kkkkkbwbkkkkkkkk", "..k..bbb.....k..", "..k..........k..",
                   "..k..........k..", "..k......ooo.k..", "kkkkkkkkkowokkkk", "..k......ooo.k..",
                   "..k..........k..", "..kkkkkkkkkkkk..", "................", "................"}, size),
      // History: a list.
      FromPattern({"................", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkkwk.",
                   ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkwwk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkkwk.",
                   ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkwwwk.", ".kwwwwwwwwwwwwk.", ".kwbbwkkkkkkkwk.",
                   ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................", "................"}, size),
      // About: an "i" in a circle.
      FromPattern({"................", ".....bbbbbb.....", "...bbllllllbb...", "..bllllwwllllb..",
                   "..bllllwwllllb..", ".bllllllllllllb.", ".blllllwwllllllb", ".blllllwwlllllb.",
                   ".blllllwwlllllb.", ".blllllwwlllllb.", "..bllllwwllllb..", "..bllllwwllllb..",
                   "...bbllllllbb...", ".....bbbbbb.....", "................", "................"}, size),
      // Advanced: a lightning bolt over a checked box, for quick and careful acceleration.
      FromPattern({"..........oo....", ".........oo.....", "........oo......", ".......oooooo...",
                   "..........oo....", ".........oo.....", "........oo......", ".......o........",
                   "................", "kkkkkkk.........", "kwwwwwk.........", "kwwwgwk..bbbbbbb",
                   "kgwggwk.........", "kwggwwk..bbbbb..", "kkkkkkk.........", "................"}, size),
  };
}

}  // namespace kestrune
