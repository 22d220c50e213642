#include "app/form_main.h"

#include <string>

#include "vocabulary/program.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

void FormMain::Load() {
  c_.tabs.CopyTabImages();
  for (int i = 0; i < kPageCount; ++i) c_.tabs.SetTabCaption(i, UiText(kPageCaptions[i]));
  c_.tabs.SetActiveTab(kFirstPage);
  c_.tabs.SetActiveTabHeight(kActiveTabHeight);

  p_.boost.Reset();

  p_.settingsPage.Load();
  if (advanced_ != nullptr) advanced_->Load();

  // Before the first tick, which may raise one of those processes again and must find its own class.
  p_.boost.GiveBackLeftovers(advanced_ != nullptr && advanced_->RestoreOriginal());
  BoostAndRestrain();

  // Read from the file again rather than from the check box.
  p_.window.SetTopmost(p_.settings.Flag(Setting::AlwaysTop));

  c_.labelHomePage.SetHot(false);
  c_.labelNeedHelp.SetHot(false);

  p_.installer.Install();
  p_.installer.AllowFromShell(msg::kTrayCallback);
  p_.tray.Add();
  p_.hook.ClearShutdownFlag();

  // Through the hook: the window goes to the tray before it is ever shown.
  if (Page().checkAutoMin.Checked()) p_.window.SendMinimizeCommand();

  const std::uint32_t taskbarCreated = p_.installer.RegisterTaskbarCreated();
  if (taskbarCreated != 0) p_.installer.AllowFromShell(taskbarCreated);
  p_.hook.SetTaskbarCreatedMessage(taskbarCreated);
}

bool FormMain::QueryUnload() {
  if (!p_.hook.ShutdownFlag() &&
      p_.boxes.Show(UiText(TextId::ConfirmExit), UiText(TextId::ConfirmTitle), mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) {
    return false;
  }
  if (advanced_ != nullptr) advanced_->OnShutDown();
  EndRestraint();
  p_.tray.Delete();
  p_.installer.Remove();
  return true;
}

void FormMain::BoostAndRestrain() {
  const TickOutcome outcome = Switch();
  Behind();
  TellRealtimeRefused(outcome);
}

void FormMain::Behind() {
  if (restraint_ == nullptr) return;
  const BehindInput input{Page().checkAcceleration.Checked(), advanced_ != nullptr && advanced_->RestrainBackground(),
                          p_.boost.State().currentProcess, advanced_ != nullptr ? &advanced_->Rules() : nullptr};
  // The recording's controls are read only when a reading or a give-back is due, not every second.
  if (restraint_->Due(input)) restraint_->Tick(input, Recording());
}

RestraintRecording FormMain::Recording() const {
  return {Page().checkRecording.Checked(), LeadingInteger(Page().comboRecordCount.Text())};
}

void FormMain::EndRestraint() {
  if (restraint_ != nullptr) restraint_->End(Recording());
}

void FormMain::OnCheckRestrainBackgroundClick() {
  if (advanced_ == nullptr) return;
  advanced_->OnFlagClick(Setting::RestrainBackground);
  // Switched on, the next tick starts measuring; switched off, what the restraint held goes back at
  // once (what the rules keep low stays).
  if (!advanced_->RestrainBackground()) Behind();
}

TickOutcome FormMain::Switch() {
  TickInput input{Page().checkAcceleration.Checked(), SpeedLevelOf(Page().comboSpeed.Text()),
                  Page().checkRecording.Checked()};
  if (advanced_ != nullptr && input.acceleration) {
    input.restoreOriginal = advanced_->RestoreOriginal();
    input.rules = &advanced_->Rules();
  }
  const TickOutcome outcome = p_.boost.Tick(input);
  if (!outcome.switched) return outcome;
  // A restrained program that comes to the front is let go at once, not at the next reading.
  if (restraint_ != nullptr && restraint_->Holding()) restraint_->OnFront(p_.boost.State().currentProcess, Recording());
  c_.labelInfo.SetCaption(outcome.title);
  c_.labelInfo.SetTooltip(outcome.title);
  if (outcome.record)
    p_.history.Append(outcome.title, outcome.level, LeadingInteger(Page().comboRecordCount.Text()));
  c_.labelCount.SetCaption(std::to_wstring(outcome.switchCount));
  return outcome;
}

void FormMain::TellRealtimeRefused(const TickOutcome& outcome) {
  // Last: the box's own message loop runs further ticks, which must find this one applied and told.
  if (outcome.realtimeRefused && !toldRealtimeRefused_) {
    toldRealtimeRefused_ = true;
    p_.boxes.Show(UiText(TextId::RealtimeNeedsAdministrator), kProgramTitle, mb::kOk | mb::kIconExclamation);
  }
}

void FormMain::OnQuickLook() {
  // The background readings keep to the one-second tick; a quick switch only lets its front program go.
  if (Page().checkAcceleration.Checked() && p_.boost.ForegroundMoved()) TellRealtimeRefused(Switch());
}

void FormMain::OnCheckAccelerationClick() {
  p_.settingsPage.OnCheckAccelerationClick();
  if (advanced_ != nullptr && !Page().checkAcceleration.Checked()) advanced_->OnAccelerationOff();
  if (!Page().checkAcceleration.Checked()) EndRestraint();
}

void FormMain::OnMenuMainScreen() {
  if (p_.window.IsVisible()) return;
  p_.window.Show();
  p_.window.SendRestore();
}

void FormMain::OnMenuExit() {
  p_.window.Show();
  p_.window.RequestClose();
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
  boxes.Show(UiText(TextId::AlreadyRunning), kProgramTitle, mb::kOk | mb::kIconExclamation);
  return false;
}

}  // namespace kestrune
