#include "controls/button/button_renderer.h"

#include "controls/button/button_painter.h"
#include "platform/rounding.h"

namespace kestrune::button {

namespace {

constexpr Rgb kXpFrame = MakeRgb(0, 60, 115);
constexpr Rgb kXpFrameCorner = MakeRgb(16, 77, 123);
constexpr Rgb kGlassFrame = MakeRgb(81, 107, 148);
constexpr Rgb kDisabledText = MakeRgb(171, 168, 153);

constexpr unsigned kOneLine = textfmt::kCenter | textfmt::kVCenter | textfmt::kSingleLine | textfmt::kExpandTabs;
constexpr unsigned kWrapped = textfmt::kCenter | textfmt::kWordBreak;

}  // namespace

// One drawing: the look, the painter over the surface and the text colour of this drawing.
class ButtonRenderer::Session {
 public:
  Session(ButtonRenderer& owner, const ButtonLook& look)
      : owner_(owner), look_(look), p_(owner.surface_, look.width, look.height), w_(look.width), h_(look.height),
        text_(look.scheme.text) {}

  void Run(int state) {
    p_.Target().Clear(look_.scheme.face);
    p_.DrawRect(0, 0, w_, h_, look_.scheme.face);
    if (!look_.enabled) {
      Disabled();
      return;
    }
    if (state == kStateNormal)
      Normal();
    else if (state == kStatePressed)
      Pressed();
  }

 private:
  bool FocusTest() const { return (look_.showFocusRect && look_.isDefault) || look_.hasFocus; }

  void FocusRectangle() {
    text_ = look_.scheme.text;
    p_.Target().DrawFocusRect(Rect{2, 2, w_ - 2, h_ - 2});
  }

  void Caption(Placement placement) {
    // A button without width has no room for text, and the line count would divide by zero.
    if (w_ <= 0) return;
    Surface& s = p_.Target();
    const TextSize size = s.MeasureText(look_.caption);
    if (size.width > w_) {
      if (placement == Placement::Normal) {
        const int lines = size.width / w_ + 1;
        owner_.normalTop_ = (h_ - size.height * lines) / 2;
      } else {
        owner_.pressedTop_ = owner_.normalTop_ + 2;
      }
      Text(placement, kWrapped);
    } else {
      Text(placement, kOneLine);
    }
  }

  void Text(Placement placement, unsigned format) {
    Rect r = placement == Placement::Normal ? Rect{0, owner_.normalTop_, w_, h_} : Rect{2, owner_.pressedTop_, w_, h_};
    p_.Target().DrawText(look_.caption, r, format, text_);
  }

  void Normal() {
    switch (look_.buttonType) {
      case 1: XpNormal(); break;
      case 2: BevelNormal(); break;
      case 3: BandNormal(); break;
      case 4: GlassNormal(); break;
      case 5: OfficeNormal(); break;
      default: break;
    }
  }

  void Pressed() {
    switch (look_.buttonType) {
      case 1: XpPressed(); break;
      case 2: BevelPressed(); break;
      case 3: BandPressed(); break;
      case 4: GlassPressed(); break;
      case 5: OfficePressed(); break;
      default: break;
    }
  }

  void Disabled() {
    switch (look_.buttonType) {
      case 1: XpDisabled(); break;
      case 2: BevelDisabled(); break;
      case 3: BandDisabled(); break;
      case 4: GlassDisabled(); break;
      case 5: OfficeDisabled(); break;
      default: break;
    }
  }

  // --- Type 1: XP style -------------------------------------------------------------------------

  // Face darkening from top to bottom by up to `spread` steps, from a lightened face colour.
  void ShadedFace(Rgb base, double spread, int first, int last, bool fromBottom) {
    const double s = spread / h_;
    for (int i = first; i <= last; ++i) {
      const int y = fromBottom ? h_ - i : i;
      p_.DrawLine(0, y, w_, y, ShadeColor(base, RoundEvenInt(-s * i), true));
    }
  }

