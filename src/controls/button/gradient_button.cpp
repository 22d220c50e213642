#include "controls/button/gradient_button.h"

#include <cstdint>
#include <string>

#include "controls/button/access_key.h"
#include "platform/control_error.h"

namespace kestrune::button {

namespace {

// The source its errors carry: the name the hosting forms know the control by.
constexpr const char* kErrorSource = "Command";

}  // namespace

std::span<const PersistedProperty<GradientButton>> GradientButton::Properties() {
  using P = PersistedProperty<GradientButton>;
  // Set through the generic Set unless marked: kOwn has a setter of its own, kStoreOnly draws nothing
  // (only the hover ring reads the rectangle colour, and it shows at the next drawing).
  constexpr auto kOwn = P::OnSet::kOwnSetter;
  constexpr auto kStoreOnly = P::OnSet::kStoreOnly;
  // The system colours and the host's font are defaults as they are when the button is saved or
  // loaded, so a value equal to them follows the machine that loads it.
  static constexpr P::Computed kSystemFace = [](const GradientButton& b) -> PropertyValue {
    return static_cast<std::int32_t>(ResolveColor(syscolor::kButtonFace, b.system_));
  };
  static constexpr P::Computed kSystemText = [](const GradientButton& b) -> PropertyValue {
    return static_cast<std::int32_t>(ResolveColor(syscolor::kButtonText, b.system_));
  };
  static constexpr P::Computed kAmbientFont = [](const GradientButton& b) -> PropertyValue {
    return b.host_.AmbientFont();
  };
  static constexpr P kTable[] = {
      {"BackColor", &GradientButton::backColor_, kSystemFace, kOwn},
      {"ForeColor", &GradientButton::foreColor_, kSystemText, kOwn},
      {"Enabled", &GradientButton::enabled_, true, kOwn},
      {"Font", &GradientButton::font_, kAmbientFont, kOwn},
      {"hWnd", &GradientButton::savedHWnd_, std::int32_t{0}, kOwn},
      {"ButtonType", &GradientButton::buttonType_, std::int32_t{1}, kOwn},
      {"XpType", &GradientButton::xpType_, std::int32_t{1}},
      {"Caption", &GradientButton::caption_, L"Button", kOwn},
      {"ColorScheme", &GradientButton::colorScheme_, std::int32_t{1}, kOwn},
      {"ShowFocusRect", &GradientButton::showFocusRect_, true},
      // kLookKeys ends here.
      {"rectcolor", &GradientButton::rectColor_, OleColor{0x58C3FA}, kStoreOnly},
      {"Percent", &GradientButton::percent_, std::int32_t{16}, kOwn},
      {"MidColor", &GradientButton::midColor_, OleColor{0x73C874}},
      {"EndColor", &GradientButton::endColor_, OleColor{0xD7F6D7}},
      {"MouseMoveMidColor", &GradientButton::mouseMoveMidColor_, OleColor{0x33A335}},
      {"MouseMoveEndColor", &GradientButton::mouseMoveEndColor_, OleColor{0xF4FCF5}},
      {"MouseDownMidColor", &GradientButton::mouseDownMidColor_, OleColor{0x85D084}},
      {"MouseDownEndColor", &GradientButton::mouseDownEndColor_, OleColor{0x000000}},
      {"OfficeXpFillColor", &GradientButton::officeFill_, OleColor{0xA0DEDE}},
      {"OfficeXpFrameColor", &GradientButton::officeFrame_, OleColor{0x42BCBC}},
      {"OfficeXpMousemoveFillColor", &GradientButton::officeMoveFill_, OleColor{0xBADCDC}},
      {"OfficeXpMousemoveFrameColor", &GradientButton::officeMoveFrame_, OleColor{0x01807F}},
  };
  return kTable;
}

GradientButton::GradientButton(ControlHost& host, Surface& surface, const SystemColors& system, std::wstring name)
    : host_(host), surface_(surface), system_(system), name_(std::move(name)),
      width_(surface.ScaleWidth()), height_(surface.ScaleHeight()) {
  ResetToNew();
  SetSchemeColors();
}

// --- Persistence --------------------------------------------------------------------------------

void GradientButton::ResetToNew() {
  ResetProperties(Properties(), *this);
  caption_ = name_;
  font_ = surface_.GetFont();
}

void GradientButton::InitNew() {
  ResetToNew();
  buttonState_ = kStateNormal;
  SetSchemeColors();
  UpdateAccessKeys();
  Layout();
}

void GradientButton::Load(const PropertyBag& bag) {
  const auto properties = Properties();
  LoadProperties(properties.first(kLookKeys), bag, *this);
  host_.SetWindowEnabled(enabled_);
  surface_.SetFont(font_);
  SetSchemeColors();
  UpdateAccessKeys();

  // Read after the scheme so that saved gradient and Office colours win over its presets.
  LoadProperties(properties.subspan(kLookKeys), bag, *this);
  // The gradients divide the height by this share; a damaged set must not push it out of range.
  percent_ = percent_ < 0 ? 0 : (percent_ > 100 ? 100 : percent_);

  buttonState_ = kStateNormal;
  // The window shape depends on the loaded type; Layout ends with DrawButton(0, true).
  Layout();
}

void GradientButton::Save(PropertyBag& bag) { SaveProperties(Properties(), *this, bag); }

// --- Property setters ---------------------------------------------------------------------------

template <typename T>
void GradientButton::Set(std::string_view key, const T& value) {
  using Row = PersistedProperty<GradientButton>;
  const Row& row = PlainPropertyRow(Properties(), key);
  PropertyMember<T>(row, *this) = value;
  Changed(row.key);
  if (row.onSet == Row::OnSet::kRedraw) DrawButton(buttonState_, true);
}

template <typename T>
T GradientButton::Get(std::string_view key) const {
  return PropertyMember<T>(PropertyRow(Properties(), key), *this);
}

template void GradientButton::Set(std::string_view, const std::int32_t&);
template void GradientButton::Set(std::string_view, const bool&);
template void GradientButton::Set(std::string_view, const OleColor&);
template std::int32_t GradientButton::Get(std::string_view) const;
template bool GradientButton::Get(std::string_view) const;
template OleColor GradientButton::Get(std::string_view) const;

void GradientButton::SetBackColor(OleColor color) {
  backColor_ = color;
  Changed("BackColor");
  SetSchemeColors();
  DrawButton(buttonState_, true);
}

void GradientButton::SetForeColor(OleColor color) {
  foreColor_ = color;
  Changed("ForeColor");
  SetSchemeColors();
  DrawButton(buttonState_, true);
}

void GradientButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed("Enabled");
  host_.SetWindowEnabled(enabled);
  Layout();
  host_.RaiseAccessibleEvent(AccessibleEvent::kStateChange, 0);
}

