#include "platform/accessible.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

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

TEST(AccessibleText, MarksBlanksAndShortcuts) {
  EXPECT_EQ(WithoutAccessMarks(L"&Save && &Load&"), L"Save & Load");
  EXPECT_EQ(TrimBlanks(L" \u3000 加速 記録\t "), L"加速 記録");
  EXPECT_EQ(TrimBlanks(L"  "), L"");
  EXPECT_EQ(AltShortcut(L'x'), L"Alt+X");
  EXPECT_EQ(AltShortcut(0), L"");
}

}  // namespace
}  // namespace kestrune
