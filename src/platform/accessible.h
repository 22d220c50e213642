#pragma once
// What a screen reader is told about an own control: its role, name, value, states, default action,
// keyboard shortcut and place, and the same for each of its parts (the tab strip's tabs). The
// control decides it from its model; the Windows binding only translates it into the system's
// accessibility interface.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace kestrune {

enum class AccessibleRole { kPageTabList, kPageTab, kPushButton, kGraphic };

// States as bits; the binding maps each to the system's state flag of the same meaning.
namespace accessible_state {
constexpr std::uint32_t kUnavailable = 1u << 0;
constexpr std::uint32_t kSelected = 1u << 1;
constexpr std::uint32_t kFocused = 1u << 2;
constexpr std::uint32_t kPressed = 1u << 3;
constexpr std::uint32_t kFocusable = 1u << 4;
constexpr std::uint32_t kSelectable = 1u << 5;
constexpr std::uint32_t kReadOnly = 1u << 6;
}  // namespace accessible_state

struct AccessibleItem {
  AccessibleRole role = AccessibleRole::kGraphic;
  std::wstring name;
  std::wstring value;
  std::uint32_t state = 0;
  std::wstring defaultAction;     // empty: the item has none
  std::wstring keyboardShortcut;  // "Alt+X", empty when there is no access key
  Rect location{};                // in the control's client pixels
  friend bool operator==(const AccessibleItem&, const AccessibleItem&) = default;
};

// The control itself and its parts; part k is child k + 1 to the system (0 is the control).
struct AccessibleDescription {
  AccessibleItem self;
  std::vector<AccessibleItem> children;
  // The item a child id names; nullptr for an id outside 0 .. children.size().
  const AccessibleItem* Item(long childId) const;
};

// What the control tells the system has changed; child as in AccessibleDescription.
enum class AccessibleEvent { kFocus, kSelection, kNameChange, kStateChange };

// Whether a control standing at `bounds` (in its parent's client pixels) shows nowhere in a client
// area of `parentWidth` x `parentHeight`: the strip parks the controls of hidden pages beside the
// window, where a reader must hear of them as off screen, as of a stock control scrolled away.
bool OffParent(const Rect& bounds, int parentWidth, int parentHeight);

// "Alt+" and the key in upper case; empty for no key (0).
std::wstring AltShortcut(wchar_t key);
// A caption as it reads on screen: each "&" that marks an access key taken out, "&&" one "&".
std::wstring WithoutAccessMarks(std::wstring_view caption);
// Without the blanks (ASCII and ideographic spaces) at either end.
std::wstring_view TrimBlanks(std::wstring_view text);

}  // namespace kestrune
