#include "platform/raster/raster_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/raster/png_writer.h"

namespace kestrune {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kRed = 0x0000FF;
constexpr Rgb kBlack = 0x000000;

// The pixels of one row as '#' (colour) and '.' (anything else), for readable expectations.
std::string Row(const RasterSurface& s, int y, Rgb color) {
  std::string out;
  for (int x = 0; x < s.ScaleWidth(); ++x) out += s.GetPixel(x, y) == color ? '#' : '.';
  return out;
}

TEST(RasterSurfaceLines, EndPointIsNotPainted) {
  RasterSurface s(10, 10);
  s.Clear(kWhite);
  s.Line(1, 2, 6, 2, kRed);
  EXPECT_EQ(Row(s, 2, kRed), ".#####....");
  s.Line(3, 0, 3, 4, kRed);  // vertical, rows 0..3
  EXPECT_EQ(s.GetPixel(3, 3), kRed);
  EXPECT_EQ(s.GetPixel(3, 4), kWhite);
  s.Line(8, 9, 8, 5, kRed);  // upwards: 9..6 painted, 5 not
  EXPECT_EQ(s.GetPixel(8, 6), kRed);
  EXPECT_EQ(s.GetPixel(8, 5), kWhite);
  s.Clear(kWhite);
  s.Line(4, 4, 4, 4, kRed);  // zero length paints nothing
  EXPECT_EQ(s.CountColor(kRed), 0);
}

TEST(RasterSurfaceLines, DiagonalAndShallowLinesAreConnected) {
  RasterSurface s(12, 12);
  s.Clear(kWhite);
  s.Line(0, 0, 5, 5, kRed);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.GetPixel(i, i), kRed) << i;
  EXPECT_EQ(s.GetPixel(5, 5), kWhite);
  EXPECT_EQ(s.CountColor(kRed), 5);

  s.Clear(kWhite);
  s.Line(0, 0, 10, 3, kRed);  // x-major: one pixel per column, y never jumps by more than one
  EXPECT_EQ(s.CountColor(kRed), 10);
  int lastY = 0;
  for (int x = 0; x < 10; ++x) {
    int found = -1;
    for (int y = 0; y < 12; ++y)
      if (s.GetPixel(x, y) == kRed) found = y;
    ASSERT_GE(found, 0) << x;
    EXPECT_LE(found - lastY, 1);
    lastY = found;
  }
}

