// Tab records, properties and the operations that change the list of tabs.
#include <algorithm>
#include <cwctype>

#include "controls/tabstrip/tab_strip.h"
#include "controls/tabstrip/tab_strip_error.h"
#include "platform/rounding.h"

namespace kestrune::tabstrip {

namespace {

constexpr wchar_t kPlaceholder = L'\x01';

wchar_t UpperCase(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);  // Latin-1
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<wchar_t>(c - 32);           // full width
  return c;
}

std::wstring ReplaceDoubleAmpersands(std::wstring_view text, std::wstring_view with) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size() && text[i + 1] == L'&') {
      out += with;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Runs the end of an operation even when it fails part-way (drawing lock, re-entrancy guard).
template <typename F>
class AtExit {
 public:
  explicit AtExit(F f) : f_(std::move(f)) {}
  ~AtExit() { f_(); }
  AtExit(const AtExit&) = delete;
  AtExit& operator=(const AtExit&) = delete;

 private:
  F f_;
};

}  // namespace

std::int32_t AccessKeyOf(std::wstring_view caption) {
  const std::wstring marked = ReplaceDoubleAmpersands(caption, std::wstring(1, kPlaceholder));
  const auto amp = marked.rfind(L'&');
  // A trailing "&" marks nothing; such a caption simply has no access key.
  if (amp == std::wstring::npos || amp + 1 >= marked.size()) return 0;
  const wchar_t c = marked[amp + 1];
  return c == kPlaceholder ? 0 : static_cast<std::int32_t>(UpperCase(c));
}

std::wstring MeasuredCaption(std::wstring_view caption) {
  std::wstring text = ReplaceDoubleAmpersands(caption, L"&");
  if (text.find(L'&') != std::wstring::npos) text.pop_back();
  return text;
}

TabStrip::TabStrip(ControlHost& host, Surface& surface, const SystemColors& systemColors,
                   TabStripPlatform& platform, TabStripEvents* events)
    : host_(host), surface_(surface), systemColors_(systemColors), platform_(platform),
      events_(events) {
  tabs_.resize(static_cast<std::size_t>(tabCount_));
}

template <typename T>
void TabStrip::StoreProperty(const char* name, T& field, const T& value, bool redraw) {
  Guarded(name, [&] {
    field = value;
    if (redraw) Refresh();
    Notify(name);
  });
}

// --- Creation, sizing ----------------------------------------------------------------------------

void TabStrip::pComputeParkOffset() {
  const double width = host_.Bounds().Width();
  parkOffset_ = width > 10000 ? RoundEvenInt(width + 1000) : 10000;
}

void TabStrip::OnResize(int /*width*/, int /*height*/) { Refresh(); }

void TabStrip::InitNew() {
  Guarded("UserControl_InitProperties", [&] {
    showFocusRect_ = useFocusedColor_ = useMaskColor_ = useMouseWheelScroll_ = true;
    useControlBox_ = useThemeDetection_ = false;
    activeTab_ = lastActiveTab_ = pictureAlign_ = pictureSize_ = tabStyle_ = 0;
    activeTabBackEndColor_ = activeTabBackStartColor_ = 0x8000000F;
    activeTabForeColor_ = 0x80000012;
    activeTabHeight_ = 20;
    bottomRightInnerBorderColor_ = 0x80000010;
    disabledTabBackColor_ = 0x80000010;
    disabledTabForeColor_ = 0x80000014;
    focusedColor_ = 0xEE8269;
    hoverColor_ = 0x3BC7FF;
    inActiveTabBackEndColor_ = inActiveTabBackStartColor_ = 0x8000000F;
    inActiveTabForeColor_ = 0x80000012;
    inActiveTabHeight_ = 22;
    outerBorderColor_ = 0x80000015;
    topLeftInnerBorderColor_ = 0x80000014;
    xRadius_ = yRadius_ = 10;
    tabCount_ = 3;
    tabStripBackColor_ = host_.AmbientBackColor();
    // Each tab font is its own copy, so making the active one bold leaves the other plain.
    activeTabFont_ = inActiveTabFont_ = host_.AmbientFont();
    activeTabFont_.bold = true;
    activeTabFont_.weight = 700;
    pictureMaskColor_ = 0xC0C0C0;
    pComputeParkOffset();
    tabs_.assign(static_cast<std::size_t>(tabCount_), TabRecord{});
    for (int i = 0; i < tabCount_; ++i) tabs_[static_cast<std::size_t>(i)].Caption = L"Tab " + std::to_wstring(i);
    ResetColorsToDefault();
  });
}

