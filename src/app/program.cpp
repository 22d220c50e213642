#include "app/program.h"

#include <string>

namespace kestrune {

Program::Program(ProgramServices services, ProgramWindow window)
    : s_(services),
      w_(window),
      settings_(s_.settingsFile, s_.codePage),
      history_(History::Services{w_.history, s_.clock, s_.boxes, s_.dialog, s_.files, s_.codePage},
               std::wstring(kHomePage)),
      changes_(s_.processes, s_.journal, s_.earlierJournals),
      acceleration_(s_.processes, s_.codePage, changes_),
      restraint_(BackgroundRestraint::Services{s_.snapshot, s_.processes, changes_, s_.clock}),
      restraintStatus_(restraint_, w_.restrained, w_.keptLow, history_),
      quick_(w_.watch),
      page_(settings_, w_.settings, *this, s_.boxes, s_.location),
      rules_({settings_, w_.rules, w_.ruleFront, w_.ruleBehind, w_.ruleName, acceleration_, s_.boxes}),
      form_({w_.window, w_.tray, w_.tabs, w_.info, w_.count, w_.homePage, w_.needHelp, s_.boxes, settings_, page_,
             acceleration_, history_, restraintStatus_, quick_}) {}

void Program::Run(Command command) {
  switch (command) {
    case Command::HideToTray: return form_.HideToTray();
    case Command::AskToExit: return form_.AskToExit();
    case Command::OpenHomePage: return form_.OpenHomePage();
    case Command::ShowWindow: return form_.ShowWindow();
    case Command::ExitFromTray: return form_.ExitFromTray();
    case Command::ClearHistory: return history_.Clear();
    case Command::SaveHistory: return history_.Save();
    case Command::AddTypedName: return rules_.AddTypedName();
    case Command::AddLastFront: return rules_.AddLastFront();
    case Command::RemoveRule: return rules_.RemoveSelected();
    case Command::RuleSelected: return rules_.OnRowSelected();
    case Command::ChooseRuleFront: return rules_.ChooseFront();
    case Command::ChooseRuleBehind: return rules_.ChooseBehind();
    case Command::None: return;
  }
}

void Program::OnForegroundEvent(ProcessId windowOwner) {
  quick_.OnHookEvent(windowOwner, s_.processes.CurrentProcess());
  form_.LookAtForeground();
}

}  // namespace kestrune
