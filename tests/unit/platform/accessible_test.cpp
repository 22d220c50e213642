#include "platform/accessible.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

// The captions' marks, blanks and shortcuts are checked with the tab and button descriptions.
TEST(AccessibleDescription, ChildIdsNameTheControlAndItsParts) {
  AccessibleDescription d;
  d.self.name = L"list";
  d.children.resize(2);
  d.children[1].name = L"second";
  EXPECT_EQ(d.Item(0), &d.self);
  EXPECT_EQ(d.Item(2)->name, L"second");
  EXPECT_EQ(d.Item(3), nullptr);
  EXPECT_EQ(d.Item(-1), nullptr);
}

// A control shows as long as any of it lies in the parent's client area (400 x 300 here).
TEST(AccessibleDescription, AControlOffItsParentIsOffScreen) {
  const struct {
    Rect bounds;
    bool off;
  } cases[] = {
      {{10, 10, 60, 30}, false},
      {{-40, 10, 10, 30}, false},   // partly cut at the left edge
      {{390, 290, 450, 330}, false},
      {{400, 10, 450, 30}, true},   // parked beside the window
      {{-50, 10, 0, 30}, true},
      {{10, 300, 60, 330}, true},
      {{10, -30, 60, 0}, true},
      {{5410, 40, 5460, 60}, true},  // several pages away
      {{10, 10, 10, 30}, true},      // no size at all
  };
  for (const auto& c : cases)
    EXPECT_EQ(OffParent(c.bounds, 400, 300), c.off) << c.bounds.left << "," << c.bounds.top;
}

}  // namespace
}  // namespace kestrune