// --- Simple properties ---------------------------------------------------------------------------

void TabStrip::SetActiveTabBackEndColor(OleColor c) { StoreProperty("ActiveTabBackEndColor", activeTabBackEndColor_, c); }
void TabStrip::SetActiveTabBackStartColor(OleColor c) { StoreProperty("ActiveTabBackStartColor", activeTabBackStartColor_, c); }
void TabStrip::SetActiveTabForeColor(OleColor c) { StoreProperty("ActiveTabForeColor", activeTabForeColor_, c); }
void TabStrip::SetActiveTabHeight(int h) { StoreProperty("ActiveTabHeight", activeTabHeight_, h); }
void TabStrip::SetBottomRightInnerBorderColor(OleColor c) { StoreProperty("BottomRightInnerBorderColor", bottomRightInnerBorderColor_, c); }
void TabStrip::SetDisabledTabBackColor(OleColor c) { StoreProperty("DisabledTabBackColor", disabledTabBackColor_, c); }
void TabStrip::SetDisabledTabForeColor(OleColor c) { StoreProperty("DisabledTabForeColor", disabledTabForeColor_, c); }
void TabStrip::SetFocusedColor(OleColor c) { StoreProperty("FocusedColor", focusedColor_, c); }
void TabStrip::SetHoverColor(OleColor c) { StoreProperty("HoverColor", hoverColor_, c); }
void TabStrip::SetInActiveTabBackEndColor(OleColor c) { StoreProperty("InActiveTabBackEndColor", inActiveTabBackEndColor_, c); }
void TabStrip::SetInActiveTabBackStartColor(OleColor c) { StoreProperty("InActiveTabBackStartColor", inActiveTabBackStartColor_, c); }
void TabStrip::SetInActiveTabForeColor(OleColor c) { StoreProperty("InActiveTabForeColor", inActiveTabForeColor_, c); }
void TabStrip::SetInActiveTabHeight(int h) { StoreProperty("InActiveTabHeight", inActiveTabHeight_, h); }
void TabStrip::SetOuterBorderColor(OleColor c) { StoreProperty("OuterBorderColor", outerBorderColor_, c); }
void TabStrip::SetTabStripBackColor(OleColor c) { StoreProperty("TabStripBackColor", tabStripBackColor_, c); }
void TabStrip::SetTopLeftInnerBorderColor(OleColor c) { StoreProperty("TopLeftInnerBorderColor", topLeftInnerBorderColor_, c); }
void TabStrip::SetActiveTabFont(const Font& f) { StoreProperty("ActiveTabFont", activeTabFont_, f); }
void TabStrip::SetInActiveTabFont(const Font& f) { StoreProperty("InActiveTabFont", inActiveTabFont_, f); }
void TabStrip::SetPictureAlign(int v) { StoreProperty("PictureAlign", pictureAlign_, v); }
void TabStrip::SetPictureSize(int v) { StoreProperty("PictureSize", pictureSize_, v); }
void TabStrip::SetTabStyle(int v) { StoreProperty("TabStyle", tabStyle_, v); }
void TabStrip::SetShowFocusRect(bool v) { StoreProperty("ShowFocusRect", showFocusRect_, v); }
void TabStrip::SetUseControlBox(bool v) { StoreProperty("UseControlBox", useControlBox_, v); }
void TabStrip::SetUseFocusedColor(bool v) { StoreProperty("UseFocusedColor", useFocusedColor_, v); }
void TabStrip::SetUseMaskColor(bool v) { StoreProperty("UseMaskColor", useMaskColor_, v); }
void TabStrip::SetUseMouseWheelScroll(bool v) { StoreProperty("UseMouseWheelScroll", useMouseWheelScroll_, v, false); }
void TabStrip::SetXRadius(int v) { StoreProperty("XRadius", xRadius_, v); }
void TabStrip::SetYRadius(int v) { StoreProperty("YRadius", yRadius_, v); }
void TabStrip::SetBackColor(OleColor c) {
  Guarded("BackColor", [&] {
    SetSurfaceBackColor(c);
    Refresh();
    Notify("BackColor");
  });
}
void TabStrip::SetEnabled(bool v) {
  Guarded("Enabled", [&] {
    enabled_ = v;
    host_.SetWindowEnabled(v);
    Refresh();
    Notify("Enabled");
  });
}
void TabStrip::SetForeColor(OleColor c) {
  Guarded("ForeColor", [&] {
    foreColor_ = c;
    penColor_ = GetRGBFromOLE(c);
    Refresh();
    Notify("ForeColor");
  });
}
void TabStrip::SetPictureMaskColor(OleColor c) { StoreProperty("PictureMaskColor", pictureMaskColor_, c); }
void TabStrip::SetFont(const Font& f) {
  Guarded("Font", [&] { surface_.SetFont(f); });
}

