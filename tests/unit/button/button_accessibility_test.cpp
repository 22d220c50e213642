#include "controls/button/button_accessibility.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "button_rig.h"

namespace kestrune::button {
namespace {

namespace st = accessible_state;

TEST(ButtonDescription, PushButtonNamedByItsCaption) {
  struct Case {
    ButtonFacts facts;
    const wchar_t* name;
    std::uint32_t state;
    const wchar_t* action;
    const wchar_t* shortcut;
  } const cases[] = {
      {{L"隠す", true, false, false, 75, 23}, L"隠す", st::kFocusable, L"押す", L""},
      {{L" E&xit ", true, true, true, 75, 23}, L"Exit", st::kFocusable | st::kPressed | st::kFocused, L"押す",
       L"Alt+X"},
      {{L"Tom && Jerry", false, false, false, 75, 23}, L"Tom & Jerry", st::kFocusable | st::kUnavailable, L"", L""},
      {{L"&&&b", true, false, false, 75, 23}, L"&b", st::kFocusable, L"押す", L"Alt+B"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const AccessibleDescription d = DescribeButton(c.facts);
    SCOPED_TRACE(i);
    EXPECT_EQ(d.self.role, AccessibleRole::kPushButton);
    EXPECT_EQ(d.self.name, c.name);
    EXPECT_EQ(d.self.state, c.state);
    EXPECT_EQ(d.self.defaultAction, c.action);
    EXPECT_EQ(d.self.keyboardShortcut, c.shortcut);
    EXPECT_EQ(d.self.location, (Rect{0, 0, 75, 23}));
    EXPECT_TRUE(d.children.empty());
  }
}

using Events = std::vector<std::pair<AccessibleEvent, long>>;

// Pushing the button from a reader raises what a left click raises, and a disabled button stays still.
TEST(ButtonReader, DefaultActionClicksWithTheEventsOfAClick) {
  testing::ButtonRig rig;
  rig.button.InitNew();
  rig.button.OnResize(75, 23);
  rig.button.DoDefaultAction(0);
  EXPECT_EQ(rig.events.log, (std::vector<std::string>{"MouseDown 1,0,1,1", "MouseUp 1,0,1,1", "Click"}));
  EXPECT_EQ(rig.button.ButtonState(), kStateNormal);
  EXPECT_EQ(rig.host.accessibleEvents,
            (Events{{AccessibleEvent::kStateChange, 0}, {AccessibleEvent::kStateChange, 0}}));
  EXPECT_EQ(rig.button.Describe()->self.location, (Rect{0, 0, 75, 23}));

  rig.host.accessibleEvents.clear();
  rig.button.OnGotFocus();
  rig.button.SetCaption(L"&Hide");
  rig.button.SetEnabled(false);
  EXPECT_EQ(rig.host.accessibleEvents, (Events{{AccessibleEvent::kFocus, 0}, {AccessibleEvent::kNameChange, 0},
                                               {AccessibleEvent::kStateChange, 0}}));
  rig.events.log.clear();
  rig.button.DoDefaultAction(0);
  rig.button.SetEnabled(true);
  rig.button.DoDefaultAction(1);  // a button has no parts
  EXPECT_TRUE(rig.events.log.empty());
}

}  // namespace
}  // namespace kestrune::button
