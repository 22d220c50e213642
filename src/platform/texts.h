#pragma once
// Every text the user reads, in one table per language (texts_ja.cpp, texts_en.cpp). The program
// shows one language for its whole run, chosen at start-up before anything is shown; code that
// needs a text names it by its id and gets it in that language. Keys, class names and the other
// texts the logic compares stay in the code.
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kestrune {

enum class Language : unsigned char { Japanese, English };

// The ids, in the order both tables list them. A text with %1 to %9 is a pattern for FillIn.
enum class TextId : unsigned short {
  // The window: pages, buttons, tray.
  TabState, TabSettings, TabHistory, TabAbout, TabAdvanced,
  ButtonHide, ButtonExit,
  MenuAbout, MenuQuestions, MenuExit, TrayTip,
  AlreadyRunning, ConfirmExit, ConfirmTitle, RealtimeNeedsAdministrator, ControlNotMade,
  SystemFunctionMissing,
  // The two speed levels: the combo box's items and the history's level column.
  SpeedNormal, SpeedExtreme,
  // Page 0: state.
  StateHeading, AcceleratedCaption, AcceleratedNone, AcceleratedCountCaption, LiveHeading,
  LegendCpu, LegendMemory, LegendPageFile, LegendVirtualMemory, LegendDiskSpace,
  RestrainedCaption, RestrainedNone, RestrainedSince, RestrainedSeparator, KeptLowCaption,
  // Page 1: settings.
  GeneralHeading, AccelerationHeading, RecordHeading,
  AutostartRefused, MachineAutostartLeft, SettingsMoved,
  // Page 2: history.
  ToolbarClear, ToolbarSave, ColumnNumber, ColumnTime, ColumnRecord, ColumnLevel,
  HistoryFileHeading, HistoryNoRecords, HistorySaved, HistorySavedTitle, HistoryNoTemporaryName,
  HistoryContentKeptIn, HistoryFilter, DialogCancelled, DialogFailed, DialogNameTooLong, ErrorNumber,
  RestraintStarted, RestraintEnded, RestraintLevel, RuleStarted, RuleEnded, RuleLevel,
  // Page 3: about.
  AboutPerformance, AboutSoftware, AboutCopyright, AboutQuestions,
  // Page 4: advanced.
  GiveBackHeading, RemoveRule, AddLastFront, RuleNameCaption, AddRule, ExcludeListFull,
  // The rule list's columns, its two boxes and their items (in the order of FrontChoice, BehindChoice).
  ColumnProgram, ColumnFront, ColumnBehind, RuleFrontCaption, RuleBehindCaption,
  RuleFrontAuto, RuleFrontHigh, RuleFrontRealtime, RuleFrontOff, RuleBehindAuto, RuleBehindFree, RuleBehindLow,
  LanguageAuto, LanguageJapanese, LanguageEnglish, LanguageNote,
  // What screen readers are told beyond the captions.
  ActionSwitch, ActionPress, MonitorMeasuring, MonitorUnknown, MonitorFigures,
  Count
};

inline constexpr std::size_t kTextCount = static_cast<std::size_t>(TextId::Count);

struct TextEntry {
  TextId id;
  std::wstring_view text;  // a literal: its data() ends in a NUL
};

// A language's whole table, in the order of the ids.
std::span<const TextEntry> TextTable(Language language);

// The language shown in this run; Japanese until start-up chooses.
Language ShownLanguage();
void ShowLanguage(Language language);

// The text in the language shown.
std::wstring_view UiText(TextId id);
// For a platform call that takes a C string: every text of the tables is a literal.
inline const wchar_t* UiTextZ(TextId id) { return UiText(id).data(); }

// The captions of the settings' controls (the text of a check box, the label before a list), each
// under its setting's name in settings_table.h, so that a new setting's caption is one line in each
// language's table. The settings table's unit test holds every setting to a caption in both.
struct SettingCaptionEntry {
  std::string_view setting;
  std::wstring_view text;  // a literal: its data() ends in a NUL
};
std::span<const SettingCaptionEntry> SettingCaptions(Language language);
// The caption in the language shown; empty for a name no entry has.
std::wstring_view SettingCaption(std::string_view setting);

// The pattern with %1 .. %9 replaced by the values; a value's own % signs stay as they are.
std::wstring FillIn(std::wstring_view pattern, std::initializer_list<std::wstring_view> values);
inline std::wstring UiText(TextId id, std::initializer_list<std::wstring_view> values) {
  return FillIn(UiText(id), values);
}

}  // namespace kestrune