WindowHandle TabStrip::hWnd() {
  return Guarded("hwnd", [&] { return hwnd_ = host_.Window(); });
}
std::uint32_t TabStrip::hDC() {
  return Guarded("hDC", [&] { return hdc_ = platform_.DeviceContext(); });
}

void TabStrip::SetTabTheme(int v) {
  Guarded("TabTheme", [&] {
    tabTheme_ = v;
    ResetColorsToDefault();
    Refresh();
    surface_.Present();
    host_.Invalidate();
    Notify("TabTheme");
  });
}

void TabStrip::SetUseThemeDetection(bool v) {
  Guarded("UseThemeDetection", [&] {
    useThemeDetection_ = v;
    if (v) SetTabTheme(IsWinXP() ? kThemeXP : kThemeClassic);
    Refresh();
    Notify("UseThemeDetection");
  });
}

// --- Tab count and indexed properties ------------------------------------------------------------

void TabStrip::SetTabCount(int count) {
  Guarded("TabCount", [&] {
    if (count <= 0) Raise(errnum::kInvalidPropertyValue);
    tabCount_ = count;
    pHandleTabCount();
    Refresh();
    Notify("TabCount");
  });
}

void TabStrip::pHandleTabCount() {
  Guarded("pHandleTabCount", [&] {
    const auto oldCount = static_cast<int>(tabs_.size());
    tabs_.resize(static_cast<std::size_t>(tabCount_));
    for (int i = oldCount; i < tabCount_; ++i) {
      tabs_[static_cast<std::size_t>(i)] = TabRecord{};
      tabs_[static_cast<std::size_t>(i)].Caption = L"Tab " + std::to_wstring(i);
    }
    if (activeTab_ >= tabCount_ || tabCount_ == 1) activeTab_ = tabCount_ - 1;
    // Access keys of dropped tabs would otherwise stay registered with the host.
    if (tabCount_ < oldCount) pAssignAccessKeys();
  });
}

void TabStrip::CheckIndex(int index) const {
  if (index < 0 || index >= tabCount_) Raise(errnum::kSubscriptOutOfRange);
}

std::wstring TabStrip::TabCaption(int index) const {
  return Guarded("TabCaption", [&] {
    if (index < 0 || index >= tabCount_) return std::wstring();
    return tabs_[static_cast<std::size_t>(index)].Caption;
  });
}

void TabStrip::SetTabCaption(int index, std::wstring_view caption) {
  Guarded("TabCaption", [&] {
    CheckIndex(index);
    TabRecord& tab = tabs_[static_cast<std::size_t>(index)];
    if (tab.AccessKey != 0) {
      std::int32_t old = AccessKeyOf(tab.Caption);
      if (old == 0) old = tab.AccessKey;
      // Only this tab's registration goes: another tab may carry the same key, and while
      // InsertTab and RemoveTab move captions a key is briefly registered twice.
      if (const auto at = accessKeys_.find(static_cast<wchar_t>(old)); at != std::wstring::npos)
        accessKeys_.erase(at, 1);
    }
    tab.Caption = caption;
    tab.AccessKey = AccessKeyOf(caption);
    if (tab.AccessKey != 0) accessKeys_ += static_cast<wchar_t>(tab.AccessKey);
    host_.SetAccessKeys(accessKeys_);
    Notify("TabCaption");
    Refresh();
  });
}

