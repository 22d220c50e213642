// Arbitrary window titles (any code-page bytes, characters outside the code page, NULs, line breaks,
// 10,000-byte titles) through the acceleration tick and straight into the history, then cleared,
// bounded and saved with the file fakes, in either language. Whatever the titles, a saved file must
// keep its shape in the code page or in UTF-8: the two heading lines, one line per row numbered from 1,
// every line ended by CR LF; and a failed save must leave nothing behind.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/acceleration_cycle.h"
#include "engine/history.h"
#include "platform/texts.h"
#include "platform/unicode_text.h"
#include "vocabulary/program.h"
#include "vocabulary/speed_level.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_history_view.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"

namespace {

using namespace kestrune;
using namespace kestrune::testing;

constexpr std::wstring_view kHomePage = L"http://www.example.jp/kestrune/";
constexpr std::wstring_view kTarget = L"C:\\logs\\history.txt";

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "history invariant broken: %s\n", what);
  std::abort();
}

void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

// The list remembers the first row changed since the rows were last checked, so that the numbering
// check after every step reads only the rows that can have changed since it last passed.
class WatchedList : public FakeHistoryView {
 public:
  void Clear() override {
    FakeHistoryView::Clear();
    firstChanged = 0;
  }
  void AddRow(const HistoryRow& row) override {
    firstChanged = std::min(firstChanged, rows.size());
    FakeHistoryView::AddRow(row);
  }
  std::size_t firstChanged = 0;
};

// Files that remember how many bytes the last write was given, which is what decides whether a write
// set to fail part-way fails.
class MeasuredFiles : public FakeFileSystem {
 public:
  FileResult WriteFile(std::wstring_view path, std::string_view bytes) override {
    lastWriteBytes = bytes.size();
    return FakeFileSystem::WriteFile(path, bytes);
  }
  std::size_t lastWriteBytes = 0;
};

struct World {
  FakeProcessApi processes;
  FakeCodePage codePage;
  // The speed level and the maximum as the settings hold them; the unknown level too.
  SpeedLevel speed = SpeedLevel::Normal;
  WatchedList list;
  int maximum = 50;
  FakeClock clock;
  FakeMessageBoxes messages;
  FakeFileDialog dialog;
  MeasuredFiles files;
  History history{History::Services{list, clock, messages, dialog, files, codePage}, std::wstring(kHomePage)};
  kestrune::testing::FakeStateFile journal;
  PriorityChanges changes{processes, journal};
  AccelerationCycle cycle{processes, codePage, changes};
  WindowHandle nextWindow = 0x1000;
};

std::string TitleBytes(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) return in.ConsumeRandomLengthString(12000);
  // A long title from a short input: one pattern repeated up to 10,000 bytes. All but one length in
  // a hundred fall below 300, around the 254 bytes of the title buffer where the cut is made; the
  // rest reach 10,000 in steps of 100. Every title stays in the history for each later save: with
  // lengths spread evenly up to 10,000, an input held some 20 KB of titles and its saves wrote some
  // 50 KB, most of the time of every execution.
  std::string title = in.ConsumeRandomLengthString(8);
  const std::size_t pick = in.ConsumeIntegralInRange<std::size_t>(0, 10000);
  const std::size_t length = pick < 9900 ? pick % 300 : (pick - 9900) * 100;
  if (title.empty()) return title;
  title.reserve(2 * length);
  while (title.size() < length) title += title;
  title.resize(length);
  return title;
}

// Code-page bytes as the system would turn them into a title, now and then with a character the code
// page lacks.
std::wstring Title(const World& w, FuzzedDataProvider& in) {
  std::wstring title = w.codePage.ToWide(TitleBytes(in));
  if (in.ConsumeIntegralInRange<int>(0, 7) == 0) title.insert(title.size() / 2, 1, L'\uAC00');
  return title;
}

