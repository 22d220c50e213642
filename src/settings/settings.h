#pragma once
// The seven settings as their controls see them. Each getter reads the file and gives the state
// its control takes at start-up; each setter is given a control's new state and stores what it
// means (for AutoRun, after adding or removing the autostart value, and on only when a Run value
// names the program).
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "settings/autostart_value.h"
#include "settings/language_choice.h"
#include "settings/settings_file.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

class Settings {
 public:
  Settings(SettingsFile& file, AutostartValue& autostart, const CodePage& codePage)
      : file_(file), autostart_(autostart), codePage_(codePage) {}

  // A flag setting (AutoRun, AutoMin, Recording, Acceleration, AlwaysTop and the advanced page's):
  // on exactly when its stored number is 1; stored "1" or "0". AutoRun is stored through SetAutoRun.
  bool Flag(Setting setting);
  void SetFlag(Setting setting, bool on);

  SpeedLevel Speed();
  std::wstring RecordCount();  // always one of kRecordCountItems
  // Not written back at start-up: a file without it keeps its bytes, and means "auto".
  LanguageChoice Language() { return LanguageChoiceFromStored(file_.Read(Setting::Language)); }
  // The exclusion list's stored text; its meaning is the exclusion list's. A value that filled its
  // buffer comes without its last entry, which may be cut in the middle of a name, and is marked
  // cut: writing it back would lose what the buffer did not hold.
  struct StoredList {
    std::wstring text;
    bool cut = false;
  };
  StoredList Exclude();
  // Whether a list stored so reads back whole, in whichever form the file holds it.
  bool ExcludeFits(std::wstring_view stored) const;

  // The file writes' results are not acted on: a control keeps its new state when its value could
  // not be stored. Autostart's answer is what the Run keys did, for the box and the user to follow.
  AutostartResult SetAutoRun(bool on);
  void SetSpeed(SpeedLevel level);
  void SetRecordCount(std::wstring_view item);
  void SetLanguage(LanguageChoice choice) { file_.Write(Setting::Language, StoredLanguageChoice(choice)); }
  void SetExclude(std::wstring_view stored);

  // The [Rules] section as it stands: one entry per program, its name the key and its two words the
  // value; their meaning is the rules'. Read whole, however many.
  std::vector<ProfileEntry> RuleLines() { return file_.ReadSection(kRulesSection); }
  // One program's line written (in the code page where it holds both name and value exactly, else
  // in a file turned UTF-16 as the exclusion list is) or removed. Only the line of a program whose
  // rule changed is written, so a word a later version added to another line stays.
  void SetRuleLine(std::wstring_view name, std::wstring_view value);
  void RemoveRuleLine(std::wstring_view name) { file_.RemoveSectionKey(kRulesSection, name); }

 private:
  SettingsFile& file_;
  AutostartValue& autostart_;
  const CodePage& codePage_;
};

}  // namespace kestrune
