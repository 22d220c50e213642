#pragma once
// The text layout of RasterSurface, step by step: access-key prefixes, hard line breaks, word wrap
// and the end ellipsis, all on the fixed glyph metrics of a cell height (see raster_surface.h).
#include <string_view>
#include <vector>

namespace kestrune::raster_text {

struct GlyphChar {
  wchar_t c;
  bool underline;
};
using TextLine = std::vector<GlyphChar>;

// Wide (CJK, full-width) characters take a whole cell, the others half of one.
bool IsWide(wchar_t c);
int CharWidth(wchar_t c, int cellHeight);
int LineWidth(const TextLine& line, int cellHeight);

// 1. Access-key prefixes: "&&" is a literal ampersand, "&x" underlines x, a final "&" shows
//    nothing. With noPrefix every character shows as it is.
std::vector<GlyphChar> ResolvePrefixes(std::wstring_view text, bool noPrefix);

// 2. Hard line breaks: LF starts a line and CR shows nothing; a single line shows neither. With
//    expandTabs a tab shows as a space.
std::vector<TextLine> SplitLines(const std::vector<GlyphChar>& chars, bool singleLine, bool expandTabs);

// 3. Word wrap: break after spaces and beside wide characters; a word wider than the width stays
//    whole on its own line. Spaces at a break are dropped.
std::vector<TextLine> WrapWords(const std::vector<TextLine>& lines, int width, int cellHeight);

// 4. End ellipsis: a line too wide is cut and ends in "...".
void AddEndEllipsis(std::vector<TextLine>& lines, int width, int cellHeight);

// The lines DrawText shows for this format (textfmt flags) in a rectangle of the given width.
std::vector<TextLine> LayOutText(std::wstring_view text, unsigned format, int width, int cellHeight);

}  // namespace kestrune::raster_text
