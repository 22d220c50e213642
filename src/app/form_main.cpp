#include "app/form_main.h"

namespace kestrune {

void FormMain::Load() {
  c_.tabs.CopyTabImages();
  for (int i = 0; i < 4; ++i) c_.tabs.SetTabCaption(i, kPageCaptions[i]);
  c_.tabs.SetActiveTab(kFirstPage);
  c_.tabs.SetActiveTabHeight(kActiveTabHeight);

  boost_.Reset();

  for (auto item : {kSpeedNormal, kSpeedExtreme}) c_.comboSpeed.AddItem(item);
  for (auto item : {L"50", L"100", L"200", L"300"}) c_.comboAutoCleanCount.AddItem(item);

  settings_.LoadIntoControls();

  boost_.Tick();

  window_.SetTopmost(settings_.StoredAlwaysTop());

  c_.labelHomePage.SetHot(false);
  c_.labelNeedHelp.SetHot(false);

  installer_.Install();
  installer_.AllowFromShell(msg::kTrayCallback);
  tray_.Add();
  hook_.ClearShutdownFlag();

  // Through the hook: the window goes to the tray before it is ever shown.
  if (c_.checkAutoMin.Checked()) window_.SendMinimizeCommand();

  const std::uint32_t taskbarCreated = installer_.RegisterTaskbarCreated();
  if (taskbarCreated != 0) installer_.AllowFromShell(taskbarCreated);
  hook_.SetTaskbarCreatedMessage(taskbarCreated);
}

bool FormMain::QueryUnload() {
  if (!hook_.ShutdownFlag() &&
      boxes_.Show(kConfirmExit, kConfirmTitle, mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) {
    return false;
  }
  tray_.Delete();
  installer_.Remove();
  return true;
}

void FormMain::OnMenuMainScreen() {
  if (window_.IsVisible()) return;
  window_.Show();
  window_.SendRestore();
}

void FormMain::OnMenuExit() {
  window_.Show();
  window_.RequestClose();
}

void FormMain::OnLinkMouseMove(LinkLabel& link) {
  if (!link.Hot()) link.SetHot(true);
}

void FormMain::OnBackgroundMouseMove() {
  // Only restyle when needed: mouse moves arrive many times a second.
  if (c_.labelHomePage.Hot()) c_.labelHomePage.SetHot(false);
  if (c_.labelNeedHelp.Hot()) c_.labelNeedHelp.SetHot(false);
}

bool PassSingleInstanceGuard(bool anotherInstanceRunning, MessageBoxes& boxes) {
  if (!anotherInstanceRunning) return true;
  boxes.Show(kAlreadyRunning, kProgramTitle, mb::kOk | mb::kIconExclamation);
  return false;
}

}  // namespace kestrune
