#include "controls/tabstrip/tab_strip_accessibility.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tab_strip_rig.h"

namespace kestrune::tabstrip {
namespace {

namespace st = accessible_state;
using testing::Rig;

// What each tab reports, by its caption, its enabled flag and whether it is the one shown while the
// strip has the focus.
TEST(TabStripDescription, OnePageTabPerTab) {
  struct Case {
    const wchar_t* caption;
    bool enabled;
    const wchar_t* name;
    std::uint32_t state;
    const wchar_t* action;
    const wchar_t* shortcut;
  } const cases[] = {
      {L" 状態 ", true, L"状態", st::kSelectable | st::kFocusable, L"切り替え", L""},
      {L" &files ", true, L"files", st::kSelectable | st::kFocusable | st::kSelected | st::kFocused, L"切り替え",
       L"Alt+F"},
      {L"\u3000&Save && Load\u3000", false, L"Save & Load", st::kSelectable | st::kFocusable | st::kUnavailable, L"",
       L"Alt+S"},
      {L"E&xit&", true, L"Exit", st::kSelectable | st::kFocusable, L"切り替え", L""},
  };
  TabStripModel model;
  model.tabCount = 4;
  model.FitTabsToCount();
  for (int i = 0; i < 4; ++i) {
    model.SetCaption(i, cases[i].caption);
    model.Tab(i).enabled = cases[i].enabled;
    model.Tab(i).tabRect = Rect{i * 50, 2, i * 50 + 48, 22};
  }
  model.activeTab = 1;

  const AccessibleDescription d = DescribeTabStrip(model, true, 300, 120);
  EXPECT_EQ(d.self.role, AccessibleRole::kPageTabList);
  EXPECT_EQ(d.self.state, st::kFocusable | st::kFocused);
  EXPECT_EQ(d.self.location, (Rect{0, 0, 300, 120}));
  ASSERT_EQ(d.children.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const AccessibleItem& tab = d.children[static_cast<std::size_t>(i)];
    SCOPED_TRACE(i);
    EXPECT_EQ(tab.role, AccessibleRole::kPageTab);
    EXPECT_EQ(tab.name, cases[i].name);
    EXPECT_EQ(tab.state, cases[i].state);
    EXPECT_EQ(tab.defaultAction, cases[i].action);
    EXPECT_EQ(tab.keyboardShortcut, cases[i].shortcut);
    EXPECT_EQ(tab.location, (Rect{i * 50, 2, i * 50 + 48, 22}));
  }

  // Without the focus no tab is focused; a disabled strip makes every tab unavailable.
  model.enabled = false;
  const AccessibleDescription off = DescribeTabStrip(model, false, 300, 120);
  EXPECT_EQ(off.self.state, st::kFocusable | st::kUnavailable);
  EXPECT_EQ(off.children[1].state, st::kSelectable | st::kFocusable | st::kSelected | st::kUnavailable);
  EXPECT_EQ(off.children[0].defaultAction, L"");
}

using Events = std::vector<std::pair<AccessibleEvent, long>>;

// A reader's default action switches as the access key does, and only to a tab the user could choose;
// the reader is told of each change.
TEST(TabStripReader, DefaultActionSwitchesAndTheReaderHearsOfChanges) {
  Rig rig;
  TabStrip& strip = rig.New();
  strip.Refresh();  // AfterCompleteInit out of the way
  rig.events.log.clear();

  strip.DoDefaultAction(3);
  EXPECT_EQ(strip.ActiveTab(), 2);
  EXPECT_EQ(rig.events.log, (std::vector<std::string>{"BeforeTabSwitch 2", "TabSwitch 0"}));
  EXPECT_EQ(rig.host.accessibleEvents, (Events{{AccessibleEvent::kSelection, 3}}));

  strip.OnGotFocus();
  strip.OnKeyDown(39, 0);  // right arrow from the last tab: back to tab 0
  EXPECT_EQ(strip.ActiveTab(), 0);
  EXPECT_EQ(rig.host.accessibleEvents,
            (Events{{AccessibleEvent::kSelection, 3}, {AccessibleEvent::kFocus, 3}, {AccessibleEvent::kSelection, 1},
                    {AccessibleEvent::kFocus, 1}}));

  rig.host.accessibleEvents.clear();
  rig.events.log.clear();
  strip.SetTabEnabled(1, false);
  strip.SetTabCaption(2, L"&Last");
  EXPECT_EQ(rig.host.accessibleEvents,
            (Events{{AccessibleEvent::kStateChange, 2}, {AccessibleEvent::kNameChange, 3}}));
  // Not the shown tab, not a disabled one, not outside the tabs, nothing on a disabled strip.
  for (long child : {1L, 2L, 0L, 4L, -1L}) strip.DoDefaultAction(child);
  strip.SetEnabled(false);
  strip.DoDefaultAction(3);
  EXPECT_EQ(strip.ActiveTab(), 0);
  EXPECT_TRUE(rig.events.log.empty());
  EXPECT_EQ(strip.Describe()->children[2].name, L"Last");
}

}  // namespace
}  // namespace kestrune::tabstrip
