#include "controls/button/button_painter.h"

#include <algorithm>
#include <array>

#include "controls/button/button_colors.h"
#include "platform/rounding.h"

namespace kestrune::button {

namespace {

using Components = std::array<double, 3>;

Components Split(Rgb c) { return {double(RedOf(c)), double(GreenOf(c)), double(BlueOf(c))}; }

Rgb Compose(const Components& c) {
  return MakeRgb(ClampComponent(RoundEvenInt(c[0])), ClampComponent(RoundEvenInt(c[1])), ClampComponent(RoundEvenInt(c[2])));
}

// Per-component step from mid to end over the given number of rows. A band of no length (tiny
// buttons, extreme percentages) would divide by zero; it gets no step instead.
Components StepsOver(Rgb mid, Rgb end, double rows) {
  const Components m = Split(mid), e = Split(end);
  Components s{};
  for (std::size_t i = 0; i < 3; ++i) s[i] = rows == 0.0 ? 0.0 : (e[i] - m[i]) / rows;
  return s;
}

void AddClamped(Components& c, const Components& step) {
  for (std::size_t i = 0; i < 3; ++i) c[i] = std::clamp(c[i] + step[i], 0.0, 255.0);
}

// One component of the top highlight rows: white at i = 0, reaching end after `span` pixels and
// darkening beyond. A span of zero or less (very narrow buttons) leaves the row white.
int HighlightComponent(int endComponent, int i, int span) {
  if (span <= 0) return 255;
  return ClampComponent(255 - ((255 - endComponent) * i) / span);
}

}  // namespace

void ButtonPainter::DrawRect(int x, int y, int w, int h, Rgb color, bool outlineOnly) {
  const Rect r{x, y, x + w, y + h};
  if (outlineOnly)
    surface_.FrameRect(r, color);
  else
    surface_.FillRect(r, color);
}

void ButtonPainter::DrawLine(int x1, int y1, int x2, int y2, Rgb color) { surface_.Line(x1, y1, x2, y2, color); }

void ButtonPainter::PutPixel(int x, int y, Rgb color) { surface_.SetPixel(x, y, color); }

void ButtonPainter::DrawRoundedFrame(Rgb edge, Rgb corner) {
  DrawLine(2, 0, w_ - 2, 0, edge);
  DrawLine(2, h_ - 1, w_ - 2, h_ - 1, edge);
  DrawLine(0, 2, 0, h_ - 2, edge);
  DrawLine(w_ - 1, 2, w_ - 1, h_ - 2, edge);
  PutPixel(1, 1, corner);
  PutPixel(1, h_ - 2, corner);
  PutPixel(w_ - 2, 1, corner);
  PutPixel(w_ - 2, h_ - 2, corner);
}

void ButtonPainter::Row(int y, int x1, int x2, double r, double g, double b) {
  DrawLine(x1, y, x2, y, Compose({r, g, b}));
}

void ButtonPainter::FadeToWhite(int r, int g, int b, int from, int to, int step) {
  if (step == 0) return;
  // Buttons of five pixels or less have no room for a fade; one row then takes the whole increment
  // instead of dividing by zero or by a negative count.
  const double rows = std::max(h_ - 5, 1);
  const Components inc{(255 - r) / rows, (255 - g) / rows, (255 - b) / rows};
  Components c{double(r), double(g), double(b)};
  for (int y = from; step > 0 ? y <= to : y >= to; y += step) {
    for (std::size_t i = 0; i < 3; ++i) c[i] = std::min(c[i] + inc[i], 255.0);
    Row(y, 1, w_ - 1, c[0], c[1], c[2]);
  }
}

void ButtonPainter::DrawBandGradient(Rgb mid, Rgb frame, Rgb end, int percent, bool flat) {
  if (flat) {
    DrawRect(1, 1, w_ - 2, h_ - 2, mid);
    DrawRoundedFrame(frame, frame);
    return;
  }
  const double k = percent * h_ / 100.0;

  // Upper band: mid at its lower edge, towards end at the top.
  Components steps = StepsOver(mid, end, k - 1);
  Components c = Split(mid);
  for (int y = RoundEvenInt(k); y >= 1; --y) {
    Row(y, 1, w_ - 1, c[0], c[1], c[2]);
    AddClamped(c, steps);
  }

  // Two highlight rows: white at the left fading into end, the second one over a shorter span.
  const int er = RedOf(end), eg = GreenOf(end), eb = BlueOf(end);
  for (int i = 0; i <= w_ - 4; ++i) {
    const int span = w_ - 10;
    PutPixel(i + 2, 1, MakeRgb(HighlightComponent(er, i, span), HighlightComponent(eg, i, span), HighlightComponent(eb, i, span)));
  }
  const int q = w_ - (2 * w_) / 3 - 2;
  for (int i = 0; i <= (w_ - w_ / 3) - 2; ++i)
    PutPixel(i + 2, 2, MakeRgb(HighlightComponent(er, i, q), HighlightComponent(eg, i, q), HighlightComponent(eb, i, q)));

  DrawLine(1, RoundEvenInt(k + 1), w_ - 1, RoundEvenInt(k + 1), mid);
  DrawLine(1, RoundEvenInt(k + 2), w_ - 1, RoundEvenInt(k + 2), mid);

  // Lower gradient: mid below the band edge, towards end at the bottom.
  steps = StepsOver(mid, end, h_ - k - 4);
  c = Split(mid);
  for (int y = RoundEvenInt(k + 3); y <= h_ - 4; ++y) {
    Row(y, 1, w_ - 1, c[0], c[1], c[2]);
    AddClamped(c, steps);
  }

  if (h_ < 10) return;

  const Rgb sample = surface_.GetPixel(2, h_ - 10);
  // A button too narrow to have that pixel has no inner width for these rows either.
  if (sample != 0xFFFFFFFFu) {
    DrawLine(1, h_ - 9, w_ - 1, h_ - 9, sample);
    DrawLine(1, h_ - 8, w_ - 1, h_ - 8, sample);
  }
  DrawLine(1, RoundEvenInt(k + 5), w_ - 1, RoundEvenInt(k + 5), mid);
  if (sample != 0xFFFFFFFFu) {
    DrawLine(1, h_ - 3, w_ - 2, h_ - 3, sample);
    DrawLine(1, h_ - 2, w_ - 2, h_ - 2, sample);
  }
  DrawRoundedFrame(frame, frame);
}

void ButtonPainter::DrawGlassGradient(Rgb mid, Rgb frame, Rgb end, int percent) {
  const double k = percent * h_ / 100.0;
  const int mr = RedOf(mid), mg = GreenOf(mid), mb = BlueOf(mid);
  const int dr = RedOf(end) - mr, dg = GreenOf(end) - mg, db = BlueOf(end) - mb;
  // Whole-number steps; a band of no length gets none rather than a division by zero.
  auto step = [](int delta, double rows) { return rows == 0.0 ? 0 : RoundEvenInt(delta / rows); };

  const int n = RoundEvenInt(k);
  if (n > 2) {
    const int sr = step(dr, k - 1), sg = step(dg, k - 1), sb = step(db, k - 1);
    int r = mr + 10, g = mg + 10, b = mb + 10;
    for (int y = n; y >= 3; --y) {
      DrawLine(1, y, w_ - 1, y, MakeRgb(ClampComponent(r), ClampComponent(g), ClampComponent(b)));
      r = ClampComponent(r + sr);
      g = ClampComponent(g + sg);
      b = ClampComponent(b + sb);
    }
  }

  const double lowerRows = h_ - k - 4;
  const int tr = step(dr, lowerRows), tg = step(dg, lowerRows), tb = step(db, lowerRows);

  for (int y = RoundEvenInt(k + 1); y <= RoundEvenInt(k + 0.27 * h_); ++y) DrawLine(1, y, w_ - 1, y, mid);

  int r = mr + 5, g = mg + 5, b = mb + 5;
  for (int y = RoundEvenInt((percent + 27) * h_ / 100.0); y <= h_ - 4; ++y) {
    DrawLine(1, y, w_ - 1, y, MakeRgb(ClampComponent(r), ClampComponent(g), ClampComponent(b)));
    r = ClampComponent(r + tr);
    g = ClampComponent(g + tg);
    b = ClampComponent(b + tb);
  }

  DrawRect(1, 1, w_ - 2, h_ - 2, MakeRgb(211, 229, 255), true);
  DrawRect(2, 2, w_ - 4, h_ - 4, MakeRgb(201, 216, 255), true);
  DrawLine(1, h_ - 3, w_ - 1, h_ - 3, MakeRgb(207, 234, 255));
  DrawRoundedFrame(frame, frame);
}

}  // namespace kestrune::button
