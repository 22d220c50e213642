#include "app/form_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_window.h"

namespace kestrune {
namespace {

using namespace testing;
using ::testing::ElementsAre;

class NoRecorder : public SwitchRecorder {
 public:
  void RecordSwitch(std::wstring_view, std::wstring_view) override {}
};

class FormMainTest : public ::testing::Test {
 protected:
  FormMainTest() {
    api.AddProcess(1);
    api.AddProcess(5);
    api.AddWindow(0x50, 5, "Other");
    api.foreground = 0x50;
  }
  CallLog log;
  FakeProcessApi api;
  FakeCodePage codePage;
  FakeCheckBox autoRun, autoMin, mostTop{true}, state{true}, record{true};
  FakeComboBox speed, cleanCount;
  FakeLabel info, count, home, help;
  FakeTabPages tabs{log};
  FakeMainWindow window{log};
  FakeMessageBoxes boxes;
  NoRecorder recorder;
  BoostCycle boost{api, codePage, {state, speed, record, info, count}, recorder};
  FakeFormSettings settings{log};
  FakeTray tray{log};
  WindowHook hook{window, tray};
  FakeHookInstaller installer{log};
  FormMain form{{autoRun, autoMin, mostTop, state, record, speed, cleanCount, home, help, tabs},
                window, boxes, boost, settings, hook, installer, tray};
};

TEST_F(FormMainTest, LoadRunsItsStepsInOrder) {
  settings.onLoad = [&] { speed.SetSelectedIndex(speed.FindItem(kSpeedNormal)); };
  boost.SetState({7, 8, 9});
  form.Load();
  // The tray's callback is let through before the icon exists, "TaskbarCreated" once it is registered.
  EXPECT_THAT(log, ElementsAre("tab-images", "tab-active", "settings", "notopmost", "hook+", "allow 2025", "tray+",
                               "register", "allow 49443"));
  EXPECT_THAT(tabs.captions, ElementsAre(L" 状態 ", L" ソフト設定 ", L" 加速記録 ", L" について "));
  EXPECT_EQ(tabs.active, 3);
  EXPECT_EQ(tabs.height, 25);
  // The combos are filled before the settings are loaded into them.
  EXPECT_EQ(speed.ItemCount(), 2);
  EXPECT_EQ(speed.ItemText(0), L"普通加速");
  EXPECT_EQ(speed.ItemText(1), L"極限加速");
  ASSERT_EQ(cleanCount.ItemCount(), 4);
  EXPECT_EQ(cleanCount.ItemText(3), L"300");
  // The boost state was cleared and the first tick ran at once: the first switch counts 1.
  EXPECT_EQ(boost.State().switchCount, 1);
  EXPECT_EQ(api.ClassOf(5), priority::kHigh);
  EXPECT_FALSE(home.Hot());
  EXPECT_FALSE(help.Hot());
}

TEST_F(FormMainTest, LoadAppliesAlwaysOnTopAndStartMinimised) {
  settings.alwaysTop = true;
  autoMin.SetChecked(true);
  form.Load();
  EXPECT_THAT(log, ElementsAre("tab-images", "tab-active", "settings", "topmost", "hook+", "allow 2025", "tray+",
                               "minimize", "register", "allow 49443"));
}

TEST_F(FormMainTest, UnloadAsksAndNoKeepsEverything) {
  form.Load();
  log.clear();
  boxes.answer = 7;  // IDNO
  EXPECT_FALSE(form.QueryUnload());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"終了しますか？");
  EXPECT_EQ(boxes.shown[0].title, L"確認してください。");
  EXPECT_EQ(boxes.shown[0].flags, 0x24u);
  EXPECT_TRUE(log.empty());

  boxes.answer = mb::kIdYes;
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_THAT(log, ElementsAre("tray-", "hook-"));
}

TEST_F(FormMainTest, LoggingOffEndsWithoutAsking) {
  form.Load();
  hook.Handle({msg::kQueryEndSession, 0, 0}, [](const WindowMessage&) { return std::intptr_t{1}; });
  log.clear();
  EXPECT_TRUE(form.QueryUnload());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_THAT(log, ElementsAre("tray-", "hook-"));
}

TEST_F(FormMainTest, ButtonsMenuAndLinks) {
  form.OnCommandMiniClick();
  form.OnCommandExitClick();
  form.OnBackgroundMouseDown();
  EXPECT_THAT(log, ElementsAre("minimize", "close", "drag"));

  log.clear();
  form.OnMenuMainScreen();  // visible: nothing
  window.visible = false;
  form.OnMenuMainScreen();
  EXPECT_THAT(log, ElementsAre("show", "restore"));

  log.clear();
  window.visible = false;
  form.OnMenuExit();
  EXPECT_THAT(log, ElementsAre("show", "close"));

  form.OnMenuUpdate();
  EXPECT_EQ(window.lastUrl, kHomePage);

  home.SetHot(false);
  help.SetHot(false);
  form.OnLinkMouseMove(home);
  EXPECT_TRUE(home.Hot());
  EXPECT_FALSE(help.Hot());
  form.OnBackgroundMouseMove();
  form.OnBackgroundMouseMove();
  EXPECT_FALSE(home.Hot());
}

TEST(SingleInstanceGuard, SecondCopyShowsTheNoticeAndStops) {
  FakeMessageBoxes boxes;
  EXPECT_TRUE(PassSingleInstanceGuard(false, boxes));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(PassSingleInstanceGuard(true, boxes));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, L"Kestruneは実行中です。");
  EXPECT_EQ(boxes.shown[0].title, L"Kestrune");
  EXPECT_EQ(boxes.shown[0].flags, 0x30u);
}

}  // namespace
}  // namespace kestrune