void GradientButton::SetFont(const kestrune::Font& font) {
  font_ = font;
  Changed("Font");
  surface_.SetFont(font_);
  DrawButton(buttonState_, true);
}

void GradientButton::SetHWnd(WindowHandle /*handle*/) {
  throw MakeControlError(host_.UserMode() ? errnum::kSetNotSupportedAtRuntime : errnum::kSetNotPermitted, kErrorSource);
}

void GradientButton::SetButtonType(ButtonKind type) {
  buttonType_ = static_cast<std::int32_t>(type);
  Changed("ButtonType");
  SetSchemeColors();
  // After the scheme, so that a new glass button gets its blue set even under scheme 1.
  const TypePainter* painter = PainterFor(type);
  if (const GradientPreset* preset = painter ? painter->Preset() : nullptr) ApplyPreset(*preset);
  Layout();
}

void GradientButton::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  Changed("Caption");
  UpdateAccessKeys();
  DrawButton(buttonState_, true);
  host_.RaiseAccessibleEvent(AccessibleEvent::kNameChange, 0);
}

void GradientButton::SetColorScheme(int scheme) {
  colorScheme_ = scheme;
  Changed("ColorScheme");
  SetSchemeColors();
  DrawButton(buttonState_, true);
}

void GradientButton::SetPercent(int percent) {
  if (percent < 0 || percent > 100) throw MakeControlError(errnum::kInvalidPropertyValue, kErrorSource);
  percent_ = percent;
  Changed("Percent");
  DrawButton(buttonState_, true);
}

// --- Derived colours ----------------------------------------------------------------------------

void GradientButton::SetSchemeColors() {
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
    const TypePainter* painter = PainterFor(ButtonType());
    if (const GradientPreset* preset = painter ? painter->SystemSchemePreset() : nullptr) ApplyPreset(*preset);
  }
}

void GradientButton::ApplyPreset(const GradientPreset& preset) {
  if (preset.percent >= 0) percent_ = preset.percent;
  midColor_ = preset.mid;
  endColor_ = preset.end;
  mouseMoveMidColor_ = preset.mouseMoveMid;
  mouseMoveEndColor_ = preset.mouseMoveEnd;
  mouseDownMidColor_ = preset.mouseDownMid;
  mouseDownEndColor_ = preset.mouseDownEnd;
}

void GradientButton::UpdateAccessKeys() {
  const std::optional<wchar_t> key = AccessKeyOf(caption_);
  host_.SetAccessKeys(key ? std::wstring(1, *key) : std::wstring());
}

// --- Geometry and drawing -----------------------------------------------------------------------

void GradientButton::Layout() {
  width_ = surface_.ScaleWidth();
  height_ = surface_.ScaleHeight();
  host_.SetWindowRegion(ButtonRegion(ButtonType(), width_, height_));
  DrawButton(buttonState_, true);
}

void GradientButton::OnResize(int /*width*/, int /*height*/) { Layout(); }

void GradientButton::OnDestroy() {
  // The window owns its shape once it is set and frees it with itself; nothing is held here.
  host_.StopTimer(kLeaveTimerId);
  leaveTimerRunning_ = false;
}

ButtonLook GradientButton::CurrentLook() const {
  ButtonLook look;
  look.width = width_;
  look.height = height_;
  look.buttonType = ButtonType();
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
  // A hidden focus rectangle also hides the focus look for this drawing, and so does a host that
  // hides focus marks until the keyboard is used.
  look.hasFocus = hasFocus_ && showFocusRect_ && host_.FocusMarksShown();
  look.isDefault = host_.DisplayAsDefault();
  return look;
}

void GradientButton::DrawButton(int state, bool force) {
  if (!force && caption_ == lastDrawnCaption_ && state == buttonState_) return;
  if (height_ <= 0) return;
  buttonState_ = state;
  lastDrawnCaption_ = caption_;
  PaintButton(surface_, CurrentLook(), state, captionTops_);
  surface_.Present();
  host_.Invalidate();
}

}  // namespace kestrune::button
