#include "app/window_hook.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_window.h"

namespace kestrune {
namespace {

using namespace testing;
using ::testing::ElementsAre;

class WindowHookTest : public ::testing::Test {
 protected:
  std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return hook.Handle({message, wParam, lParam}, [this](const WindowMessage& m) {
      passed.push_back(m.message);
      log.push_back("pass");
      return std::intptr_t{42};
    });
  }
  CallLog log;
  FakeMainWindow window{log};
  FakeTray tray{log};
  WindowHook hook{window, tray};
  std::vector<std::uint32_t> passed;
};

TEST_F(WindowHookTest, MinimiseCommandIsPassedOnFirstThenHides) {
  EXPECT_EQ(Send(msg::kSysCommand, msg::kScMinimize, 0), 42);
  EXPECT_EQ(Send(msg::kCommand, msg::kScMinimize, 0), 42);
  EXPECT_THAT(log, ElementsAre("pass", "hide", "pass", "hide"));
}

TEST_F(WindowHookTest, TrayDoubleClickRestoresOnlyAHiddenWindow) {
  EXPECT_EQ(Send(msg::kTrayCallback, 0, msg::kLButtonDblClk), 0);
  EXPECT_TRUE(log.empty());
  window.visible = false;
  EXPECT_EQ(Send(msg::kTrayCallback, 0, msg::kLButtonDblClk), 0);
  EXPECT_THAT(log, ElementsAre("show", "restore"));
}

TEST_F(WindowHookTest, TrayRightButtonShowsTheMenuOnlyWhenHidden) {
  EXPECT_EQ(Send(msg::kTrayCallback, 0, msg::kRButtonDown), 0);
  EXPECT_TRUE(log.empty());
  window.visible = false;
  Send(msg::kTrayCallback, 0, msg::kRButtonDown);
  EXPECT_THAT(log, ElementsAre("foreground", "menu"));
}

TEST_F(WindowHookTest, TrayLikeLParamOnOtherMessagesIsPassedOn) {
  window.visible = false;
  EXPECT_EQ(Send(0x200 /*WM_MOUSEMOVE*/, 0, msg::kLButtonDblClk), 42);
  EXPECT_EQ(Send(0x0F /*WM_PAINT*/, 0, msg::kRButtonDown), 42);
  EXPECT_THAT(log, ElementsAre("pass", "pass"));
}

TEST_F(WindowHookTest, TaskbarCreatedReaddsTheIconOnceRegistered) {
  // Before registration the id is unknown: WM_NULL (0) must not be taken for it.
  EXPECT_EQ(Send(0, 0, 0), 42);
  hook.SetTaskbarCreatedMessage(0xC0DE);
  EXPECT_EQ(Send(0xC0DE, 0, 0), 0);
  EXPECT_THAT(log, ElementsAre("pass", "tray+"));
}

TEST_F(WindowHookTest, EndSessionMessagesSetTheShutdownFlagAndPassOn) {
  Send(0x10 /*WM_CLOSE*/, 0, 0);
  EXPECT_FALSE(hook.ShutdownFlag());
  EXPECT_EQ(Send(msg::kQueryEndSession, 0, 0), 42);
  EXPECT_TRUE(hook.ShutdownFlag());
  hook.ClearShutdownFlag();
  EXPECT_EQ(Send(msg::kEndSession, 1, 0), 42);
  EXPECT_TRUE(hook.ShutdownFlag());
  EXPECT_THAT(passed, ElementsAre(0x10u, msg::kQueryEndSession, msg::kEndSession));
}

TEST_F(WindowHookTest, MinimiseWinsOverEverythingElse) {
  // The first matching row acts: a tray callback carrying 0xF020 in wParam is a minimise.
  hook.SetTaskbarCreatedMessage(msg::kTrayCallback);
  Send(msg::kTrayCallback, msg::kScMinimize, msg::kLButtonDblClk);
  EXPECT_THAT(log, ElementsAre("pass", "hide"));
}

}  // namespace
}  // namespace kestrune
