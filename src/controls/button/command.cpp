#include "controls/button/command.h"

#include <cstdint>
#include <string>

#include "controls/button/access_key.h"
#include "controls/button/button_region.h"
#include "platform/control_error.h"

namespace kestrune::button {

namespace {

// Defaults of a newly placed button and of the persisted keys.
constexpr OleColor kDefaultRectColor = 0x58C3FA;
constexpr int kDefaultPercent = 16;
constexpr OleColor kDefaultMidColor = 0x73C874;
constexpr OleColor kDefaultEndColor = 0xD7F6D7;
constexpr OleColor kDefaultMouseMoveMidColor = 0x33A335;
constexpr OleColor kDefaultMouseMoveEndColor = 0xF4FCF5;
constexpr OleColor kDefaultMouseDownMidColor = 0x85D084;
constexpr OleColor kDefaultMouseDownEndColor = 0x000000;
constexpr OleColor kDefaultOfficeFill = 0xA0DEDE;
constexpr OleColor kDefaultOfficeFrame = 0x42BCBC;
constexpr OleColor kDefaultOfficeMoveFill = 0xBADCDC;
constexpr OleColor kDefaultOfficeMoveFrame = 0x01807F;
constexpr const wchar_t* kDefaultCaption = L"Button";

constexpr const char* kErrorSource = "Command";

// Colours travel through the property set as 32-bit integers with the same bits.
OleColor ReadColor(const PropertyBag& bag, const char* key, OleColor def) {
  return static_cast<OleColor>(bag.Read<std::int32_t>(key, static_cast<std::int32_t>(def)));
}
void WriteColor(PropertyBag& bag, const char* key, OleColor value, OleColor def) {
  bag.Write<std::int32_t>(key, static_cast<std::int32_t>(value), static_cast<std::int32_t>(def));
}

}  // namespace

Command::Command(ControlHost& host, Surface& surface, const SystemColors& system, std::wstring name)
    : host_(host), surface_(surface), system_(system), name_(std::move(name)), renderer_(surface),
      backColor_(ResolveColor(syscolor::kButtonFace, system)), foreColor_(ResolveColor(syscolor::kButtonText, system)),
      font_(surface.GetFont()), caption_(name_), rectColor_(kDefaultRectColor), percent_(kDefaultPercent),
      midColor_(kDefaultMidColor), endColor_(kDefaultEndColor), mouseMoveMidColor_(kDefaultMouseMoveMidColor),
      mouseMoveEndColor_(kDefaultMouseMoveEndColor), mouseDownMidColor_(kDefaultMouseDownMidColor),
      mouseDownEndColor_(kDefaultMouseDownEndColor), officeFill_(kDefaultOfficeFill), officeFrame_(kDefaultOfficeFrame),
      officeMoveFill_(kDefaultOfficeMoveFill), officeMoveFrame_(kDefaultOfficeMoveFrame),
      width_(surface.ScaleWidth()), height_(surface.ScaleHeight()) {
  SetSchemeColors();
}

// --- Persistence --------------------------------------------------------------------------------

void Command::InitNew() {
  backColor_ = ResolveColor(syscolor::kButtonFace, system_);
  foreColor_ = ResolveColor(syscolor::kButtonText, system_);
  enabled_ = true;
  font_ = surface_.GetFont();
  savedHWnd_ = 0;
  buttonType_ = 1;
  caption_ = name_;
  colorScheme_ = 1;
  xpType_ = 1;
  showFocusRect_ = true;
  rectColor_ = kDefaultRectColor;
  midColor_ = kDefaultMidColor;
  endColor_ = kDefaultEndColor;
  mouseMoveMidColor_ = kDefaultMouseMoveMidColor;
  mouseMoveEndColor_ = kDefaultMouseMoveEndColor;
  mouseDownMidColor_ = kDefaultMouseDownMidColor;
  mouseDownEndColor_ = kDefaultMouseDownEndColor;
  officeFill_ = kDefaultOfficeFill;
  officeFrame_ = kDefaultOfficeFrame;
  officeMoveFill_ = kDefaultOfficeMoveFill;
  officeMoveFrame_ = kDefaultOfficeMoveFrame;
  percent_ = kDefaultPercent;
  buttonState_ = kStateNormal;
  SetSchemeColors();
  UpdateAccessKeys();
  Layout();
}

void Command::Load(const PropertyBag& bag) {
  const Rgb systemFace = ResolveColor(syscolor::kButtonFace, system_);
  const Rgb systemText = ResolveColor(syscolor::kButtonText, system_);
  backColor_ = ReadColor(bag, "BackColor", systemFace);
  foreColor_ = ReadColor(bag, "ForeColor", systemText);
  enabled_ = bag.Read<bool>("Enabled", true);
  font_ = bag.Read<kestrune::Font>("Font", host_.AmbientFont());
  savedHWnd_ = static_cast<WindowHandle>(bag.Read<std::int32_t>("hWnd", 0));
  buttonType_ = bag.Read<std::int32_t>("ButtonType", 1);
  xpType_ = bag.Read<std::int32_t>("XpType", 1);
  caption_ = bag.Read<std::wstring>("Caption", kDefaultCaption);
  colorScheme_ = bag.Read<std::int32_t>("ColorScheme", 1);
  showFocusRect_ = bag.Read<bool>("ShowFocusRect", true);

  host_.SetWindowEnabled(enabled_);
  surface_.SetFont(font_);
  SetSchemeColors();
  UpdateAccessKeys();

  // Read after the scheme so that saved gradient and Office colours win over its presets.
  rectColor_ = ReadColor(bag, "rectcolor", kDefaultRectColor);
  // The gradients divide the height by this share; a damaged set must not push it out of range.
  const std::int32_t percent = bag.Read<std::int32_t>("Percent", kDefaultPercent);
  percent_ = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
  midColor_ = ReadColor(bag, "MidColor", kDefaultMidColor);
  endColor_ = ReadColor(bag, "EndColor", kDefaultEndColor);
  mouseMoveEndColor_ = ReadColor(bag, "MouseMoveEndColor", kDefaultMouseMoveEndColor);
  mouseMoveMidColor_ = ReadColor(bag, "MouseMoveMidColor", kDefaultMouseMoveMidColor);
  mouseDownEndColor_ = ReadColor(bag, "MouseDownEndColor", kDefaultMouseDownEndColor);
  mouseDownMidColor_ = ReadColor(bag, "MouseDownMidColor", kDefaultMouseDownMidColor);
  officeFill_ = ReadColor(bag, "OfficeXpFillColor", kDefaultOfficeFill);
  officeFrame_ = ReadColor(bag, "OfficeXpFrameColor", kDefaultOfficeFrame);
  officeMoveFill_ = ReadColor(bag, "OfficeXpMousemoveFillColor", kDefaultOfficeMoveFill);
  officeMoveFrame_ = ReadColor(bag, "OfficeXpMousemoveFrameColor", kDefaultOfficeMoveFrame);

  buttonState_ = kStateNormal;
  // The window shape depends on the loaded type; Layout ends with DrawButton(0, true).
  Layout();
}

void Command::Save(PropertyBag& bag) {
  WriteColor(bag, "BackColor", backColor_, ResolveColor(syscolor::kButtonFace, system_));
  WriteColor(bag, "ForeColor", foreColor_, ResolveColor(syscolor::kButtonText, system_));
  bag.Write<bool>("Enabled", enabled_, true);
  bag.Write<kestrune::Font>("Font", font_, host_.AmbientFont());
  bag.Write<std::int32_t>("hWnd", static_cast<std::int32_t>(savedHWnd_), 0);
  bag.Write<std::int32_t>("ButtonType", buttonType_, 1);
  bag.Write<std::int32_t>("XpType", xpType_, 1);
  bag.Write<std::wstring>("Caption", caption_, kDefaultCaption);
  bag.Write<std::int32_t>("ColorScheme", colorScheme_, 1);
  bag.Write<bool>("ShowFocusRect", showFocusRect_, true);
  WriteColor(bag, "rectcolor", rectColor_, kDefaultRectColor);
  bag.Write<std::int32_t>("Percent", percent_, kDefaultPercent);
  WriteColor(bag, "MidColor", midColor_, kDefaultMidColor);
  WriteColor(bag, "EndColor", endColor_, kDefaultEndColor);
  WriteColor(bag, "MouseMoveMidColor", mouseMoveMidColor_, kDefaultMouseMoveMidColor);
  WriteColor(bag, "MouseMoveEndColor", mouseMoveEndColor_, kDefaultMouseMoveEndColor);
  WriteColor(bag, "MouseDownMidColor", mouseDownMidColor_, kDefaultMouseDownMidColor);
  WriteColor(bag, "MouseDownEndColor", mouseDownEndColor_, kDefaultMouseDownEndColor);
  WriteColor(bag, "OfficeXpFillColor", officeFill_, kDefaultOfficeFill);
  WriteColor(bag, "OfficeXpFrameColor", officeFrame_, kDefaultOfficeFrame);
  WriteColor(bag, "OfficeXpMousemoveFillColor", officeMoveFill_, kDefaultOfficeMoveFill);
  WriteColor(bag, "OfficeXpMousemoveFrameColor", officeMoveFrame_, kDefaultOfficeMoveFrame);
}

// --- Property setters ---------------------------------------------------------------------------

void Command::SetColor(OleColor& member, OleColor color, const char* key) {
  member = color;
  Changed(key);
  DrawButton(buttonState_, true);
}

void Command::SetBackColor(OleColor color) {
  backColor_ = color;
  Changed("BackColor");
  SetSchemeColors();
  DrawButton(buttonState_, true);
}

void Command::SetForeColor(OleColor color) {
  foreColor_ = color;
  Changed("ForeColor");
  SetSchemeColors();
  DrawButton(buttonState_, true);
}

void Command::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed("Enabled");
  host_.SetWindowEnabled(enabled);
  Layout();
}