bool TabStrip::TabEnabled(int index) const {
  return Guarded("TabEnabled", [&] {
    return index >= 0 && index < tabCount_ && tabs_[static_cast<std::size_t>(index)].Enabled;
  });
}

void TabStrip::SetTabEnabled(int index, bool enabled) {
  Guarded("TabEnabled", [&] {
    CheckIndex(index);
    tabs_[static_cast<std::size_t>(index)].Enabled = enabled;
    Notify("TabEnabled");
    Refresh();
  });
}

const Picture& TabStrip::TabPicture(int index) const {
  return Guarded("TabPicture", [&]() -> const Picture& {
    CheckIndex(index);
    return tabs_[static_cast<std::size_t>(index)].TabPicture;
  });
}

void TabStrip::SetTabPicture(int index, const Picture& picture) {
  Guarded("TabPicture", [&] {
    CheckIndex(index);
    tabs_[static_cast<std::size_t>(index)].TabPicture = picture;
    Refresh();
    Notify("TabPicture");
  });
}

TabRecord TabStrip::AryTabs(int index) const {
  return Guarded("AryTabs", [&] {
    CheckIndex(index);
    return tabs_[static_cast<std::size_t>(index)];
  });
}

void TabStrip::SetAryTabs(int index, const TabRecord& record) {
  Guarded("AryTabs", [&] {
    CheckIndex(index);
    tabs_[static_cast<std::size_t>(index)] = record;
  });
}

void TabStrip::pAssignAccessKeys() {
  accessKeys_.clear();
  for (const TabRecord& tab : tabs_)
    if (tab.AccessKey != 0) accessKeys_ += static_cast<wchar_t>(tab.AccessKey);
  host_.SetAccessKeys(accessKeys_);
}

// --- Switching and parking -----------------------------------------------------------------------

void TabStrip::SetActiveTab(int tab) {
  Guarded("ActiveTab", [&] {
    int x = tab;
    if (x < 0 || x >= tabCount_) x = 0;
    if (x == activeTab_) return;
    switchCancel_ = false;
    Events().BeforeTabSwitch(x, switchCancel_);
    if (switchCancel_) return;
    ShiftTabControls(x);
    lastActiveTab_ = activeTab_;
    activeTab_ = x;
    hoverTab_ = x;
    DrawBackground();
    DrawTabs();
    Notify("ActiveTab");
    Refresh();
    surface_.Present();
    host_.Invalidate();
    Events().TabSwitch(lastActiveTab_);
  });
}

void TabStrip::ShiftTabControls(int newTab) {
  const long long distance = static_cast<long long>(newTab - activeTab_) * parkOffset_;
  for (ContainedControl* control : host_.ContainedControls()) {
    host_.ProcessPendingMessages();
    try {
      control->SetLeft(static_cast<int>(control->Left() + distance));
    } catch (...) {
      // A control that refuses to move stays where it is; the others still move.
    }
  }
}

int TabStrip::TabOfControl(int left) const {
  if (left > 0) return left / parkOffset_;
  return -left / parkOffset_ + 1;
}

