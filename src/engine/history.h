#pragma once
// The acceleration history: one row per foreground switch while recording is on, cleared by the
// user or when it grows past the chosen maximum, and saved on request as a text file.
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/texts.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

namespace history_text {
// In the language shown; the toolbar's buttons are told apart by these captions.
inline std::wstring_view ClearButton() { return UiText(TextId::ToolbarClear); }
inline std::wstring_view SaveButton() { return UiText(TextId::ToolbarSave); }
inline std::wstring_view FileHeading() { return UiText(TextId::HistoryFileHeading); }
inline std::wstring_view NoRecords() { return UiText(TextId::HistoryNoRecords); }
inline std::wstring_view Saved() { return UiText(TextId::HistorySaved); }
inline std::wstring_view SavedTitle() { return UiText(TextId::HistorySavedTitle); }
inline std::wstring_view NoTemporaryName() { return UiText(TextId::HistoryNoTemporaryName); }
inline std::wstring_view ContentKeptIn() { return UiText(TextId::HistoryContentKeptIn); }
inline std::wstring_view Filter() { return UiText(TextId::HistoryFilter); }
}  // namespace history_text

// Where the rows live: the history keeps none of its own, the window's list view holds them.
class HistoryRows {
 public:
  virtual ~HistoryRows() = default;
  virtual int RowCount() const = 0;
  virtual void Clear() = 0;
  // Appends a row with the item text and icon 1; the other columns are filled by SetCell.
  virtual void AddRow(std::wstring_view itemText) = 0;
  virtual void SetCell(int row, int column, std::wstring_view text) = 0;  // column 1..3
  virtual std::wstring Cell(int row, int column) const = 0;               // column 0..3
};

// The leading decimal number of a text (the maximum as ComboRecordCount shows it); an empty
// or non-numeric text is 0.
long long LeadingInteger(std::wstring_view text);

// The level column of a row: anything but the normal level reads as the extreme one.
std::wstring_view LevelColumnText(SpeedLevel level);

// The file's text: the heading, the home page, then "number  time title " per row, every line
// ended by CR LF. The level column is not written.
std::wstring BuildHistoryText(const HistoryRows& rows, std::wstring_view homePage);

// The file's bytes: in the code page, as other programs of the system expect a text file, when it
// holds every character of the text; otherwise (a title or a name outside it, or the Japanese texts
// on a system of another language) UTF-8 with a byte-order mark, which keeps them all.
std::string HistoryFileBytes(std::wstring_view text, const CodePage& codePage);

class History {
 public:
  struct Services {
    HistoryRows& rows;         // ListViewHistory
    Clock& clock;
    MessageBoxes& messages;
    FileDialog& dialog;        // CommonDialogSaveLog
    FileSystem& files;
    const CodePage& codePage;
  };

  History(Services services, std::wstring homePage) : s_(services), homePage_(std::move(homePage)) {}

  // One switch while recording is on. The list may hold one row more than the maximum; the
  // append after that clears it first.
  void Append(std::wstring_view title, SpeedLevel level, long long maximum) {
    Append(title, LevelColumnText(level), maximum);
  }
  // A row of another kind (a background restraint), with its own text in the level column.
  void Append(std::wstring_view title, std::wstring_view levelText, long long maximum);
  void Clear();
  // ToolbarSpeedMain: the buttons are told apart by caption; any other caption does nothing.
  void OnToolbarButtonClick(std::wstring_view caption);
  // Every failure, cancelling the dialog included, is shown with its description and writes nothing.
  void Save();

 private:
  // Writes beside the target and then puts that file in its place, so a failing write never leaves
  // the target half-written or truncated.
  FileResult WriteWhole(const std::wstring& target, const std::string& bytes);
  void ShowFailure(std::wstring_view description);

  Services s_;
  std::wstring homePage_;
};

}  // namespace kestrune