  void XpNormal() {
    if (look_.colorScheme == 2 || look_.colorScheme == 3) {
      ShadedFace(ShadeColor(look_.scheme.face, 48, true), 25.0, 1, h_ - 2, false);
    } else if (look_.xpType == 1) {
      p_.FadeToWhite(198, 197, 215, h_ - 2, 1, -1);
    } else if (look_.xpType == 2) {
      Rgb c = MakeRgb(242, 237, 218);
      for (int y = h_ - 2; y >= 1; --y) {
        c = ShadeColor(c, 1);
        p_.DrawLine(1, y, w_ - 2, y, c);
      }
    } else if (look_.xpType == 3) {
      p_.FadeToWhite(236, 235, 230, h_ - 2, 1, -1);
    }
    p_.DrawRoundedFrame(kXpFrame, kXpFrameCorner);
    if (FocusTest() && !look_.isMouseOver) {
      DefaultRing(look_.xpType);
      FocusRectangle();
    }
    if (look_.isMouseOver) HoverRing(look_.xpType == 2 ? MakeRgb(228, 144, 80) : look_.rectColor);
    Caption(Placement::Normal);
  }

  // The ring a default (or focused) button shows inside its frame.
  void DefaultRing(int xpType) {
    const bool green = xpType == 2;
    const Rgb g = MakeRgb(122, 184, 98);
    p_.DrawRect(1, 2, w_ - 2, h_ - 4, green ? g : MakeRgb(140, 175, 231), true);
    p_.DrawLine(2, h_ - 2, w_ - 2, h_ - 2, green ? g : MakeRgb(107, 130, 239));
    p_.DrawLine(2, 1, w_ - 2, 1, green ? g : MakeRgb(206, 231, 255));
    p_.DrawLine(2, 2, w_ - 2, 2, green ? g : MakeRgb(189, 215, 247));
    p_.DrawLine(2, 3, 2, h_ - 3, green ? g : MakeRgb(181, 209, 240));
    p_.DrawLine(w_ - 3, 3, w_ - 3, h_ - 3, green ? g : MakeRgb(181, 209, 240));
  }

  void HoverRing(Rgb k) {
    p_.DrawRect(2, 1, w_ - 4, h_ - 2, k, true);
    p_.DrawLine(1, 2, 1, h_ - 2, k);
    p_.DrawLine(3, 2, w_ - 3, 2, k);
    p_.DrawLine(w_ - 2, 2, w_ - 2, h_ - 2, k);
    p_.DrawLine(3, h_ - 3, w_ - 3, h_ - 3, k);
  }

  void XpPressed() {
    if (look_.xpType == 1)
      p_.FadeToWhite(171, 170, 188, 1, h_ - 2, 1);
    else if (look_.xpType == 2)
      ShadedFace(ShadeColor(ShadeColor(look_.scheme.face, 48, true), -32, true), 15.0, 1, h_, true);
    else if (look_.xpType == 3)
      p_.FadeToWhite(224, 224, 216, 1, h_ - 2, 1);
    Caption(Placement::Pressed);
    p_.DrawRoundedFrame(kXpFrame, kXpFrameCorner);
    if (look_.hasFocus) FocusRectangle();
  }

  void XpDisabled() {
    p_.DrawRect(0, 0, w_, h_, MakeRgb(244, 244, 234));
    text_ = MakeRgb(161, 162, 146);
    Caption(Placement::Normal);
    const Rgb frame = MakeRgb(201, 199, 186);
    p_.DrawRoundedFrame(frame, frame);
  }

  // --- Type 2: three-dimensional bevel ----------------------------------------------------------

  void Bevel() {
    const SchemeColors& c = look_.scheme;
    const Rgb f = c.face, l = c.light, hi = c.highlight, s = c.shadow, d = c.darkShadow;
    p_.DrawRoundedFrame(d, d);
    p_.PutPixel(1, 2, f);
    p_.PutPixel(2, 1, f);
    p_.DrawLine(3, 2, w_ - 3, 2, hi);
    p_.DrawLine(2, 2, 2, h_ - 3, hi);
    p_.PutPixel(3, 3, hi);
    p_.DrawLine(w_ - 3, 1, w_ - 3, h_ - 3, f);
    p_.DrawLine(1, h_ - 3, w_ - 3, h_ - 3, f);
    p_.PutPixel(w_ - 4, h_ - 4, f);
    p_.DrawLine(w_ - 2, 3, w_ - 2, h_ - 2, s);
    p_.DrawLine(3, h_ - 2, w_ - 2, h_ - 2, s);
    p_.PutPixel(w_ - 3, h_ - 3, s);
    p_.PutPixel(2, h_ - 2, f);
    p_.PutPixel(2, h_ - 3, l);
    p_.PutPixel(w_ - 2, 2, f);
    p_.PutPixel(w_ - 3, 2, l);
  }

