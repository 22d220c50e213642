#include "controls/tabstrip/tab_strip_accessibility.h"

namespace kestrune::tabstrip {

namespace st = accessible_state;

std::wstring SpokenTabCaption(std::wstring_view caption) {
  return std::wstring(TrimBlanks(WithoutAccessMarks(caption)));
}

AccessibleDescription DescribeTabStrip(const TabStripModel& model, bool focused, int width, int height) {
  AccessibleDescription d;
  d.self.role = AccessibleRole::kPageTabList;
  d.self.state = st::kFocusable | (focused ? st::kFocused : 0u) | (model.enabled ? 0u : st::kUnavailable);
  d.self.location = Rect{0, 0, width, height};
  for (int i = 0; i < model.tabCount && i < static_cast<int>(model.tabs.size()); ++i) {
    const TabRecord& tab = model.Tab(i);
    const bool active = i == model.activeTab;
    // A tab is unavailable when it or the whole strip is disabled: neither can then be chosen.
    const bool available = tab.enabled && model.enabled;
    AccessibleItem item;
    item.role = AccessibleRole::kPageTab;
    item.name = SpokenTabCaption(tab.caption);
    item.state = st::kSelectable | st::kFocusable | (active ? st::kSelected : 0u) |
                 (active && focused ? st::kFocused : 0u) | (available ? 0u : st::kUnavailable);
    if (available) item.defaultAction = SwitchActionText();
    item.keyboardShortcut = AltShortcut(static_cast<wchar_t>(tab.accessKey));
    item.location = tab.tabRect;
    d.children.push_back(std::move(item));
  }
  return d;
}

}  // namespace kestrune::tabstrip