void TabStrip::InsertTab(int index, std::wstring_view caption) {
  Guarded("InsertTab", [&] {
    // Checked before anything changes, so a bad index neither grows the strip nor leaves the
    // window's drawing locked.
    if (index < -1 || index > tabCount_ - 1) Raise(errnum::kSubscriptOutOfRange);
    platform_.LockWindowUpdate(hWnd());
    AtExit unlock([&] { platform_.LockWindowUpdate(0); });
    const int remembered = activeTab_;
    SetActiveTab(0);
    for (ContainedControl* control : host_.ContainedControls()) {
      if (TabOfControl(control->Left()) <= index) continue;
      try {
        control->SetLeft(control->Left() - parkOffset_);
      } catch (...) {
      }
    }
    SetTabCount(tabCount_ + 1);
    for (int i = tabCount_ - 1; i >= index + 2; --i) SetTabCaption(i, TabCaption(i - 1));
    SetTabCaption(index + 1, caption);
    SetActiveTab(remembered > index + 1 ? remembered + 1 : remembered);
  });
  int raised = index;
  Guarded("InsertTab", [&] { Events().TabInsert(raised); });
}

void TabStrip::RemoveTab(int index) {
  if (tabCount_ == 1) return;
  Guarded("RemoveTab", [&] {
    // Without this check a missing index would silently drop the last tab.
    CheckIndex(index);
    platform_.LockWindowUpdate(hWnd());
    AtExit unlock([&] { platform_.LockWindowUpdate(0); });
    const int remembered = activeTab_;
    SetActiveTab(0);
    for (ContainedControl* control : host_.ContainedControls()) {
      const int tab = TabOfControl(control->Left());
      try {
        if (tab == index) control->SetLeft(control->Left() + tabCount_ * parkOffset_);
        else if (tab > index) control->SetLeft(control->Left() + parkOffset_);
      } catch (...) {
      }
    }
    for (int i = index + 1; i <= tabCount_ - 1; ++i) SetTabCaption(i - 1, TabCaption(i));
    SetTabCount(tabCount_ - 1);
    int next;
    if (remembered == index) next = index == tabCount_ - 1 ? remembered - 1 : remembered + 1;
    else next = remembered - 1;
    SetActiveTab(next);
  });
  int raised = index;
  Guarded("RemoveTab", [&] { Events().TabRemove(raised); });
}

// --- Other methods -------------------------------------------------------------------------------

void TabStrip::AddControl(PlaceableControl* control, std::int64_t window, int left, int top,
                          int width, int height, int tab) {
  // This utility reports nothing to its caller; each failing step is skipped.
  auto attempt = [](auto&& step) {
    try {
      step();
    } catch (...) {
    }
  };
  attempt([&] {
    if (tab != -1 && tab != activeTab_) SetActiveTab(tab);
  });
  if (window != -1 && control == nullptr) {
    const auto handle = static_cast<WindowHandle>(window);
    attempt([&] { platform_.SetParent(handle, hWnd()); });
    attempt([&] { platform_.SetWindowPos(handle, left, top, width, height, 0x40); });
    return;
  }
  if (control == nullptr) return;
  attempt([&] { platform_.SetParent(control->Window(), hWnd()); });
  if (left != -1) attempt([&] { control->SetLeft(left); });
  if (top != -1) attempt([&] { control->SetTop(top); });
  if (width != -1) attempt([&] { control->SetWidth(width); });
  if (height != -1) attempt([&] { control->SetHeight(height); });
  attempt([&] { control->SetVisible(true); });
}

void TabStrip::CopyTabImagesFromImageList(const std::vector<Picture>& images) {
  try {
    for (int i = 0; i < tabCount_; ++i) {
      Picture& target = tabs_[static_cast<std::size_t>(i)].TabPicture;
      if (static_cast<std::size_t>(i) >= images.size()) {
        target = Picture{};
        break;
      }
      target = images[static_cast<std::size_t>(i)];
    }
    Refresh();
  } catch (...) {
  }
}

void TabStrip::RemoveTabImages(int index, bool removeAll) {
  try {
    if (index == -1 && removeAll) {
      for (TabRecord& tab : tabs_) tab.TabPicture = Picture{};
    } else {
      if (index < 0 || index >= tabCount_) return;
      tabs_[static_cast<std::size_t>(index)].TabPicture = Picture{};
    }
    Refresh();
  } catch (...) {
  }
}

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
    if (useThemeDetection_) tabTheme_ = GetThemeInfo() != L"None" ? kThemeXP : kThemeClassic;
    pDrawMe();
    surface_.Present();
    host_.Invalidate();
  });
}

