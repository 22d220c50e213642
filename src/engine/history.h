#pragma once
// The acceleration history: one row per foreground switch while recording is on, cleared by the
// user or when it grows past the chosen maximum, and saved on request as a text file. The history
// holds its rows; the window's list view shows them (HistoryView).
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/texts.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

namespace history_text {
// In the language shown.
inline std::wstring_view FileHeading() { return UiText(TextId::HistoryFileHeading); }
inline std::wstring_view NoRecords() { return UiText(TextId::HistoryNoRecords); }
inline std::wstring_view Saved() { return UiText(TextId::HistorySaved); }
inline std::wstring_view SavedTitle() { return UiText(TextId::HistorySavedTitle); }
inline std::wstring_view NoTemporaryName() { return UiText(TextId::HistoryNoTemporaryName); }
inline std::wstring_view ContentKeptIn() { return UiText(TextId::HistoryContentKeptIn); }
inline std::wstring_view Filter() { return UiText(TextId::HistoryFilter); }
}  // namespace history_text

// One row: "1 " (the number and a blank), the time of day, the title, the level column.
struct HistoryRow {
  std::wstring number;
  std::wstring time;
  std::wstring title;
  std::wstring level;
  bool operator==(const HistoryRow&) const = default;
};

// What shows the rows (the window's list view): the history holds them, the view follows.
class HistoryView {
 public:
  virtual ~HistoryView() = default;
  virtual void Clear() = 0;
  // Appends the row at the end, with the program's icon.
  virtual void AddRow(const HistoryRow& row) = 0;
};

// The level column of a row: anything but the normal level reads as the extreme one.
std::wstring_view LevelColumnText(SpeedLevel level);

// The file's text: the heading, the home page, then "number  time title " per row, every line
// ended by CR LF. The level column is not written.
std::wstring BuildHistoryText(const std::vector<HistoryRow>& rows, std::wstring_view homePage);

// The file's bytes: in the code page, as other programs of the system expect a text file, when it
// holds every character of the text; otherwise (a title or a name outside it, or the Japanese texts
// on a system of another language) UTF-8 with a byte-order mark, which keeps them all.
std::string HistoryFileBytes(std::wstring_view text, const CodePage& codePage);

class History {
 public:
  struct Services {
    HistoryView& view;         // ListViewHistory
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
  const std::vector<HistoryRow>& Rows() const { return rows_; }
  // Every failure, cancelling the dialog included, is shown with its description and writes nothing.
  void Save();

 private:
  // Writes beside the target and then puts that file in its place, so a failing write never leaves
  // the target half-written or truncated.
  FileResult WriteWhole(const std::wstring& target, const std::string& bytes);
  void ShowFailure(std::wstring_view description);

  Services s_;
  std::wstring homePage_;
  std::vector<HistoryRow> rows_;
};

}  // namespace kestrune
