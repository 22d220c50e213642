#pragma once
// What a screen reader is told about the gradient button: a push button named by its caption.
#include <string_view>

#include "platform/accessible.h"
#include "platform/texts.h"

namespace kestrune::button {

inline std::wstring_view PushActionText() { return UiText(TextId::ActionPress); }

struct ButtonFacts {
  std::wstring_view caption;
  bool enabled = true;
  bool pressed = false;
  bool focused = false;
  int width = 0;
  int height = 0;
};

AccessibleDescription DescribeButton(const ButtonFacts& button);

}  // namespace kestrune::button