// The saved bytes against the rows they came from.
void CheckSavedFile(const World& w, const std::string& bytes, int rows) {
  // The lines every saved file starts with, and the time every row shows, as the file holds them.
  const bool utf8 = bytes.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0;
  const auto form = [&](std::wstring_view text) { return utf8 ? Utf8Bytes(text) : w.codePage.ToAnsi(text); };
  const std::string heading = (utf8 ? std::string(kUtf8Mark) : std::string()) + form(history_text::FileHeading()) + "\r\n";
  const std::string home = form(kHomePage) + "\r\n";
  const std::string rowTime = "  " + form(w.clock.time) + " ";
  Check(bytes.compare(0, heading.size(), heading) == 0, "first line is not the heading");
  Check(bytes.compare(heading.size(), home.size(), home) == 0, "second line is not the home page");
  const std::string_view text(bytes);
  int lines = 0;
  std::size_t start = 0;
  // Line by line: every line break is the LF of a CR LF, and no line holds a CR of its own.
  for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
    Check(lf > start && text[lf - 1] == '\r', "an LF not preceded by CR");
    const std::string_view line = text.substr(start, lf - 1 - start);
    Check(line.find('\r') == std::string_view::npos, "a CR not followed by LF");
    if (lines >= 2) {
      const std::string prefix = std::to_string(lines - 1) + rowTime;
      Check(line.substr(0, prefix.size()) == prefix, "a row line does not start with its number and time");
      Check(line.size() > prefix.size() - 1 && line.back() == ' ', "a row line does not end in a blank");
    }
    ++lines;
    start = lf + 1;
  }
  Check(text.find('\r', start) == std::string_view::npos, "a CR not followed by LF");
  Check(start == bytes.size(), "the last line is not ended by CR LF");
  Check(lines == rows + 2, "line count differs from the rows");
  Check(text.find('\0') == std::string_view::npos, "a NUL in the saved file");
}

void Save(World& w, FuzzedDataProvider& in) {
  enum { kOk, kCancel, kWriteFails, kReplaceFails, kCount };
  // Copied over the fakes rather than made for every save, so that their strings keep their storage.
  static const MeasuredFiles freshFiles;
  static const std::string existingBytes(5000, 'x');
  static const FileDialogResult cancelled{false, L"", std::wstring(DialogCancelled())};
  static const FileDialogResult chosen{true, std::wstring(kTarget), L""};
  const int how = in.ConsumeIntegralInRange<int>(0, kCount - 1);
  const bool existing = in.ConsumeBool();
  w.files = freshFiles;
  if (existing) w.files.files[std::wstring(kTarget)] = existingBytes;
  w.dialog.answer = how == kCancel ? cancelled : chosen;
  if (how == kWriteFails) w.files.failWriteAfter = in.ConsumeIntegralInRange<int>(0, 64);
  w.files.failReplace = how == kReplaceFails;
  const std::size_t shownBefore = w.messages.shown.size();
  const int rows = w.list.RowCount();

  w.history.Save();

  Check(w.messages.shown.size() == shownBefore + 1, "a save did not end in exactly one message");
  const auto& message = w.messages.shown.back();
  if (rows == 0) {
    Check(message.text == history_text::NoRecords(), "empty history not reported");
    return;
  }
  const bool writeReallyFails =
      how == kWriteFails && static_cast<std::size_t>(w.files.failWriteAfter) < w.files.lastWriteBytes;
  const bool ok = how == kOk || (how == kWriteFails && !writeReallyFails);
  for (const auto& [name, bytes] : w.files.files)
    Check(name == kTarget, "a temporary file left behind");
  const auto target = w.files.files.find(std::wstring(kTarget));
  if (ok) {
    Check(message.text == history_text::Saved(), "a good save not reported as saved");
    Check(target != w.files.files.end(), "a good save wrote no file");
    CheckSavedFile(w, target->second, rows);
  } else {
    Check(message.text != history_text::Saved(), "a failed save reported as saved");
    Check(message.title == kProgramTitle, "a failure shown without the program's title");
    if (existing)
      Check(target != w.files.files.end() && target->second == existingBytes, "a failed save damaged the file");
    else
      Check(target == w.files.files.end(), "a failed save created the file");
  }
}

