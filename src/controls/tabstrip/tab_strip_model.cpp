// The rules on the tab list, the captions and their access keys, the parking of contained
// controls and the theme colour sets.
#include "controls/tabstrip/tab_strip_model.h"

#include "controls/tabstrip/tab_colors.h"
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

std::wstring NewTabCaption(int index) { return L"Tab " + std::to_wstring(index); }

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

void TabStripModel::ResetToNew(const SystemColors& system) {
  ResetProperties();
  lastActiveTab = 0;
  // Each tab font is its own copy, so making the active one bold leaves the other plain.
  activeTabFont.bold = true;
  activeTabFont.weight = 700;
  tabs.assign(static_cast<std::size_t>(tabCount), TabRecord{});
  for (int i = 0; i < tabCount; ++i) Tab(i).caption = NewTabCaption(i);
  ApplyThemeColors(system);
}

bool TabStripModel::FitTabsToCount() {
  const auto oldCount = static_cast<int>(tabs.size());
  tabs.resize(static_cast<std::size_t>(tabCount));
  for (int i = oldCount; i < tabCount; ++i) {
    Tab(i) = TabRecord{};
    Tab(i).caption = NewTabCaption(i);
  }
  if (activeTab >= tabCount || tabCount == 1) activeTab = tabCount - 1;
  // Access keys of dropped tabs would otherwise stay registered with the host.
  if (tabCount >= oldCount) return false;
  RebuildAccessKeys();
  return true;
}

void TabStripModel::SetCaption(int index, std::wstring_view caption) {
  TabRecord& tab = Tab(index);
  if (tab.accessKey != 0) {
    std::int32_t old = AccessKeyOf(tab.caption);
    if (old == 0) old = tab.accessKey;
    // Only this tab's registration goes: another tab may carry the same key, and while
    // InsertTab and RemoveTab move captions a key is briefly registered twice.
    if (const auto at = accessKeys.find(static_cast<wchar_t>(old)); at != std::wstring::npos) accessKeys.erase(at, 1);
  }
  tab.caption = caption;
  tab.accessKey = AccessKeyOf(caption);
  if (tab.accessKey != 0) accessKeys += static_cast<wchar_t>(tab.accessKey);
}

void TabStripModel::RebuildAccessKeys() {
  accessKeys.clear();
  for (const TabRecord& tab : tabs)
    if (tab.accessKey != 0) accessKeys += static_cast<wchar_t>(tab.accessKey);
}

void TabStripModel::ComputeParkOffset(double width) {
  parkOffset = width > 10000 ? RoundEvenInt(width + 1000) : 10000;
}

int TabStripModel::TabOfControl(int left) const {
  if (left > 0) return left / parkOffset;
  return -left / parkOffset + 1;
}

void TabStripModel::ApplyThemeColors(const SystemColors& system) {
  if (tabTheme < kThemeClassic || tabTheme > kThemeBeige) return;
  const ThemeColorSet s = ThemeColors(tabTheme, system);
  // In the order of themecolor::Index.
  static constexpr OleColor TabStripModel::*kThemed[themecolor::kCount] = {
      &TabStripModel::activeTabBackStartColor, &TabStripModel::activeTabBackEndColor,
      &TabStripModel::activeTabForeColor,      &TabStripModel::inActiveTabBackStartColor,
      &TabStripModel::inActiveTabBackEndColor, &TabStripModel::inActiveTabForeColor,
      &TabStripModel::tabStripBackColor,       &TabStripModel::disabledTabBackColor,
      &TabStripModel::disabledTabForeColor,    &TabStripModel::topLeftInnerBorderColor,
      &TabStripModel::outerBorderColor,        &TabStripModel::bottomRightInnerBorderColor,
      &TabStripModel::hoverColor,              &TabStripModel::focusedColor};
  for (int k = 0; k < themecolor::kCount; ++k)
    if (s.colors[k]) this->*kThemed[k] = *s.colors[k];
  if (s.beigeExtras) {
    pictureMaskColor = 0xFF00FF;
    pictureSize = kPicSmall;
    useFocusedColor = true;
    useMaskColor = true;
    useThemeDetection = false;
  }
}

}  // namespace kestrune::tabstrip