TEST(RasterSurfaceLines, ClipsAtTheImageEdgeAndXorsInXorMode) {
  RasterSurface s(5, 5);
  s.Clear(kWhite);
  s.Line(-3, 2, 10, 2, kRed);  // partly outside: no crash, visible part painted
  EXPECT_EQ(Row(s, 2, kRed), "#####");
  s.SetDrawMode(DrawMode::XorPen);
  s.Line(0, 2, 5, 2, kRed);  // red ^ red = black
  EXPECT_EQ(Row(s, 2, kBlack), "#####");
  s.Line(0, 2, 5, 2, kRed);
  EXPECT_EQ(Row(s, 2, kRed), "#####");
  EXPECT_EQ(s.GetPixel(-1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(s.GetPixel(5, 0), 0xFFFFFFFFu);
}

TEST(RasterSurfaceRects, FillFrameAndRectangleCoverLeftTopInclusiveRightBottomExclusive) {
  RasterSurface s(8, 6);
  s.Clear(kWhite);
  s.FillRect(Rect{1, 1, 4, 3}, kRed);
  EXPECT_EQ(s.CountColor(kRed), 6);
  EXPECT_EQ(s.GetPixel(3, 2), kRed);
  EXPECT_EQ(s.GetPixel(4, 2), kWhite);
  EXPECT_EQ(s.GetPixel(3, 3), kWhite);

  s.Clear(kWhite);
  s.FrameRect(Rect{0, 0, 5, 4}, kRed);
  EXPECT_EQ(Row(s, 0, kRed), "#####...");
  EXPECT_EQ(Row(s, 1, kRed), "#...#...");
  EXPECT_EQ(Row(s, 3, kRed), "#####...");
  EXPECT_EQ(s.CountColor(kRed), 14);

  s.Clear(kWhite);
  s.Rectangle(Rect{0, 0, 5, 4}, kRed, kBlack);
  EXPECT_EQ(Row(s, 1, kRed), "#...#...");
  EXPECT_EQ(Row(s, 1, kBlack), ".###....");
  s.Clear(kWhite);
  s.Rectangle(Rect{0, 0, 5, 4}, kRed, std::nullopt);
  EXPECT_EQ(s.CountColor(kWhite), 8 * 6 - 14);
  // XOR mode inverts each outline pixel once, so twice restores the image.
  s.SetDrawMode(DrawMode::XorPen);
  s.Rectangle(Rect{0, 0, 5, 4}, kRed, kRed);
  s.Rectangle(Rect{0, 0, 5, 4}, kRed, kRed);
  EXPECT_EQ(s.CountColor(kWhite), 8 * 6 - 14);
  // FillRect ignores the mode.
  s.FillRect(Rect{6, 0, 7, 1}, kRed);
  EXPECT_EQ(s.GetPixel(6, 0), kRed);
}

TEST(RasterSurfaceRects, RoundRectCutsSymmetricCornersAndFillsInside) {
  RasterSurface s(20, 12);
  s.Clear(kWhite);
  s.RoundRect(Rect{0, 0, 20, 12}, 8, 8, kRed, kBlack);
  // Corners are cut, edges' middles are on the outline.
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
  EXPECT_EQ(s.GetPixel(19, 11), kWhite);
  EXPECT_EQ(s.GetPixel(10, 0), kRed);
  EXPECT_EQ(s.GetPixel(0, 6), kRed);
  EXPECT_EQ(s.GetPixel(19, 6), kRed);
  EXPECT_EQ(s.GetPixel(10, 11), kRed);
  EXPECT_EQ(s.GetPixel(10, 6), kBlack);
  // Mirror symmetry in both directions.
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      EXPECT_EQ(s.GetPixel(x, y), s.GetPixel(19 - x, y)) << x << "," << y;
      EXPECT_EQ(s.GetPixel(x, y), s.GetPixel(x, 11 - y)) << x << "," << y;
    }
  // Corner rows as the platform's GDI paints them (taken from its output): a 20 x 12 ellipse.
  RasterSurface big(30, 20);
  big.Clear(kWhite);
  big.RoundRect(Rect{0, 0, 30, 20}, 20, 12, kRed, std::nullopt);
  EXPECT_EQ(Row(big, 0, kRed).substr(0, 10), "......####");
  EXPECT_EQ(Row(big, 1, kRed).substr(0, 10), "....##....");
  EXPECT_EQ(Row(big, 2, kRed).substr(0, 10), "..##......");
  EXPECT_EQ(Row(big, 3, kRed).substr(0, 10), ".#........");
  EXPECT_EQ(Row(big, 4, kRed).substr(0, 10), "#.........");
  EXPECT_EQ(Row(big, 15, kRed).substr(0, 10), "#.........");
  EXPECT_EQ(Row(big, 19, kRed).substr(0, 10), "......####");
  // and a 9 x 10 one.
  big.Clear(kWhite);
  big.RoundRect(Rect{0, 0, 14, 18}, 9, 10, kRed, std::nullopt);
  EXPECT_EQ(Row(big, 0, kRed).substr(0, 5), "...##");
  EXPECT_EQ(Row(big, 1, kRed).substr(0, 5), "..#..");
  EXPECT_EQ(Row(big, 2, kRed).substr(0, 5), ".#...");
  EXPECT_EQ(Row(big, 3, kRed).substr(0, 5), "#....");
  // A tiny ellipse gives a plain rectangle.
  s.Clear(kWhite);
  s.RoundRect(Rect{0, 0, 5, 4}, 1, 1, kRed, std::nullopt);
  EXPECT_EQ(s.CountColor(kRed), 14);
}

TEST(RasterSurfaceFocus, DottedFrameByInversionRestoresWhenDrawnTwice) {
  RasterSurface s(8, 6);
  s.Clear(kWhite);
  s.DrawFocusRect(Rect{0, 0, 8, 6});
  EXPECT_EQ(Row(s, 0, kBlack), "#.#.#.#.");
  EXPECT_EQ(Row(s, 5, kBlack), ".#.#.#.#");
  EXPECT_EQ(Row(s, 2, kBlack), "#.......");
  EXPECT_EQ(Row(s, 3, kBlack), ".......#");
  s.DrawFocusRect(Rect{0, 0, 8, 6});
  EXPECT_EQ(s.CountColor(kWhite), 48);
}

TEST(RasterSurfaceText, FixedMetricsAndMeasure) {
  RasterSurface s(100, 40);
  Font f;
  f.size = 9;
  s.SetFont(f);
  EXPECT_EQ(s.CellHeight(), 12);
  EXPECT_EQ(s.CharWidth(L'A'), 6);
  EXPECT_EQ(s.CharWidth(L'\x3042'), 12);  // hiragana: double width
  EXPECT_EQ(s.MeasureText(L"AB\x3042").width, 24);
  EXPECT_EQ(s.MeasureText(L"AB\x3042").height, 12);
  EXPECT_EQ(s.MeasureText(L"A\r\nBBB").width, 18);
  EXPECT_EQ(s.MeasureText(L"A\r\nBBB").height, 24);
  f.size = 8;
  s.SetFont(f);
  EXPECT_EQ(s.CellHeight(), 11);  // 10.67 rounds to 11
  EXPECT_EQ(s.CharWidth(L'A'), 5);
}

TEST(RasterSurfaceText, CalcRectPrefixAndAlignment) {
  RasterSurface s(100, 40);
  s.Clear(kWhite);
  Rect r{10, 5, 100, 40};
  // "&&" is one ampersand, "&x" one underlined x: "a&b" and "ok" -> 5 narrow characters.
  EXPECT_EQ(s.DrawText(L"a&&b &ok", r, textfmt::kCalcRect | textfmt::kSingleLine, kRed), 12);
  EXPECT_EQ(r, (Rect{10, 5, 10 + 6 * 6, 17}));
  EXPECT_EQ(s.CountColor(kRed), 0);  // calc-rect draws nothing
  Rect r2{10, 5, 100, 40};
  s.DrawText(L"a&&b &ok", r2, textfmt::kCalcRect | textfmt::kNoPrefix, kRed);
  EXPECT_EQ(r2.right, 10 + 8 * 6);

  // Centred horizontally and vertically: "AB" (12 px) in a 40 x 30 box at (0,0): x 14, y 9.
  Rect box{0, 0, 40, 30};
  const int ret = s.DrawText(L"AB", box, textfmt::kCenter | textfmt::kVCenter | textfmt::kSingleLine, kRed);
  EXPECT_EQ(ret, 9 + 12);
  // The first glyph box starts one pixel into its cell and two rows down.
  EXPECT_EQ(s.GetPixel(14, 11), kWhite);
  EXPECT_EQ(s.GetPixel(15, 11), kRed);
  EXPECT_EQ(s.GetPixel(15, 10), kWhite);
  EXPECT_EQ(s.GetPixel(18, 11), kRed);
  EXPECT_EQ(s.GetPixel(19, 11), kWhite);
  EXPECT_EQ(s.GetPixel(20, 11), kWhite);
  EXPECT_EQ(s.GetPixel(21, 11), kRed);   // second glyph
  EXPECT_EQ(s.GetPixel(16, 18), kRed);   // last glyph row (9 + 12 - 3)
  EXPECT_EQ(s.GetPixel(16, 19), kWhite);

  // The access key is underlined on the cell's last row, across its cell only.
  s.Clear(kWhite);
  Rect line{0, 0, 100, 20};
  s.DrawText(L"x&Y", line, textfmt::kSingleLine, kRed);
  EXPECT_EQ(Row(s, 11, kRed).substr(0, 14), "......######..");
  s.Clear(kWhite);
  s.DrawText(L"x&Y", line, textfmt::kSingleLine | textfmt::kNoPrefix, kRed);
  EXPECT_EQ(s.CountColor(kRed, Rect{0, 11, 100, 12}), 0);
}

TEST(RasterSurfaceText, WordBreakWrapsAtSpacesAndClipsToTheRectangle) {
  RasterSurface s(100, 60);
  Rect r{0, 0, 40, 60};  // room for 6 narrow characters per line
  EXPECT_EQ(s.DrawText(L"abc def ghi", r, textfmt::kWordBreak | textfmt::kCalcRect, kRed), 36);
  EXPECT_EQ(r.right, 18);  // each word on its own line: "abc def" would be 42 px
  Rect r2{0, 0, 40, 60};
  EXPECT_EQ(s.DrawText(L"ab cd efghijklm", r2, textfmt::kWordBreak | textfmt::kCalcRect, kRed), 24);
  EXPECT_EQ(r2.right, 54);  // a word wider than the box stays whole
  // Wide characters break between each other.
  Rect r3{0, 0, 30, 60};
  EXPECT_EQ(s.DrawText(L"\x3042\x3044\x3046", r3, textfmt::kWordBreak | textfmt::kCalcRect, kRed), 24);

  s.Clear(kWhite);
  Rect clip{0, 0, 9, 6};
  s.DrawText(L"WW", clip, textfmt::kSingleLine, kRed);
  EXPECT_EQ(s.CountColor(kRed, Rect{9, 0, 100, 60}), 0);
  EXPECT_EQ(s.CountColor(kRed, Rect{0, 6, 100, 60}), 0);
  EXPECT_GT(s.CountColor(kRed), 0);
}

TEST(RasterSurfacePicture, ScalesAndLeavesOutTransparentAndMaskedPixels) {
  Picture p;
  p.kind = Picture::Kind::Bitmap;
  p.width = 2;
  p.height = 2;
  p.pixels = {kRed, kBlack, kBlack, 0x00FF00};
  RasterSurface s(6, 6);
  s.Clear(kWhite);
  s.DrawPicture(p, Rect{1, 1, 5, 5}, kBlack);
  EXPECT_EQ(s.CountColor(kRed), 4);
  EXPECT_EQ(s.CountColor(0x00FF00), 4);
  EXPECT_EQ(s.CountColor(kBlack), 0);
  EXPECT_EQ(s.GetPixel(1, 1), kRed);
  EXPECT_EQ(s.GetPixel(4, 4), 0x00FF00u);
  p.kind = Picture::Kind::Icon;
  p.opaque = {true, true, true, false};
  s.Clear(kWhite);
  s.DrawPicture(p, Rect{0, 0, 2, 2}, std::nullopt);
  EXPECT_EQ(s.GetPixel(1, 0), kBlack);
  EXPECT_EQ(s.GetPixel(1, 1), kWhite);
  Picture empty;
  s.DrawPicture(empty, Rect{0, 0, 6, 6}, std::nullopt);  // no crash, nothing drawn
  EXPECT_EQ(s.GetPixel(1, 1), kWhite);
}

TEST(PngWriter, ChecksumsMatchKnownValues) {
  const std::string text = "123456789";
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  EXPECT_EQ(Crc32(bytes), 0xCBF43926u);
  EXPECT_EQ(Adler32(bytes), 0x091E01DEu);
}

TEST(PngWriter, WritesAFileWithSignatureHeaderAndStoredBlocks) {
  RasterSurface s(300, 250);  // raw data larger than one stored block
  s.Clear(0x336699);
  const std::string path = std::string(KESTRUNE_ARTIFACT_DIR) + "/raster_png_selftest.png";
  ASSERT_TRUE(s.WritePng(path));
  std::ifstream in(path, std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(data.size(), 300u * 250u * 3u);
  EXPECT_EQ(data.substr(1, 3), "PNG");
  EXPECT_EQ(data.substr(12, 4), "IHDR");
  EXPECT_EQ(static_cast<unsigned char>(data[18]), 300 >> 8);
  EXPECT_EQ(static_cast<unsigned char>(data[19]), 300 & 0xFF);
  EXPECT_EQ(data.substr(data.size() - 8, 4), "IEND");
  EXPECT_FALSE(s.WritePng("/nonexistent-dir/x.png"));
}

}  // namespace
}  // namespace kestrune

