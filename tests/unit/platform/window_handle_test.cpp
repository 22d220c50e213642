#include <gtest/gtest.h>

#include <cstdint>

#include "platform/types.h"

namespace kestrune {
namespace {

// The platform sign-extends 32-bit handle values; zero-extending would name another window for
// every handle at or above 0x80000000.
TEST(WindowHandle, ConvertsByTheSignAndBackByTheLow32Bits) {
  struct Case {
    WindowHandle handle;
    std::intptr_t value;
  };
  const Case cases[] = {{0, 0},
                        {0x00010074u, 0x00010074},
                        {0x7FFFFFFFu, 0x7FFFFFFF},
                        {0x80000000u, -0x7FFFFFFF - 1},
                        {0xFFFF1234u, -0xEDCC},
                        {0xFFFFFFFFu, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(WindowHandleValue(c.handle), c.value) << std::hex << c.handle;
    EXPECT_EQ(ToWindowHandle(static_cast<std::uintptr_t>(c.value)), c.handle) << std::hex << c.handle;
  }
}

}  // namespace
}  // namespace kestrune
