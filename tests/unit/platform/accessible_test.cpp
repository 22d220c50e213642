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

}  // namespace
}  // namespace kestrune