  void BevelNormal() {
    p_.DrawRect(1, 1, w_ - 2, h_ - 2, look_.scheme.light);
    Bevel();
    if (look_.isMouseOver)
      HoverRing(look_.rectColor);
    else if (FocusTest())
      DefaultRing(1);
    Caption(Placement::Normal);
  }

  void BevelPressed() {
    const Rgb s = look_.scheme.shadow, d = look_.scheme.darkShadow;
    const Rgb s16 = ShadeColor(s, -16), s32 = ShadeColor(s, -32), s64 = ShadeColor(s, -64);
    p_.DrawRect(1, 1, w_ - 2, h_ - 2, s16);
    p_.DrawLine(2, 0, w_ - 2, 0, d);
    p_.DrawLine(2, h_ - 1, w_ - 2, h_ - 1, d);
    p_.DrawLine(0, 2, 0, h_ - 2, d);
    p_.DrawLine(w_ - 1, 2, w_ - 1, h_ - 2, d);
    p_.DrawRect(1, 1, w_ - 2, h_ - 2, s64, true);
    p_.DrawRect(2, 2, w_ - 4, h_ - 4, s32, true);
    p_.PutPixel(2, 2, s64);
    p_.PutPixel(3, 3, s32);
    p_.PutPixel(1, 1, d);
    p_.PutPixel(1, h_ - 2, d);
    p_.PutPixel(w_ - 2, 1, d);
    p_.PutPixel(w_ - 2, h_ - 2, d);
    p_.DrawLine(w_ - 3, 1, w_ - 3, h_ - 3, s);
    p_.DrawLine(1, h_ - 3, w_ - 2, h_ - 3, s);
    p_.PutPixel(w_ - 4, h_ - 4, s);
    p_.DrawLine(w_ - 2, 3, w_ - 2, h_ - 2, s16);
    p_.DrawLine(3, h_ - 2, w_ - 2, h_ - 2, s16);
    p_.PutPixel(w_ - 2, h_ - 3, s32);
    p_.PutPixel(w_ - 3, h_ - 2, s32);
    p_.PutPixel(2, h_ - 2, s32);
    p_.PutPixel(2, h_ - 3, s16);
    p_.PutPixel(1, h_ - 3, s16);
    p_.PutPixel(w_ - 2, 2, s32);
    p_.PutPixel(w_ - 3, 2, s16);
    p_.PutPixel(w_ - 3, 1, s16);
    Caption(Placement::Pressed);
  }

  // An engraved caption: shadow first, then highlight one pixel right of and below it.
  void BevelDisabled() {
    p_.DrawRect(1, 1, w_ - 2, h_ - 2, look_.scheme.light);
    text_ = look_.scheme.shadow;
    Text(Placement::Normal, kOneLine);
    Bevel();
    text_ = look_.scheme.highlight;
    const TextSize size = p_.Target().MeasureText(look_.caption);
    if (w_ <= 0) return;
    if (size.width <= w_) {
      Text(Placement::Pressed, kOneLine);
    } else {
      const int lines = size.width / w_ + 1;
      owner_.pressedTop_ = (h_ - size.height * lines) / 2 + 2;
      Text(Placement::Normal, kWrapped);
    }
  }

  // --- Type 3: band gradient --------------------------------------------------------------------