namespace kestrune {
namespace {

// A sheet of every primitive, written for a person to look at; it also checks that a second write of
// the same drawing gives the same bytes (the encoder has no hidden state).
TEST(RasterSurfaceSheet, WritesAViewableSheetOfPrimitives) {
  RasterSurface s(160, 80);
  s.Clear(0xF0F0F0);
  s.RoundRect(Rect{4, 4, 60, 40}, 12, 12, 0x800000, 0xFFE0C0);
  s.Rectangle(Rect{64, 4, 100, 40}, 0x000080, 0xC0C0FF);
  s.Line(104, 4, 156, 40, 0x008000);
  s.Line(104, 40, 156, 4, 0x008000);
  Rect t{4, 44, 156, 76};
  s.DrawText(L"&Tab \x3042\x3044 ok", t, textfmt::kCenter | textfmt::kVCenter | textfmt::kSingleLine, 0);
  s.DrawFocusRect(Rect{2, 42, 158, 78});
  const std::string a = std::string(KESTRUNE_ARTIFACT_DIR) + "/raster_sheet.png";
  const std::string b = std::string(KESTRUNE_ARTIFACT_DIR) + "/raster_sheet_again.png";
  ASSERT_TRUE(s.WritePng(a));
  ASSERT_TRUE(s.WritePng(b));
  std::ifstream ia(a, std::ios::binary), ib(b, std::ios::binary);
  const std::string da((std::istreambuf_iterator<char>(ia)), std::istreambuf_iterator<char>());
  const std::string db((std::istreambuf_iterator<char>(ib)), std::istreambuf_iterator<char>());
  EXPECT_EQ(da, db);
  std::remove(b.c_str());
}

}  // namespace
}  // namespace kestrune