void Command::SetFont(const kestrune::Font& font) {
  font_ = font;
  Changed("Font");
  surface_.SetFont(font_);
  DrawButton(buttonState_, true);
}

void Command::SetHWnd(WindowHandle /*handle*/) {
  throw MakeControlError(host_.UserMode() ? errnum::kSetNotSupportedAtRuntime : errnum::kSetNotPermitted, kErrorSource);
}

void Command::SetButtonType(int type) {
  buttonType_ = type;
  Changed("ButtonType");
  SetSchemeColors();
  // After the scheme, so that a new type-4 button gets the blue set even under scheme 1.
  if (type == 4) ApplyTypeFourPreset();
  Layout();
}

void Command::SetXpType(int type) {
  xpType_ = type;
  Changed("XpType");
  DrawButton(buttonState_, true);
}

void Command::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  Changed("Caption");
  UpdateAccessKeys();
  DrawButton(buttonState_, true);
}

void Command::SetColorScheme(int scheme) {
  colorScheme_ = scheme;
  Changed("ColorScheme");
  SetSchemeColors();
  DrawButton(buttonState_, true);
}

void Command::SetShowFocusRect(bool show) {
  showFocusRect_ = show;
  Changed("ShowFocusRect");
  DrawButton(buttonState_, true);
}

