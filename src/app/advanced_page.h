#pragma once
// The advanced page (" 詳細設定 "): how acceleration gives back, which programs it leaves alone
// and how quickly it reacts. Each control stores its setting the moment it changes, like the
// settings page; the page also holds the exclusion list the tick consults and the quick reaction.
#include "app/ui.h"
#include "engine/boost_cycle.h"
#include "app/rule_editor.h"
#include "platform/message_boxes.h"
#include "settings/settings.h"

namespace kestrune {

// An addition the stored list has no room for: TextId::ExcludeListFull.

// The page's check boxes, each the mirror of one flag setting of the [Advanced] section.
class FlagBoxes {
 public:
  virtual ~FlagBoxes() = default;
  virtual CheckBox& Of(Setting flag) = 0;
};

struct AdvancedControls {
  FlagBoxes& flags;
  RuleTable& rules;
  ComboBox& comboFront;
  ComboBox& comboBehind;
  TextBox& textExcludeName;
};

// The platform side of the quick reaction: the system's notifications of a change of the
// foreground or the focus, and a short timer that looks at the foreground handle where they never
// come. Each Start answers whether it acquired its resource; each Stop releases what its Start
// acquired.
class ForegroundWatch {
 public:
  virtual ~ForegroundWatch() = default;
  virtual bool StartHook() = 0;
  virtual void StopHook() = 0;
  virtual bool StartTimer() = 0;
  virtual void StopTimer() = 0;
  // Whether this system is known to deliver the foreground notification for every switch (Windows
  // does; Wine 8 installs the hook and never calls it).
  virtual bool SystemDeliversForeground() const { return false; }
};

// Holds the watch on while InstantReaction is on, and releases exactly what it acquired: when
// switched off, and at the latest when it goes. The timer is for systems that never deliver the
// notification: where the system is known to deliver it, the timer never starts, and once the hook
// has delivered one, it has shown that it works here, and the timer, which costs a wake-up of the
// idle program every 50 ms, is stopped.
class QuickReaction {
 public:
  explicit QuickReaction(ForegroundWatch& watch) : watch_(watch) {}
  ~QuickReaction() { Set(false); }
  QuickReaction(const QuickReaction&) = delete;
  QuickReaction& operator=(const QuickReaction&) = delete;

  void Set(bool on);
  // The hook delivered a notification about a window of windowOwner's; self is this program.
  void OnHookEvent(ProcessId windowOwner, ProcessId self);
  // Only a window of another program proves that the hook reports switches between other programs:
  // a system may deliver only the notifications of the program's own focus changes.
  static bool ProvesDelivery(ProcessId windowOwner, ProcessId self) { return windowOwner != 0 && windowOwner != self; }

 private:
  ForegroundWatch& watch_;
  bool hook_ = false;
  bool timer_ = false;
  bool hookDelivers_ = false;
};

struct AdvancedParts {
  Settings& settings;
  BoostCycle& boost;
  ProcessApi& processes;
  ForegroundWatch& watch;
  MessageBoxes& boxes;
};

class AdvancedPage {
 public:
  AdvancedPage(AdvancedControls controls, AdvancedParts parts)
      : c_(controls),
        p_(parts),
        rules_({controls.rules, controls.comboFront, controls.comboBehind, controls.textExcludeName},
               {parts.settings, parts.boost, parts.boxes}),
        quick_(parts.watch) {}

  // Start-up: the flags and the list into their controls, each written back in its normal form (a
  // file without them gains them with their defaults), and the quick reaction started when it is on.
  // A list longer than its read buffer shows without its last, possibly cut, entry and is not
  // written back.
  void Load();

  // A flag's check box clicked: stored, and InstantReaction starts or stops the quick reaction. The
  // form starts and ends the restraint itself (FormMain::OnCheckRestrainBackgroundClick).
  void OnFlagClick(Setting flag);
  // The system's notification came: the look itself is the form's (FormMain::OnQuickLook).
  void OnForegroundEvent(ProcessId windowOwner) { quick_.OnHookEvent(windowOwner, p_.processes.CurrentProcess()); }
  // The rule list (RuleEditor): "追加" the typed name, "前面だったプログラムを追加" the program last
  // in front other than this one, each left alone in front; "削除" the selected row; the two boxes
  // the selected row's choices. Stored at once; a change that would make the Exclude key too long to
  // read back whole is refused with a message.
  void OnAddClick() { rules_.OnAddClick(); }
  void OnAddLastFrontClick() { rules_.OnAddLastFrontClick(); }
  void OnRemoveClick() { rules_.OnRemoveClick(); }
  void OnRuleSelected() { rules_.OnSelect(); }
  void OnComboFrontClick() { rules_.OnFrontChoice(); }
  void OnComboBehindClick() { rules_.OnBehindChoice(); }

  // Acceleration was switched off, or the program is ending: with RestoreOnStop the process raised
  // last is given back. Ending also stops the quick reaction.
  void OnAccelerationOff();
  void OnShutDown();

  // What the tick needs from this page.
  bool RestoreOriginal() const { return c_.flags.Of(Setting::RestoreOriginal).Checked(); }
  bool RestrainBackground() const { return c_.flags.Of(Setting::RestrainBackground).Checked(); }
  // The rules per program, from the Exclude key and the [Rules] section, as the list edits them.
  const ProgramRules& Rules() const { return rules_.Rules(); }

 private:
  AdvancedControls c_;
  AdvancedParts p_;
  RuleEditor rules_;
  QuickReaction quick_;
};

}  // namespace kestrune
