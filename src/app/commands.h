#pragma once
// What a button, a link, a tray menu item or a toolbar button asks for, by name. The window's
// control table gives each control's command; the items without rows (the tray menu's, the history
// toolbar's) are told apart by their command ids, never by their captions.
namespace kestrune {

enum class Command : unsigned char {
  None,
  HideToTray,       // "隠す"
  AskToExit,        // "終了": asks first
  OpenHomePage,     // the about page's links and the tray menu's "ご質問がありますか？"
  ShowWindow,       // the tray menu's "について"
  ExitFromTray,     // the tray menu's "終了": the window comes back for the question
  ClearHistory,     // the history toolbar's "記録クリア"
  SaveHistory,      // the history toolbar's "記録保存"
  AddTypedName,      // "追加": the typed program to the rule list, left alone in front
  AddLastFront,      // "前面だったプログラムを追加": the program last in front, left alone in front
  RemoveRule,        // "削除": the selected row of the rule list
  RuleSelected,      // the user selected a row of the rule list, or none: its two choices into the boxes
  ChooseRuleFront,   // the selected row's choice in front
  ChooseRuleBehind,  // the selected row's choice behind
};

}  // namespace kestrune