// After every append: the list holds at most one row more than the maximum, and the new row's level
// is one of the two levels whatever the speed text was.
void CheckAppended(const World& w) {
  const int rows = w.list.RowCount();
  Check(rows >= 1, "an append added no row");
  Check(rows <= w.maximum + 1, "the history outgrew its maximum");
  Check(w.history.Rows().size() == static_cast<std::size_t>(rows), "the list shows other rows than the history holds");
  const std::wstring& level = w.list.rows.back().at(3);
  Check(level == SpeedNormalText() || level == SpeedExtremeText(), "a row with another level");
  Check(level == (w.speed == SpeedLevel::Normal ? SpeedNormalText() : SpeedExtremeText()),
        "a row's level disagrees with the speed level");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  // Before the world: the level column takes its texts in the language shown.
  ShowLanguage(in.ConsumeBool() ? Language::English : Language::Japanese);
  constexpr SpeedLevel kLevels[] = {SpeedLevel::Normal, SpeedLevel::Extreme, SpeedLevel::Unknown};
  constexpr int kMaximums[] = {50, 100, 200, 300};
  World w;
  w.speed = kLevels[in.ConsumeIntegralInRange<int>(0, 2)];
  w.maximum = kMaximums[in.ConsumeIntegralInRange<int>(0, 3)];
  w.processes.AddProcess(2);

  constexpr int kSavesPerInput = 4;
  int saves = 0;
  for (int step = 0; step < 400 && in.remaining_bytes() > 0; ++step) {
    switch (in.ConsumeIntegralInRange<int>(0, 4)) {
      case 0: {  // a new window comes to the front
        const WindowHandle window = w.nextWindow++;
        w.processes.AddWindow(window, 2, Title(w, in));
        w.processes.foreground = window;
        // As the window applies a tick: the row gets the outcome's title, level and the list's maximum.
        const TickOutcome outcome = w.cycle.Tick({true, w.speed, true});
        Check(outcome.switched && outcome.record, "a new foreground window not taken as a switch");
        w.history.Append(outcome.title, outcome.level, w.maximum);
        // Only the new window and the one before it are asked about again; older titles would only
        // pile up for the rest of the input.
        w.processes.windows.erase(window - 2);
        const auto& row = w.list.rows.back();
        const std::string shown = w.codePage.ToAnsi(row.at(2));
        Check(shown.size() <= kTitleBytes, "a recorded title longer than the title buffer");
        Check(shown.find('\0') == std::string::npos, "a recorded title holding a NUL");
        Check(row.at(2) == outcome.title, "label and history disagree on the title");
        CheckAppended(w);
        break;
      }
      case 1:  // a title handed to the history as it is
        w.history.Append(Title(w, in), w.speed, w.maximum);
        CheckAppended(w);
        break;
      case 2:
        w.history.Clear();
        Check(w.list.RowCount() == 0, "clear left rows");
        break;
      case 3:
        // A few saves per input reach every way a save can end; each further one only wrote the
        // same rows again, the largest part of the time of an input that asked for many.
        if (saves++ < kSavesPerInput) Save(w, in);
        break;
      case 4:
        w.maximum = kMaximums[in.ConsumeIntegralInRange<int>(0, 3)];
        break;
    }
    for (int r = static_cast<int>(w.list.firstChanged); r < w.list.RowCount(); ++r)
      Check(w.list.Cell(r, 0) == std::to_wstring(r + 1) + L" ", "rows not numbered 1, 2, 3, ...");
    w.list.firstChanged = w.list.rows.size();
  }
  return 0;
}