void Command::SetRectColor(OleColor color) {
  // Only the hover ring reads it, and it shows at the next drawing.
  rectColor_ = color;
  Changed("rectcolor");
}

void Command::SetPercent(int percent) {
  if (percent < 0 || percent > 100) throw MakeControlError(errnum::kInvalidPropertyValue, kErrorSource);
  percent_ = percent;
  Changed("Percent");
  DrawButton(buttonState_, true);
}

// --- Derived colours ----------------------------------------------------------------------------

void Command::SetSchemeColors() {
  if (colorScheme_ == 2) {
    const Rgb face = ResolveColor(backColor_, system_);
    scheme_ = SchemeColors{face,           ShadeColor(face, -64), ShadeColor(face, 31), ShadeColor(face, 47),
                           ShadeColor(face, -192), ResolveColor(foreColor_, system_)};
  } else if (colorScheme_ == 3) {
    scheme_ = SchemeColors{0xC0C0C0, 0x808080, 0xDFDFDF, 0xFFFFFF, 0x000000, 0x000000};
    officeFill_ = MakeRgb(236, 233, 216);
    officeFrame_ = MakeRgb(172, 169, 154);
    officeMoveFill_ = MakeRgb(193, 210, 238);
    officeMoveFrame_ = MakeRgb(49, 105, 198);
  } else {
    scheme_ = SchemeColors{ResolveColor(syscolor::kButtonFace, system_),   ResolveColor(syscolor::kButtonShadow, system_),
                           ResolveColor(syscolor::kLight3d, system_),      ResolveColor(syscolor::kButtonHighlight, system_),
                           ResolveColor(syscolor::kDarkShadow3d, system_), ResolveColor(foreColor_, system_)};
    if (buttonType_ == 4) {
      midColor_ = MakeRgb(197, 197, 197);
      endColor_ = MakeRgb(238, 238, 238);
      mouseMoveMidColor_ = MakeRgb(123, 167, 211);
      mouseMoveEndColor_ = MakeRgb(210, 245, 251);
      mouseDownMidColor_ = MakeRgb(227, 167, 105);
      mouseDownEndColor_ = MakeRgb(252, 220, 199);
    }
  }
}

