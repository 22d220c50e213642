#pragma once
// The history over in-memory rows, clock, message boxes, dialog and files.
#include "engine/history.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_history_view.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_shift_jis.h"

namespace kestrune::testing {

struct HistoryRig {
  FakeShiftJisCodePage codePage;
  FakeHistoryView list;
  FakeClock clock;
  FakeMessageBoxes messages;
  FakeFileDialog dialog;
  FakeFileSystem files;
  History history{History::Services{list, clock, messages, dialog, files, codePage}, L"http://h/"};
};

}  // namespace kestrune::testing
