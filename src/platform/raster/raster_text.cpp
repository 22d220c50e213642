#include "platform/raster/raster_text.h"

#include <algorithm>
#include <cstdint>
#include <cstddef>
#include <utility>

#include "platform/surface.h"

namespace kestrune::raster_text {

bool IsWide(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  return (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3) ||
         (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
         (u >= 0xFFE0 && u <= 0xFFE6);
}

int CharWidth(wchar_t c, int cellHeight) { return IsWide(c) ? cellHeight : std::max(1, cellHeight / 2); }

int LineWidth(const TextLine& line, int cellHeight) {
  int w = 0;
  for (const GlyphChar& g : line) w += CharWidth(g.c, cellHeight);
  return w;
}

std::vector<GlyphChar> ResolvePrefixes(std::wstring_view text, bool noPrefix) {
  std::vector<GlyphChar> chars;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'&' && !noPrefix) {
      if (i + 1 >= text.size()) break;
      const wchar_t next = text[++i];
      chars.push_back(GlyphChar{next, next != L'&'});
    } else {
      chars.push_back(GlyphChar{c, false});
    }
  }
  return chars;
}

std::vector<TextLine> SplitLines(const std::vector<GlyphChar>& chars, bool singleLine, bool expandTabs) {
  std::vector<TextLine> lines(1);
  for (const GlyphChar& g : chars) {
    if (g.c == L'\r') continue;
    if (g.c == L'\n') {
      if (!singleLine) lines.emplace_back();
      continue;
    }
    lines.back().push_back(g.c == L'\t' && expandTabs ? GlyphChar{L' ', g.underline} : g);
  }
  return lines;
}

namespace {

void DropTrailingSpaces(TextLine& line) {
  while (!line.empty() && line.back().c == L' ') line.pop_back();
}

// One hard line, wrapped onto `out`.
void WrapLine(const TextLine& line, int width, int cellHeight, std::vector<TextLine>& out) {
  if (line.empty()) {
    out.emplace_back();
    return;
  }
  TextLine current;
  std::size_t i = 0;
  while (i < line.size()) {
    // Next word: a run of non-space narrow characters, or one wide character; plus its spaces.
    std::size_t end = i;
    if (IsWide(line[end].c)) {
      ++end;
    } else {
      while (end < line.size() && line[end].c != L' ' && !IsWide(line[end].c)) ++end;
    }
    std::size_t spacesEnd = end;
    while (spacesEnd < line.size() && line[spacesEnd].c == L' ') ++spacesEnd;
    const TextLine word(line.begin() + static_cast<std::ptrdiff_t>(i), line.begin() + static_cast<std::ptrdiff_t>(end));
    if (!current.empty() && LineWidth(current, cellHeight) + LineWidth(word, cellHeight) > width) {
      DropTrailingSpaces(current);
      out.push_back(std::move(current));
      current.clear();
    }
    current.insert(current.end(), line.begin() + static_cast<std::ptrdiff_t>(i),
                   line.begin() + static_cast<std::ptrdiff_t>(spacesEnd));
    i = spacesEnd;
  }
  DropTrailingSpaces(current);
  out.push_back(std::move(current));
}

}  // namespace

std::vector<TextLine> WrapWords(const std::vector<TextLine>& lines, int width, int cellHeight) {
  std::vector<TextLine> wrapped;
  for (const TextLine& line : lines) WrapLine(line, width, cellHeight, wrapped);
  if (wrapped.empty()) wrapped.emplace_back();
  return wrapped;
}

void AddEndEllipsis(std::vector<TextLine>& lines, int width, int cellHeight) {
  const int dots = 3 * CharWidth(L'.', cellHeight);
  for (TextLine& line : lines) {
    if (LineWidth(line, cellHeight) <= width) continue;
    while (!line.empty() && LineWidth(line, cellHeight) + dots > width) line.pop_back();
    for (int k = 0; k < 3; ++k) line.push_back(GlyphChar{L'.', false});
  }
}

std::vector<TextLine> LayOutText(std::wstring_view text, unsigned format, int width, int cellHeight) {
  using namespace textfmt;
  const bool singleLine = (format & kSingleLine) != 0;
  std::vector<TextLine> lines =
      SplitLines(ResolvePrefixes(text, (format & kNoPrefix) != 0), singleLine, (format & kExpandTabs) != 0);
  if ((format & kWordBreak) && !singleLine) lines = WrapWords(lines, width, cellHeight);
  if (format & kEndEllipsis) AddEndEllipsis(lines, width, cellHeight);
  return lines;
}

}  // namespace kestrune::raster_text
