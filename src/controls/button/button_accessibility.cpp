#include "controls/button/button_accessibility.h"

#include "controls/button/access_key.h"

namespace kestrune::button {

namespace st = accessible_state;

AccessibleDescription DescribeButton(const ButtonFacts& button) {
  AccessibleDescription d;
  AccessibleItem& self = d.self;
  self.role = AccessibleRole::kPushButton;
  self.name = std::wstring(TrimBlanks(WithoutAccessMarks(button.caption)));
  self.state = st::kFocusable | (button.pressed ? st::kPressed : 0u) | (button.focused ? st::kFocused : 0u) |
               (button.enabled ? 0u : st::kUnavailable);
  // A disabled button cannot be pushed, so it offers no action.
  if (button.enabled) self.defaultAction = PushActionText();
  self.keyboardShortcut = AltShortcut(AccessKeyOf(button.caption).value_or(L'\0'));
  self.location = Rect{0, 0, button.width, button.height};
  return d;
}

}  // namespace kestrune::button
