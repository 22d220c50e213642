#include "controls/tabstrip/message_hook.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrune::tabstrip {
namespace {

TEST(MessageHook, SetsHoldEachMessageOnceOrEverything) {
  MessageSet set;
  EXPECT_EQ(set.Count(), 0);
  EXPECT_FALSE(set.Contains(0x200));
  set.Add(0x200);
  set.Add(0x200);
  set.Add(0x113);
  EXPECT_EQ(set.Count(), 2);
  EXPECT_TRUE(set.Contains(0x113));
  EXPECT_FALSE(set.Contains(0x201));
  set.Add(MessageSet::kAllMessages);
  EXPECT_EQ(set.Count(), -1);
  EXPECT_TRUE(set.Contains(0x12345));
}

TEST(MessageHook, DispatchOrderAndUnregisteredMessages) {
  MessageHookTable table;
  table.HookWindow(10);
  table.HookMessage(10, 0x113, hookphase::kBefore);
  table.HookMessage(10, 0x200, hookphase::kAfter);
  table.HookMessage(10, 0x202, hookphase::kBefore | hookphase::kAfter);
  std::string trace;
  auto callback = [&](bool before, bool& handled, std::int64_t& result) {
    trace += before ? "B" : ("A" + std::to_string(result));
    (void)handled;
  };
  auto previous = [&] {
    trace += "P";
    return std::int64_t{42};
  };
  EXPECT_EQ(table.Dispatch(10, 0x113, callback, previous), 42);
  EXPECT_EQ(trace, "BP");
  trace.clear();
  EXPECT_EQ(table.Dispatch(10, 0x200, callback, previous), 42);
  EXPECT_EQ(trace, "PA42");  // after the previous procedure, seeing its result
  trace.clear();
  EXPECT_EQ(table.Dispatch(10, 0x999, callback, previous), 42);  // passes straight through
  EXPECT_EQ(trace, "P");
  trace.clear();
  EXPECT_EQ(table.Dispatch(77, 0x200, callback, previous), 42);  // a window not hooked
  EXPECT_EQ(trace, "P");

  // A before call that handles the message keeps the previous procedure from running.
  trace.clear();
  auto handling = [&](bool before, bool& handled, std::int64_t& result) {
    trace += before ? "B" : "A";
    if (before) {
      handled = true;
      result = 7;
    }
  };
  EXPECT_EQ(table.Dispatch(10, 0x202, handling, previous), 7);
  EXPECT_EQ(trace, "BA");
}

TEST(MessageHook, EntriesAreReusedAndReleasedLastFirst) {
  MessageHookTable table;
  EXPECT_EQ(table.HookWindow(1), 0);
  EXPECT_EQ(table.HookWindow(2), 1);
  EXPECT_EQ(table.HookWindow(3), 2);
  table.UnhookWindow(2);
  EXPECT_EQ(table.Entries()[1].window, 0u);
  EXPECT_EQ(table.HookWindow(4), 1);  // the free entry
  EXPECT_EQ(table.HookWindow(1), 3);  // a second hook on a window is a new entry
  table.HookMessage(1, 0x200, hookphase::kAfter);
  EXPECT_EQ(table.Entries()[3].after.Count(), 1);  // the newest entry of the window
  EXPECT_EQ(table.Entries()[0].after.Count(), 0);
  EXPECT_EQ(table.UnhookAll(), (std::vector<WindowHandle>{1, 3, 4, 1}));
  for (const auto& e : table.Entries()) {
    EXPECT_EQ(e.window, 0u);
    EXPECT_EQ(e.after.Count(), 0);
  }
}

}  // namespace
}  // namespace kestrune::tabstrip
