#pragma once
// Which control Tab and Shift+Tab reach in the main window. The window's controls are described by
// their rows (page, designed rectangle) and their state; the order is reading order over the
// controls the user can reach now, whatever page the other helpers' rows put them on.
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "platform/types.h"
#include "vocabulary/pages.h"

namespace kestrune {

struct FocusStop {
  int page = kBesidePages;  // the strip's page the control stands on
  Rect bounds{};            // where it stands when its page is shown
  bool enabled = true;
  bool visible = true;
  bool tabStop = false;  // the control takes the focus from the keyboard
};

// Whether the control stands on a page other than the one shown (parked out of sight).
bool OnOtherPage(const FocusStop& control, int activePage);

// Whether Tab can reach the control while `activePage` is shown: a control parked on another
// page, disabled, hidden or not a tab stop is passed over.
bool Reachable(const FocusStop& control, int activePage);

// The reachable controls, as indices into `controls`, in reading order: line by line from the top,
// each line from the left. A control starts a new line unless its top lies above the middle of
// the line's first control; a control that holds another (the strip holds its pages) never shares
// a line with it, so a container comes before what it holds.
std::vector<std::size_t> TabOrder(std::span<const FocusStop> controls, int activePage);

// The control that Tab (forward) or Shift+Tab reaches from `current`, wrapping at the ends. From
// no control, or from one that is not reachable, Tab starts at the first and Shift+Tab at the last.
// None when nothing is reachable.
std::optional<std::size_t> NextFocus(std::span<const FocusStop> controls, int activePage,
                                     std::optional<std::size_t> current, bool forward);

}  // namespace kestrune
