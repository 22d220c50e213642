#include "app/tab_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrune {
namespace {

// A window like the main one: the strip holding the pages, two buttons under it, rows of a page.
FocusStop Beside(Rect r) { return {kBesidePages, r, true, true, true}; }
FocusStop On(int page, Rect r) { return {page, r, true, true, true}; }

const FocusStop kStrip = Beside({8, 8, 462, 308});
const FocusStop kMini = Beside({300, 318, 376, 344});
const FocusStop kExit = Beside({386, 318, 462, 344});

struct OrderCase {
  std::string rule;
  std::vector<FocusStop> controls;
  int activePage;
  std::vector<std::size_t> expected;
};

TEST(TabOrder, ReachableControlsInReadingOrder) {
  FocusStop disabled = On(1, {36, 200, 200, 220});
  disabled.enabled = false;
  FocusStop hidden = On(1, {36, 230, 200, 250});
  hidden.visible = false;
  FocusStop label = On(1, {36, 260, 200, 276});
  label.tabStop = false;
  const std::vector<OrderCase> cases = {
      {"strip first, buttons last, whatever the rows' order",
       {kExit, kMini, On(1, {36, 64, 236, 84}), kStrip}, 1, {3, 2, 1, 0}},
      {"a control beside another on its line comes after it, though it starts higher",
       {kStrip, On(1, {36, 64, 236, 84}), On(1, {250, 62, 370, 82}), On(1, {36, 90, 236, 110})}, 1, {0, 1, 2, 3}},
      {"a top at the middle of the line's first control starts a new line",
       {On(0, {200, 100, 300, 120}), On(0, {10, 110, 100, 130}), On(0, {10, 109, 100, 129})}, 0, {2, 0, 1}},
      {"controls of other pages are passed over",
       {kStrip, On(0, {36, 64, 236, 84}), On(1, {36, 90, 236, 110}), On(2, {36, 120, 236, 140}), kExit}, 2,
       {0, 3, 4}},
      {"disabled, hidden and controls that take no focus are passed over",
       {kStrip, disabled, hidden, label, kMini}, 1, {0, 4}},
      {"nothing to reach", {label}, 1, {}},
  };
  for (const OrderCase& c : cases) EXPECT_EQ(TabOrder(c.controls, c.activePage), c.expected) << c.rule;
}

TEST(TabOrder, TabAndShiftTabWrapAndStartFromTheEnds) {
  // Reading order: strip (0), the page-1 check box (2), mini (3), exit (1); 4 is parked on page 2.
  const std::vector<FocusStop> window = {kStrip, kExit, On(1, {36, 64, 236, 84}), kMini, On(2, {36, 64, 236, 84})};
  struct Step {
    std::optional<std::size_t> from;
    bool forward;
    std::size_t to;
  };
  const Step steps[] = {
      {0, true, 2},  {2, true, 3},  {3, true, 1}, {1, true, 0},             // forward, wrapping to the strip
      {0, false, 1}, {1, false, 3}, {2, false, 0},                          // backward, wrapping to exit
      {std::nullopt, true, 0}, {std::nullopt, false, 1},                    // from no control
      {4, true, 0}, {4, false, 1},                                          // from a parked control
  };
  for (const Step& s : steps) {
    EXPECT_EQ(NextFocus(window, 1, s.from, s.forward), s.to)
        << "from " << (s.from ? std::to_string(*s.from) : "none") << (s.forward ? " Tab" : " Shift+Tab");
  }
  EXPECT_EQ(NextFocus(std::vector<FocusStop>{On(2, {0, 0, 10, 10})}, 1, std::nullopt, true), std::nullopt);
}

}  // namespace
}  // namespace kestrune
