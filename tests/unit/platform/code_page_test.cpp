#include "platform/code_page.h"

#include <gtest/gtest.h>

#include "fakes/fake_code_page.h"

namespace kestrune {
namespace {

TEST(BoundAnsi, KeepsWholeDoubleByteCharacters) {
  testing::FakeCodePage cp;
  const std::string ascii(300, 'a');
  EXPECT_EQ(BoundAnsi(ascii, 254, cp).size(), 254u);
  EXPECT_EQ(BoundAnsi("abc", 254, cp), "abc");

  // 253 single bytes then a double-byte character: it does not fit in 254 and is dropped whole.
  std::string mixed(253, 'x');
  mixed += "\x82\xA0tail";
  EXPECT_EQ(BoundAnsi(mixed, 254, cp).size(), 253u);

  // A trail byte that looks like a lead byte (0x82 0x81) is never taken as one.
  std::string pairs;
  for (int i = 0; i < 200; ++i) pairs += "\x82\x81";
  EXPECT_EQ(BoundAnsi(pairs, 254, cp).size(), 254u);
  EXPECT_EQ(BoundAnsi(pairs, 253, cp).size(), 252u);

  // A lead byte cut off at the end of the input is left out.
  EXPECT_EQ(BoundAnsi("ab\x82", 254, cp), "ab");
}

}  // namespace
}  // namespace kestrune
