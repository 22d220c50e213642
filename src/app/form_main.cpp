#include "app/form_main.h"

#include <iterator>
#include <string>

#include "app/form_main_tabstrip_props.h"
#include "platform/texts.h"

namespace kestrune {

void FormMain::Start() {
  p_.tabs.CopyTabImages();
  for (std::size_t i = 0; i < std::size(kFormMainTabCaptions); ++i)
    p_.tabs.SetTabCaption(static_cast<int>(i), UiText(kFormMainTabCaptions[i]));
  p_.tabs.SetActiveTab(kFirstPage);
  p_.tabs.SetActiveTabHeight(kFormMainActiveTabHeight);

  p_.acceleration.Reset();
  // The file read into the model, what a start writes back written, and the window told once.
  p_.settingsPage.Load();

  // Before the first tick, which may raise one of those processes again and must find its own class.
  p_.acceleration.GiveBackLeftovers(p_.settings.Flag(Setting::RestoreOriginal));
  Tick();

  p_.homePage.SetHot(false);
  p_.needHelp.SetHot(false);

  p_.window.AcceptTrayNotifications();
  p_.tray.Add();
  // The window goes to the tray before it is ever shown.
  if (p_.settings.Flag(Setting::AutoMin)) HideToTray();
  p_.window.AcceptTaskbarCreated();
}

bool FormMain::End() {
  if (!sessionEnding_ &&
      p_.boxes.Show(UiText(TextId::ConfirmExit), UiText(TextId::ConfirmTitle), mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) {
    return false;
  }
  p_.quick.Set(false);
  if (p_.settings.Flag(Setting::RestoreOnStop)) p_.acceleration.GiveBackRaised(p_.settings.Flag(Setting::RestoreOriginal));
  EndRestraint();
  p_.tray.Delete();
  return true;
}

void FormMain::Tick() {
  const TickOutcome outcome = Switch();
  Behind();
  TellRealtimeRefused(outcome);
}

void FormMain::Behind() {
  const SettingsModel& s = p_.settings;
  const BehindInput input{s.Flag(Setting::Acceleration), s.Flag(Setting::RestrainBackground),
                          p_.acceleration.State().currentProcess, &s.Rules()};
  if (p_.restraint.Due(input)) p_.restraint.Tick(input, Recording());
}

RestraintRecording FormMain::Recording() const {
  return {p_.settings.Flag(Setting::Recording), p_.settings.RecordCount()};
}

void FormMain::EndRestraint() { p_.restraint.End(Recording()); }

TickOutcome FormMain::Switch() {
  const SettingsModel& s = p_.settings;
  TickInput input{s.Flag(Setting::Acceleration), s.Speed(), s.Flag(Setting::Recording)};
  if (input.acceleration) {
    input.restoreOriginal = s.Flag(Setting::RestoreOriginal);
    input.rules = &s.Rules();
  }
  const TickOutcome outcome = p_.acceleration.Tick(input);
  if (!outcome.switched) return outcome;
  // A restrained program that comes to the front is let go at once, not at the next reading.
  if (p_.restraint.Holding()) p_.restraint.OnFront(p_.acceleration.State().currentProcess, Recording());
  p_.info.SetCaption(outcome.title);
  p_.info.SetTooltip(outcome.title);
  if (outcome.record) p_.history.Append(outcome.title, outcome.level, s.RecordCount());
  p_.count.SetCaption(std::to_wstring(outcome.switchCount));
  return outcome;
}

void FormMain::TellRealtimeRefused(const TickOutcome& outcome) {
  // Last: the box's own message loop runs further ticks, which must find this one applied and told.
  if (outcome.realtimeRefused && !toldRealtimeRefused_) {
    toldRealtimeRefused_ = true;
    p_.boxes.Show(UiText(TextId::RealtimeNeedsAdministrator), kProgramTitle, mb::kOk | mb::kIconExclamation);
  }
}

void FormMain::LookAtForeground() {
  // The background readings keep to the one-second tick; a quick switch only lets its front program go.
  if (p_.settings.Flag(Setting::Acceleration) && p_.acceleration.ForegroundMoved()) TellRealtimeRefused(Switch());
}

void FormMain::AccelerationSwitched() {
  if (p_.settings.Flag(Setting::Acceleration)) return;
  if (p_.settings.Flag(Setting::RestoreOnStop)) p_.acceleration.GiveBackRaised(p_.settings.Flag(Setting::RestoreOriginal));
  EndRestraint();
}

void FormMain::RestraintSwitched() {
  // Switched on, the next tick starts measuring; switched off, what the restraint held goes back at
  // once (what the rules keep low stays).
  if (!p_.settings.Flag(Setting::RestrainBackground)) Behind();
}

void FormMain::ShowWindow() {
  if (p_.window.IsVisible()) return;
  p_.window.Show();
  p_.window.Restore();
}

void FormMain::ExitFromTray() {
  p_.window.Show();
  p_.window.RequestClose();
}

void FormMain::OnTrayClicked(TrayClick click) {
  if (click == TrayClick::DoubleClick) return ShowWindow();
  if (p_.window.IsVisible()) return;
  // The window must own the foreground or the pop-up menu would not close when clicked away.
  p_.window.BringToForeground();
  p_.window.ShowTrayMenu();
}

void FormMain::HighlightLink(LinkLabel& link) {
  if (!link.Hot()) link.SetHot(true);
}

void FormMain::UnhighlightLinks() {
  // Only restyle when needed: mouse moves arrive many times a second.
  if (p_.homePage.Hot()) p_.homePage.SetHot(false);
  if (p_.needHelp.Hot()) p_.needHelp.SetHot(false);
}

bool PassSingleInstanceGuard(bool anotherInstanceRunning, MessageBoxes& boxes) {
  if (!anotherInstanceRunning) return true;
  boxes.Show(UiText(TextId::AlreadyRunning), kProgramTitle, mb::kOk | mb::kIconExclamation);
  return false;
}

}  // namespace kestrune