  void BandNormal() {
    const bool grey = look_.colorScheme == 1;
    p_.DrawBandGradient(look_.midColor, grey ? MakeRgb(183, 183, 183) : MakeRgb(1, 109, 1), look_.endColor,
                        look_.percent, false);
    if (look_.isMouseOver)
      p_.DrawBandGradient(look_.mouseMoveMidColor, grey ? MakeRgb(82, 134, 182) : MakeRgb(1, 109, 1),
                          look_.mouseMoveEndColor, look_.percent, false);
    if (FocusTest()) FocusRectangle();
    Caption(Placement::Normal);
  }

  void BandPressed() {
    if (look_.colorScheme == 1)
      p_.DrawBandGradient(look_.mouseDownMidColor, MakeRgb(203, 130, 62), look_.mouseDownEndColor, look_.percent, false);
    else
      p_.DrawBandGradient(look_.mouseDownMidColor, MakeRgb(84, 157, 84), look_.mouseDownEndColor, look_.percent, true);
    Caption(Placement::Pressed);
    if (look_.hasFocus) FocusRectangle();
  }

  void BandDisabled() {
    p_.DrawRect(1, 1, w_ - 2, h_ - 2, MakeRgb(241, 242, 237));
    p_.DrawRoundedFrame(MakeRgb(204, 204, 202), MakeRgb(204, 204, 202));
    text_ = kDisabledText;
    Caption(Placement::Normal);
  }

  // --- Type 4: glass gradient -------------------------------------------------------------------

  void GlassNormal() {
    if (look_.isMouseOver)
      p_.DrawGlassGradient(look_.mouseMoveMidColor, kGlassFrame, look_.mouseMoveEndColor, look_.percent);
    else
      p_.DrawGlassGradient(look_.midColor, kGlassFrame, look_.endColor, look_.percent);
    if (FocusTest()) FocusRectangle();
    Caption(Placement::Normal);
  }

  void GlassPressed() {
    p_.DrawGlassGradient(look_.mouseDownMidColor, kGlassFrame, look_.mouseDownEndColor, look_.percent);
    Caption(Placement::Pressed);
    if (look_.hasFocus) FocusRectangle();
  }

  void GlassDisabled() {
    p_.DrawGlassGradient(MakeRgb(198, 218, 255), MakeRgb(128, 140, 162), MakeRgb(232, 242, 255), 53);
    text_ = kDisabledText;
    Caption(Placement::Normal);
  }

  // --- Type 5: Office style ---------------------------------------------------------------------

  void OfficeNormal() {
    const bool over = look_.isMouseOver;
    p_.DrawRect(0, 0, w_, h_, over ? look_.officeMouseMoveFrameColor : look_.officeFrameColor, true);
    p_.DrawRect(1, 1, w_ - 2, h_ - 2, over ? look_.officeMouseMoveFillColor : look_.officeFillColor);
    if (look_.hasFocus) FocusRectangle();
    Caption(Placement::Normal);
  }

  void OfficePressed() {
    p_.DrawRect(0, 0, w_, h_, look_.officeMouseMoveFrameColor, true);
    const Rgb limit = MakeRgb(250, 250, 250);
    const Rgb fill = look_.colorScheme == 3 ? AddColorClamped(look_.officeMouseMoveFillColor, -40, -30, -15, limit)
                                            : AddColorClamped(look_.officeMouseMoveFillColor, -30, -30, -60, limit);
    p_.DrawRect(1, 1, w_ - 2, h_ - 2, fill);
    Caption(Placement::Pressed);
    if (look_.hasFocus) FocusRectangle();
  }

  void OfficeDisabled() {
    const bool silver = look_.colorScheme == 3;
    const Rgb frame = silver ? look_.officeFrameColor : MakeRgb(188, 188, 64);
    p_.DrawRect(0, 0, w_, h_, frame, true);
    p_.DrawRect(1, 1, w_ - 2, h_ - 2, silver ? look_.officeFillColor : MakeRgb(238, 239, 208));
    text_ = frame;
    Caption(Placement::Normal);
  }

  ButtonRenderer& owner_;
  const ButtonLook& look_;
  ButtonPainter p_;
  int w_;
  int h_;
  Rgb text_;
};

void ButtonRenderer::Draw(const ButtonLook& look, int state) {
  if (look.height <= 0) return;
  Session(*this, look).Run(state);
}

}  // namespace kestrune::button
