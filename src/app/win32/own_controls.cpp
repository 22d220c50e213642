#include "app/win32/own_controls.h"

#include <algorithm>

#include "app/form_main_tabstrip_props.h"
#include "app/tab_images.h"
#include "controls/tabstrip/tab_layout.h"
#include "platform/dpi.h"

namespace kestrune {

std::string Win32ContainedControl::Name() const { return std::to_string(::GetDlgCtrlID(control_)); }

RECT Win32ContainedControl::InParent() const {
  RECT rect{};
  ::GetWindowRect(control_, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control_), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Win32ContainedControl::StripLeft() const {
  RECT strip{};
  ::GetWindowRect(container_, &strip);
  ::MapWindowPoints(nullptr, ::GetParent(container_), reinterpret_cast<POINT*>(&strip), 2);
  return strip.left;
}

int Win32ContainedControl::Left() const {
  const int real = InParent().left - StripLeft();
  // Where this adapter put it last: the strip's own figure, however far that was.
  return placed_ && real == placedLeft_ ? logicalLeft_ : real;
}

void Win32ContainedControl::SetLeft(int left) {
  const int placed = std::clamp(left, -kFarthest, kFarthest);
  const RECT rect = InParent();
  ::SetWindowPos(control_, nullptr, StripLeft() + placed, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  logicalLeft_ = left;
  placedLeft_ = placed;
  placed_ = true;
}

int Win32ContainedControl::Top() const {
  RECT strip{};
  ::GetWindowRect(container_, &strip);
  ::MapWindowPoints(nullptr, ::GetParent(container_), reinterpret_cast<POINT*>(&strip), 2);
  return InParent().top - strip.top;
}

bool Win32TabStripPages::Create(HWND parent, int id, const Rect& bounds, const Font& formFont, int dpi,
                                OwnControlCallbacks callbacks,
                                std::function<std::vector<ContainedControl*>()> contained) {
  callbacks_ = std::move(callbacks);
  dpi_ = dpi;
  platform_.SetDpi(dpi);
  const PropertyBag saved = TabStripMainProperties(formFont, dpi);
  ControlWindowArgs args;
  args.parent = parent;
  args.bounds = bounds;
  args.id = id;
  args.saved = &saved;
  args.ambientFont = formFont;
  args.dpi = dpi;
  args.containedControls = std::move(contained);
  args.createControl = [this](ControlHost& host, Surface& surface) {
    tabstrip::TabStripEvents* events = this;
    auto strip = std::make_unique<tabstrip::TabStrip>(host, surface, colors_, platform_, events);
    strip_ = strip.get();
    return std::unique_ptr<OwnControl>(std::move(strip));
  };
  return window_.Create(args);
}

void Win32TabStripPages::CopyTabImages() {
  strip_->CopyTabImagesFromImageList(TabMainImages(tabstrip::IconSizeForDpi(tabstrip::kPicSmall, dpi_)));
}

void Win32TabStripPages::SetTabCaption(int index, std::wstring_view caption) { strip_->SetTabCaption(index, caption); }

void Win32TabStripPages::SetActiveTab(int index) { strip_->SetActiveTab(index); }

void Win32TabStripPages::SetActiveTabHeight(int height) {
  activeTabHeight_ = height;
  strip_->Set<std::int32_t>("ActiveTabHeight", ScaleToDpi(height, dpi_));
}

void Win32TabStripPages::SetDpi(int dpi) {
  dpi_ = dpi;
  platform_.SetDpi(dpi);
  window_.SetDpi(dpi);
  strip_->Set<std::int32_t>("InActiveTabHeight", ScaleToDpi(kFormMainInActiveTabHeight, dpi));
  const int active = activeTabHeight_ > 0 ? activeTabHeight_ : TabStripMainProperties().Read<std::int32_t>("ActiveTabHeight", 0);
  strip_->Set<std::int32_t>("ActiveTabHeight", ScaleToDpi(active, dpi));
  CopyTabImages();
}

void Win32TabStripPages::TabSwitch(int) {
  if (callbacks_.switched) callbacks_.switched();
}

void Win32TabStripPages::MouseDown(int&, int&, float&, float&) {
  if (callbacks_.mouseDown) callbacks_.mouseDown();
}

void Win32TabStripPages::MouseMove(int&, int&, float&, float&) {
  if (callbacks_.mouseMove) callbacks_.mouseMove();
}

bool Win32GradientButton::Create(HWND parent, int id, const Rect& bounds, const std::wstring& name,
                                const PropertyBag& saved, std::function<void()> onClick) {
  onClick_ = std::move(onClick);
  ControlWindowArgs args;
  args.parent = parent;
  args.bounds = bounds;
  args.id = id;
  args.saved = &saved;
  args.createControl = [this, name](ControlHost& host, Surface& surface) {
    auto control = std::make_unique<button::GradientButton>(host, surface, colors_, name);
    button::GradientButtonEvents* events = this;
    control->SetListener(events);
    return std::unique_ptr<OwnControl>(std::move(control));
  };
  return window_.Create(args);
}

void Win32GradientButton::Click() {
  if (onClick_) onClick_();
}

bool Win32Monitor::Create(HWND parent, int id, const Rect& bounds, const PropertyBag& saved) {
  ControlWindowArgs args;
  args.parent = parent;
  args.bounds = bounds;
  args.id = id;
  args.saved = &saved;
  args.createControl = [this](ControlHost& host, Surface& surface) {
    return std::unique_ptr<OwnControl>(std::make_unique<monitor::SystemMonitor>(host, surface, figures_, colors_));
  };
  return window_.Create(args);
}

}  // namespace kestrune