void Command::ApplyTypeFourPreset() {
  percent_ = 53;
  midColor_ = MakeRgb(124, 171, 255);
  endColor_ = MakeRgb(191, 211, 255);
  mouseMoveMidColor_ = MakeRgb(157, 203, 255);
  mouseMoveEndColor_ = MakeRgb(209, 231, 255);
  mouseDownMidColor_ = MakeRgb(100, 153, 255);
  mouseDownEndColor_ = MakeRgb(191, 211, 255);
}

void Command::UpdateAccessKeys() {
  const std::optional<wchar_t> key = AccessKeyOf(caption_);
  host_.SetAccessKeys(key ? std::wstring(1, *key) : std::wstring());
}

// --- Geometry and drawing -----------------------------------------------------------------------

void Command::Layout() {
  width_ = surface_.ScaleWidth();
  height_ = surface_.ScaleHeight();
  host_.SetWindowRegion(ButtonRegion(buttonType_, width_, height_));
  DrawButton(buttonState_, true);
}

void Command::OnResize(int /*width*/, int /*height*/) { Layout(); }

void Command::OnDestroy() {
  // The window owns its shape once it is set and frees it with itself; nothing is held here.
  host_.StopTimer(kLeaveTimerId);
  leaveTimerRunning_ = false;
}

ButtonLook Command::CurrentLook() const {
  ButtonLook look;
  look.width = width_;
  look.height = height_;
  look.buttonType = buttonType_;
  look.xpType = xpType_;
  look.colorScheme = colorScheme_;
  look.scheme = scheme_;
  look.midColor = ResolveColor(midColor_, system_);
  look.endColor = ResolveColor(endColor_, system_);
  look.mouseMoveMidColor = ResolveColor(mouseMoveMidColor_, system_);
  look.mouseMoveEndColor = ResolveColor(mouseMoveEndColor_, system_);
  look.mouseDownMidColor = ResolveColor(mouseDownMidColor_, system_);
  look.mouseDownEndColor = ResolveColor(mouseDownEndColor_, system_);
  look.percent = percent_;
  look.officeFillColor = ResolveColor(officeFill_, system_);
  look.officeFrameColor = ResolveColor(officeFrame_, system_);
  look.officeMouseMoveFillColor = ResolveColor(officeMoveFill_, system_);
  look.officeMouseMoveFrameColor = ResolveColor(officeMoveFrame_, system_);
  look.rectColor = ResolveColor(rectColor_, system_);
  look.showFocusRect = showFocusRect_;
  look.enabled = enabled_;
  look.caption = caption_;
  look.isMouseOver = isMouseOver_;
  // A hidden focus rectangle also hides the focus look for this drawing.
  look.hasFocus = hasFocus_ && showFocusRect_;
  look.isDefault = host_.DisplayAsDefault();
  return look;
}

void Command::DrawButton(int state, bool force) {
  if (!force && caption_ == lastDrawnCaption_ && state == buttonState_) return;
  if (height_ <= 0) return;
  buttonState_ = state;
  lastDrawnCaption_ = caption_;
  renderer_.Draw(CurrentLook(), state);
  surface_.Present();
  host_.Invalidate();
}

}  // namespace kestrune::button
