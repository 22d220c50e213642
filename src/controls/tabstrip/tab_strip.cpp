// The control as the host sees it: creation, loading and saving, the property setters (store,
// redraw, tell the host), Refresh and the end of the control's life.
#include "controls/tabstrip/tab_strip.h"

#include "controls/tabstrip/tab_strip_error.h"
#include "platform/property_table.h"

namespace kestrune::tabstrip {

TabStrip::TabStrip(ControlHost& host, Surface& surface, const SystemColors& systemColors,
                   TabStripPlatform& platform, TabStripEvents* events)
    : host_(host), surface_(surface), systemColors_(systemColors), platform_(platform), events_(events),
      canvas_(surface, systemColors), measure_(surface) {}

int TabStrip::SurfaceMeasure::Width(const Font& font, std::wstring_view text) {
  surface_.SetFont(font);
  return surface_.MeasureText(text).width;
}

Rect TabStrip::SurfaceMeasure::Extent(const Font& font, std::wstring_view text, const Rect& rect, unsigned format) {
  surface_.SetFont(font);
  Rect r = rect;
  surface_.DrawText(text, r, format | textfmt::kCalcRect, 0);
  return r;
}

void TabStrip::TakeAmbient() {
  model_.ambientFont = host_.AmbientFont();
  model_.ambientBackColor = host_.AmbientBackColor();
}

void TabStrip::Present() {
  surface_.Present();
  host_.Invalidate();
}

// --- Creation, loading, saving -------------------------------------------------------------------

void TabStrip::InitNew() {
  Guarded("InitNew", [&] {
    TakeAmbient();
    model_.ResetToNew(systemColors_);
    model_.ComputeParkOffset(host_.Bounds().Width());
  });
}

void TabStrip::Load(const PropertyBag& bag) {
  Guarded("Load", [&] {
    TakeAmbient();
    // Stored directly: no setter runs, nothing is notified or drawn.
    if (!model_.Load(bag)) Raise(errnum::kInvalidPropertyValue);
    host_.SetWindowEnabled(model_.enabled);
    canvas_.pen = ToRgb(model_.foreColor);
    model_.ComputeParkOffset(host_.Bounds().Width());
    // The host restores contained controls where they were saved, so the distance is zero; the
    // pass still lets pending messages run once per control.
    ShiftTabControls(model_.activeTab);
    host_.SetAccessKeys(model_.accessKeys);
    watching_ = host_.UserMode();
  });
}

void TabStrip::Save(PropertyBag& bag) {
  Guarded("Save", [&] {
    TakeAmbient();
    model_.Save(bag);
  });
}

void TabStrip::OnResize(int /*width*/, int /*height*/) { Refresh(); }

std::wstring TabStrip::Text() const {
  return model_.ValidIndex(model_.activeTab) ? model_.Tab(model_.activeTab).caption : std::wstring();
}

// --- Properties ----------------------------------------------------------------------------------

template <typename T>
void TabStrip::Set(std::string_view key, const T& value) {
  using Row = PersistedProperty<TabStripModel>;
  const Row& row = Guarded("Set", [&]() -> const Row& { return PlainPropertyRow(TabStripProperties(), key); });
  Guarded(row.key, [&] {
    PropertyMember<T>(row, model_) = value;
    if (row.onSet == Row::OnSet::kRedraw) Refresh();
    Notify(row.key);
  });
}

template <typename T>
T TabStrip::Get(std::string_view key) const {
  return Guarded("Get", [&] { return PropertyMember<T>(PropertyRow(TabStripProperties(), key), model_); });
}

template void TabStrip::Set(std::string_view, const std::int32_t&);
template void TabStrip::Set(std::string_view, const bool&);
template void TabStrip::Set(std::string_view, const OleColor&);
template void TabStrip::Set(std::string_view, const Font&);
template std::int32_t TabStrip::Get(std::string_view) const;
template bool TabStrip::Get(std::string_view) const;
template OleColor TabStrip::Get(std::string_view) const;
template Font TabStrip::Get(std::string_view) const;

void TabStrip::SetBackColor(OleColor c) {
  Guarded("BackColor", [&] {
    SetSurfaceBackColor(c);
    Refresh();
    Notify("BackColor");
  });
}

void TabStrip::SetSurfaceBackColor(OleColor c) {
  // Changing the background of the surface repaints it in the new colour, as the window does.
  model_.backColor = c;
  surface_.Clear(ToRgb(c));
}

void TabStrip::SetEnabled(bool v) {
  Guarded("Enabled", [&] {
    model_.enabled = v;
    host_.SetWindowEnabled(v);
    Refresh();
    Notify("Enabled");
    host_.RaiseAccessibleEvent(AccessibleEvent::kStateChange, 0);
  });
}

void TabStrip::SetForeColor(OleColor c) {
  Guarded("ForeColor", [&] {
    model_.foreColor = c;
    canvas_.pen = ToRgb(c);
    Refresh();
    Notify("ForeColor");
  });
}

void TabStrip::SetFont(const Font& f) {
  Guarded("Font", [&] { surface_.SetFont(f); });
}

WindowHandle TabStrip::hWnd() {
  return Guarded("hWnd", [&] { return host_.Window(); });
}
std::uint32_t TabStrip::hDC() {
  return Guarded("hDC", [&] { return platform_.DeviceContext(); });
}

void TabStrip::SetTabTheme(int v) {
  Guarded("TabTheme", [&] {
    model_.tabTheme = v;
    ApplyThemeColors();
    Refresh();
    Present();
    Notify("TabTheme");
  });
}

void TabStrip::SetUseThemeDetection(bool v) {
  Guarded("UseThemeDetection", [&] {
    model_.useThemeDetection = v;
    if (v) SetTabTheme(IsWindowsXp() ? kThemeXP : kThemeClassic);
    Refresh();
    Notify("UseThemeDetection");
  });
}

// --- Tab count and indexed properties ------------------------------------------------------------

void TabStrip::SetTabCount(int count) {
  Guarded("TabCount", [&] {
    if (count <= 0) Raise(errnum::kInvalidPropertyValue);
    model_.tabCount = count;
    FitTabsToCount();
    Refresh();
    Notify("TabCount");
  });
}

void TabStrip::FitTabsToCount() {
  Guarded("FitTabsToCount", [&] {
    if (model_.FitTabsToCount()) host_.SetAccessKeys(model_.accessKeys);
  });
}

void TabStrip::CheckIndex(int index) const {
  if (!model_.ValidIndex(index)) Raise(errnum::kSubscriptOutOfRange);
}

std::wstring TabStrip::TabCaption(int index) const {
  return Guarded("TabCaption", [&] { return model_.ValidIndex(index) ? model_.Tab(index).caption : std::wstring(); });
}

void TabStrip::SetTabCaption(int index, std::wstring_view caption) {
  Guarded("TabCaption", [&] {
    CheckIndex(index);
    model_.SetCaption(index, caption);
    host_.SetAccessKeys(model_.accessKeys);
    Notify("TabCaption");
    Refresh();
    host_.RaiseAccessibleEvent(AccessibleEvent::kNameChange, index + 1);
  });
}

bool TabStrip::TabEnabled(int index) const {
  return Guarded("TabEnabled", [&] { return model_.ValidIndex(index) && model_.Tab(index).enabled; });
}

void TabStrip::SetTabEnabled(int index, bool enabled) {
  Guarded("TabEnabled", [&] {
    CheckIndex(index);
    model_.Tab(index).enabled = enabled;
    Notify("TabEnabled");
    Refresh();
    host_.RaiseAccessibleEvent(AccessibleEvent::kStateChange, index + 1);
  });
}

const Picture& TabStrip::TabPicture(int index) const {
  return Guarded("TabPicture", [&]() -> const Picture& {
    CheckIndex(index);
    return model_.Tab(index).picture;
  });
}

void TabStrip::SetTabPicture(int index, const Picture& picture) {
  Guarded("TabPicture", [&] {
    CheckIndex(index);
    model_.Tab(index).picture = picture;
    Refresh();
    Notify("TabPicture");
  });
}

TabRecord TabStrip::Tab(int index) const {
  return Guarded("Tab", [&] {
    CheckIndex(index);
    return model_.Tab(index);
  });
}

void TabStrip::SetTab(int index, const TabRecord& record) {
  Guarded("Tab", [&] {
    CheckIndex(index);
    model_.Tab(index) = record;
  });
}

// --- Refresh, colours and themes -----------------------------------------------------------------

void TabStrip::Refresh() {
  Guarded("Refresh", [&] {
    if (refreshing_) return;
    refreshing_ = true;
    // A failed redraw must not leave the guard set, or the control would never draw again.
    AtExit clear([&] { refreshing_ = false; });
    if (!initCompleted_) {
      initCompleted_ = true;
      if (host_.UserMode()) Events().AfterCompleteInit();
    }
    if (model_.useThemeDetection) model_.tabTheme = VisualStyleName() != L"None" ? kThemeXP : kThemeClassic;
    DrawWholeStrip();
    Present();
  });
}

Rgb TabStrip::ToRgb(OleColor color) const {
  return Guarded("ToRgb", [&] { return tabstrip::ToRgb(color, systemColors_); });
}

bool TabStrip::IsWindowsXp() const {
  return Guarded("IsWindowsXp", [&] { return tabstrip::IsWindowsXp(platform_); });
}

std::wstring TabStrip::VisualStyleName() const {
  return Guarded("VisualStyleName", [&] { return tabstrip::VisualStyleName(platform_); });
}

void TabStrip::ApplyThemeColors() {
  Guarded("ApplyThemeColors", [&] { model_.ApplyThemeColors(systemColors_); });
}

void TabStrip::ApplyThemeColorsAndRefresh() {
  Guarded("ApplyThemeColorsAndRefresh", [&] {
    refreshing_ = true;
    {
      AtExit clear([&] { refreshing_ = false; });
      ApplyThemeColors();
    }
    Refresh();
  });
}

int TabStrip::IconSize() const {
  return IconSizeForDpi(model_.pictureSize, platform_.Dpi());
}

// --- The end -------------------------------------------------------------------------------------

void TabStrip::Teardown() {
  try {
    SetActiveTab(0);
  } catch (...) {
  }
  for (TabRecord& tab : model_.tabs) tab.picture = Picture{};
  if (hoverDrawn_) {
    hoverDrawn_ = false;
    SetHoverTimer(0);
  }
  watching_ = false;
}

}  // namespace kestrune::tabstrip