std::wstring TabStrip::Version(int /*unused*/) const {
  return std::to_wstring(1) + L"." + std::to_wstring(0) + L"." + std::to_wstring(85);
}

std::wstring TabStrip::ShowFileOpenDialog(WindowHandle owner, std::wstring_view initialDirectory,
                                          std::wstring_view filter) {
  try {
    OpenFileRequest request;
    request.owner = owner;
    request.title = L"Open File";
    request.initialDirectory = initialDirectory;
    request.maxPathLength = 255;
    if (filter.empty()) {
      request.filters.emplace_back(L"All Files (*.*)", L"*.*");
    } else {
      std::vector<std::wstring> fields;
      std::size_t start = 0;
      while (true) {
        const auto bar = filter.find(L'|', start);
        fields.emplace_back(filter.substr(start, bar == std::wstring_view::npos ? bar : bar - start));
        if (bar == std::wstring_view::npos) break;
        start = bar + 1;
      }
      for (std::size_t i = 0; i < fields.size(); i += 2)
        request.filters.emplace_back(fields[i], i + 1 < fields.size() ? fields[i + 1] : L"");
    }
    return platform_.ShowOpenFileDialog(request);
  } catch (...) {
    return {};
  }
}

void TabStrip::Teardown() {
  try {
    SetActiveTab(0);
  } catch (...) {
  }
  for (TabRecord& tab : tabs_) tab.TabPicture = Picture{};
  if (hoverDrawn_) {
    hoverDrawn_ = false;
    SetHoverTimer(0);
  }
  hooks_.UnhookAll();
}

// --- Colours and themes --------------------------------------------------------------------------

Rgb TabStrip::GetRGBFromOLE(OleColor color) const {
  return Guarded("GetRGBFromOLE", [&] { return tabstrip::GetRGBFromOLE(color, systemColors_); });
}

bool TabStrip::IsWinXP() const {
  return Guarded("IsWinXP", [&] { return tabstrip::IsWinXP(platform_); });
}

std::wstring TabStrip::GetThemeInfo() const {
  return Guarded("GetThemeInfo", [&] { return tabstrip::GetThemeInfo(platform_); });
}

void TabStrip::ResetColorsToDefault() {
  Guarded("ResetColorsToDefault", [&] {
    if (tabTheme_ < kThemeClassic || tabTheme_ > kThemeBeige) return;
    const ThemeColorSet s = ThemeColors(tabTheme_, systemColors_);
    auto apply = [](OleColor& field, const ThemeColorSet::Entry& e) {
      if (e.set) field = e.value;
    };
    apply(activeTabBackStartColor_, s.activeTabBackStart);
    apply(activeTabBackEndColor_, s.activeTabBackEnd);
    apply(activeTabForeColor_, s.activeTabFore);
    apply(inActiveTabBackStartColor_, s.inActiveTabBackStart);
    apply(inActiveTabBackEndColor_, s.inActiveTabBackEnd);
    apply(inActiveTabForeColor_, s.inActiveTabFore);
    apply(tabStripBackColor_, s.tabStripBack);
    apply(disabledTabBackColor_, s.disabledTabBack);
    apply(disabledTabForeColor_, s.disabledTabFore);
    apply(topLeftInnerBorderColor_, s.topLeftInnerBorder);
    apply(outerBorderColor_, s.outerBorder);
    apply(bottomRightInnerBorderColor_, s.bottomRightInnerBorder);
    apply(hoverColor_, s.hover);
    apply(focusedColor_, s.focused);
    if (s.beigeExtras) {
      pictureMaskColor_ = 0xFF00FF;
      pictureSize_ = kPicSmall;
      useFocusedColor_ = true;
      useMaskColor_ = true;
      useThemeDetection_ = false;
    }
  });
}

void TabStrip::ResetAllColors() {
  Guarded("ResetAllColors", [&] {
    refreshing_ = true;
    {
      AtExit clear([&] { refreshing_ = false; });
      ResetColorsToDefault();
    }
    Refresh();
  });
}

}  // namespace kestrune::tabstrip
