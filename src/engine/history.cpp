#include "engine/history.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/unicode_text.h"

#include "vocabulary/program.h"

namespace kestrune {

namespace {

constexpr int kMaxTemporaryAttempts = 16;

// A cell as part of one line of the file. The list shows no text past a NUL, and a CR or LF in a
// window title would split its row over two lines (and leave a line break that is not CR LF), so
// each of them is written as a blank.
void AppendCell(std::wstring& text, std::wstring_view cell) {
  cell = cell.substr(0, cell.find(L'\0'));
  // Whole runs between line breaks at a time: a save of the largest history copies some 100,000
  // characters, which one at a time cost more than building and writing the rest of the file.
  for (std::size_t at = 0; at < cell.size();) {
    const std::size_t lineBreak = std::min(cell.find_first_of(L"\r\n", at), cell.size());
    text.append(cell, at, lineBreak - at);
    if (lineBreak == cell.size()) break;
    text += L' ';
    at = lineBreak + 1;
  }
}

}  // namespace

std::wstring_view LevelColumnText(SpeedLevel level) {
  return level == SpeedLevel::Normal ? SpeedNormalText() : SpeedExtremeText();
}

std::wstring BuildHistoryText(const std::vector<HistoryRow>& rows, std::wstring_view homePage) {
  std::wstring text;
  text += history_text::FileHeading();
  text += L"\r\n";
  text += homePage;
  text += L"\r\n";
  for (const HistoryRow& row : rows) {
    // The number already ends in a blank, hence two blanks after it.
    AppendCell(text, row.number);
    text += L' ';
    AppendCell(text, row.time);
    text += L' ';
    AppendCell(text, row.title);
    text += L" \r\n";
  }
  return text;
}

std::string HistoryFileBytes(std::wstring_view text, const CodePage& codePage) {
  if (std::optional<std::string> ansi = ExactAnsi(text, codePage)) return std::move(*ansi);
  return std::string(kUtf8Mark) + Utf8Bytes(text);
}

void History::Append(std::wstring_view title, std::wstring_view levelText, long long maximum) {
  if (static_cast<long long>(rows_.size()) > maximum) Clear();
  rows_.push_back({std::to_wstring(rows_.size() + 1) + L" ", s_.clock.TimeOfDayText(), std::wstring(title),
                   std::wstring(levelText)});
  s_.view.AddRow(rows_.back());
}

void History::Clear() {
  rows_.clear();
  s_.view.Clear();
}

void History::Save() {
  if (rows_.empty()) {
    s_.messages.Show(history_text::NoRecords(), kProgramTitle, mb::kIconExclamation);
    return;
  }
  // Built before the dialog: ticks that append rows while it is open do not reach this file.
  const std::string bytes = HistoryFileBytes(BuildHistoryText(rows_, homePage_), s_.codePage);

  FileDialogOptions options;
  options.filter = history_text::Filter();
  const FileDialogResult chosen = s_.dialog.Show(options);
  if (!chosen.ok) return ShowFailure(chosen.error);
  if (chosen.fileName.empty()) return;

  const FileResult written = WriteWhole(chosen.fileName, bytes);
  if (!written.Ok()) return ShowFailure(written.error);
  s_.messages.Show(history_text::Saved(), history_text::SavedTitle(), mb::kIconExclamation);
}

FileResult History::WriteWhole(const std::wstring& target, const std::string& bytes) {
  using Status = FileResult::Status;
  for (int attempt = 0; attempt < kMaxTemporaryAttempts; ++attempt) {
    const std::wstring temporary = target + L".~" + std::to_wstring(attempt) + L".tmp";
    FileResult result = s_.files.WriteFile(temporary, bytes);
    if (result.status == Status::AlreadyExists) continue;  // someone else's file: never touch it
    // Only a file this save made is this save's to take away.
    if (result.status == Status::NotCreated) return result;
    if (result.Ok()) result = s_.files.Replace(temporary, target);
    if (result.status == Status::TargetLost) {
      // The new content now exists only in the temporary file: keep it and say where it is.
      result.error += L"\n";
      result.error += history_text::ContentKeptIn();
      result.error += temporary;
      return result;
    }
    if (!result.Ok()) s_.files.Remove(temporary);
    return result;
  }
  return FileResult::Failure(std::wstring(history_text::NoTemporaryName()));
}

void History::ShowFailure(std::wstring_view description) {
  s_.messages.Show(description, kProgramTitle, mb::kIconExclamation);
}

}  // namespace kestrune
