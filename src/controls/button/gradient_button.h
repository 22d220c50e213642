#pragma once
// GradientButton: the program's own push button. It keeps its properties in the host's property
// set, follows mouse, keyboard and focus, raises its events to the host and draws itself in one of
// five types, each with its own painter (button_painter.h).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "controls/button/button_colors.h"
#include "controls/button/button_painter.h"
#include "controls/button/gradient_button_events.h"
#include "platform/control_host.h"
#include "platform/own_control.h"
#include "platform/property_table.h"
#include "platform/surface.h"

namespace kestrune::button {

class GradientButton : public OwnControl {
 public:
  // The timer that notices the pointer leaving the button.
  static constexpr int kLeaveTimerId = 1;
  static constexpr unsigned kLeaveTimerIntervalMs = 10;

  // name: the control's name in its form, the caption of a newly placed button.
  GradientButton(ControlHost& host, Surface& surface, const SystemColors& system, std::wstring name);

  void SetListener(GradientButtonEvents* listener) { events_ = listener; }

  // Persistence.
  void InitNew() override;
  void Load(const PropertyBag& bag) override;
  void Save(PropertyBag& bag) override;

  void Redraw() override { DrawButton(buttonState_, true); }
  void OnResize(int width, int height) override;
  void OnDestroy() override;

  // Input and focus.
  void OnMouseDown(int button, int shift, float x, float y) override;
  void OnMouseMove(int button, int shift, float x, float y) override;
  void OnMouseUp(int button, int shift, float x, float y) override;
  void OnClick() override;
  void OnDblClick() override;
  void OnKeyDown(int keyCode, int shift) override;
  void OnKeyUp(int keyCode, int shift) override;
  void OnKeyPress(int charCode) override;
  void OnAccessKeyPress(wchar_t key) override;
  void OnGotFocus() override;
  void OnLostFocus() override;
  bool IsPushButton() const override { return true; }
  bool WantsArrowKeys() const override { return true; }  // they move the focus on to the neighbours
  void OnTimer(int timerId) override;
  void OnAmbientChanged() override { DrawButton(buttonState_, true); }
  std::wstring Text() const override { return caption_; }
  // A push button; its default action clicks it with the events of a mouse click.
  std::optional<AccessibleDescription> Describe() const override;
  void DoDefaultAction(long child) override;

  // Draws the button in state 0 (normal, hover look while the pointer is over it) or 2 (pressed).
  // Without force nothing happens unless the state or the caption changed since the last drawing.
  void DrawButton(int state, bool force);

  // Any persisted property by its key (the table in gradient_button.cpp), T being its member's type
  // (OleColor, std::int32_t, bool, std::wstring, Font). Set is for the plain ones: it stores, tells
  // the host and redraws unless the table says not to. The others have setters of their own below.
  template <typename T>
  void Set(std::string_view key, const T& value);
  template <typename T>
  T Get(std::string_view key) const;

  // Properties that do more when set.
  OleColor BackColor() const { return backColor_; }
  void SetBackColor(OleColor color);
  OleColor ForeColor() const { return foreColor_; }
  void SetForeColor(OleColor color);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const kestrune::Font& Font() const { return font_; }
  void SetFont(const kestrune::Font& font);
  WindowHandle HWnd() const { return host_.Window(); }
  // Always refused: ControlError 387 in design mode, 382 at run time.
  [[noreturn]] void SetHWnd(WindowHandle handle);
  ButtonKind ButtonType() const { return static_cast<ButtonKind>(buttonType_); }
  // Choosing the glass type also brings its preset (TypePainter::Preset).
  void SetButtonType(ButtonKind type);
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption);
  int ColorScheme() const { return colorScheme_; }
  void SetColorScheme(int scheme);
  int Percent() const { return percent_; }
  // Outside 0-100: ControlError 380 and the value stays.
  void SetPercent(int percent);

  // Interaction state.
  int ButtonState() const { return buttonState_; }
  bool IsMouseOver() const { return isMouseOver_; }
  bool HasFocus() const { return hasFocus_; }
  int LastButton() const { return lastButton_; }
  int LastKeyCode() const { return lastKeyCode_; }
  const SchemeColors& Scheme() const { return scheme_; }
  // What the next drawing would read (for the binding's hit tests and for tests).
  ButtonLook CurrentLook() const;

 private:
  // The persisted keys in save order: the first kLookKeys are loaded before the colour scheme is
  // derived, the colours after it.
  static std::span<const PersistedProperty<GradientButton>> Properties();
  static constexpr std::size_t kLookKeys = 10;
  // A newly placed button: every default, its own name as caption and the surface's font.
  void ResetToNew();
  void SetSchemeColors();
  void ApplyPreset(const GradientPreset& preset);
  void UpdateAccessKeys();
  void Layout();
  void Changed(const char* key) { host_.PropertyChanged(key); }

  void Press(int button, int shift, float x, float y);
  void Release(int button, int shift, float x, float y);
  void HandleClick();

  ControlHost& host_;
  Surface& surface_;
  const SystemColors& system_;
  std::wstring name_;
  GradientButtonEvents* events_ = nullptr;

  OleColor backColor_;
  OleColor foreColor_;
  bool enabled_;
  kestrune::Font font_;
  // Only carried through the property set; the live handle is the host's.
  std::int32_t savedHWnd_;
  // The stored value of a ButtonKind, kept as stored: a damaged set may hold any other number.
  std::int32_t buttonType_;
  int xpType_;
  std::wstring caption_;
  int colorScheme_;
  bool showFocusRect_;
  OleColor rectColor_;
  int percent_;
  OleColor midColor_;
  OleColor endColor_;
  OleColor mouseMoveMidColor_;
  OleColor mouseMoveEndColor_;
  OleColor mouseDownMidColor_;
  OleColor mouseDownEndColor_;
  OleColor officeFill_;
  OleColor officeFrame_;
  OleColor officeMoveFill_;
  OleColor officeMoveFrame_;
  SchemeColors scheme_;

  int buttonState_ = kStateNormal;
  bool isMouseOver_ = false;
  bool hasFocus_ = false;
  bool leaveTimerRunning_ = false;
  int lastButton_ = 1;
  int lastKeyCode_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::wstring lastDrawnCaption_;
  CaptionTops captionTops_;
};

}  // namespace kestrune::button