namespace kestrune {
namespace {

// Pixel lists of lines as the platform's GDI paints them (taken from its output): the set does not
// depend on the direction, halves go to the smaller coordinate, and the end point is left out.
struct LineCase {
  int x1, y1, x2, y2;
  std::vector<Point> pixels;
};

class GdiLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(GdiLines, PaintTheSamePixelsAsTheSystem) {
  const LineCase& c = GetParam();
  RasterSurface s(40, 40);
  s.Clear(kWhite);
  s.Line(c.x1, c.y1, c.x2, c.y2, kBlack);
  std::vector<Point> painted;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      if (s.GetPixel(x, y) == kBlack) painted.push_back(Point{x, y});
  std::vector<Point> expected = c.pixels;
  std::sort(expected.begin(), expected.end(), [](Point a, Point b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  EXPECT_EQ(painted, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GdiLines,
    ::testing::Values(
        LineCase{0, 0, 6, 3, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
        LineCase{6, 3, 0, 0, {{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}}},
        LineCase{0, 3, 6, 0, {{5, 0}, {3, 1}, {4, 1}, {1, 2}, {2, 2}, {0, 3}}},
        LineCase{6, 0, 0, 3, {{5, 0}, {6, 0}, {3, 1}, {4, 1}, {1, 2}, {2, 2}}},
        LineCase{0, 0, 3, 6, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}},
        LineCase{0, 6, 3, 0, {{2, 1}, {2, 2}, {1, 3}, {1, 4}, {0, 5}, {0, 6}}},
        LineCase{3, 0, 0, 6, {{3, 0}, {2, 1}, {2, 2}, {1, 3}, {1, 4}, {0, 5}}},
        LineCase{0, 0, 10, 4, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 2}, {7, 3}, {8, 3}, {9, 4}}},
        LineCase{4, 10, 0, 0, {{0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}, {2, 6}, {3, 7}, {3, 8}, {4, 9}, {4, 10}}}));

}  // namespace
}  // namespace kestrune

namespace kestrune {
namespace {

TEST(RasterSurfaceText, RightAlignmentEllipsisAndFontStyles) {
  RasterSurface s(60, 30);
  s.Clear(kWhite);
  Rect right{0, 0, 60, 12};
  s.DrawText(L"AB", right, textfmt::kRight | textfmt::kSingleLine, kRed);
  EXPECT_EQ(Row(s, 5, kRed), std::string(49, '.') + "####..####.");

  // Too wide for 30 px (5 cells): cut to "AB" and "..." so that it fits.
  Rect narrow{0, 0, 30, 12};
  EXPECT_EQ(s.DrawText(L"ABCDEFGH", narrow, textfmt::kEndEllipsis | textfmt::kSingleLine | textfmt::kCalcRect, kRed),
            12);
  EXPECT_EQ(narrow.right, 30);

  Font f;
  f.underline = true;
  f.bold = true;
  s.SetFont(f);
  s.Clear(kWhite);
  Rect line{0, 0, 60, 12};
  s.DrawText(L"A B", line, textfmt::kSingleLine, kRed);
  EXPECT_EQ(Row(s, 11, kRed).substr(0, 20), "##################..");  // underline spans the space too
  EXPECT_EQ(Row(s, 1, kRed).substr(0, 20), ".####........####...");  // bold starts one row higher
  EXPECT_EQ(Row(s, 0, kRed).substr(0, 20), "....................");
}

}  // namespace
}  // namespace kestrune
