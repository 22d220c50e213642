// Window titles with characters a text line cannot hold as they are: NULs and line breaks. A saved
// history must keep one CR LF line per row whatever the titles held.
#include <gtest/gtest.h>

#include <string>

#include "engine/acceleration_cycle.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"
#include "history_rig.h"

namespace kestrune {
namespace {

using namespace std::string_literals;

class TitleBytesTest : public ::testing::Test, protected testing::HistoryRig {
 protected:
  TitleBytesTest() { api.AddProcess(2); }

  // One switch to a new window with this title, recorded as the window records it.
  TickOutcome SwitchTo(std::wstring title) {
    const WindowHandle window = next++;
    api.AddWindow(window, 2, std::move(title));
    api.foreground = window;
    const TickOutcome outcome = cycle.Tick({true, SpeedLevel::Normal, true});
    if (outcome.record) history.Append(outcome.title, outcome.level, 300);
    return outcome;
  }

  std::string Saved() {
    history.Save();
    return files.files[L"C:\\logs\\history.txt"];
  }

  testing::FakeProcessApi api;
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  AccelerationCycle cycle{api, codePage, changes};
  WindowHandle next = 0x100;
};

TEST_F(TitleBytesTest, TitleEndsAtItsFirstNulInLabelAndHistory) {
  EXPECT_EQ(SwitchTo(L"Editor\0hidden part"s).title, L"Editor");
  EXPECT_EQ(list.Cell(0, 2), L"Editor");
  // A title that starts with a NUL is an empty title, still a switch.
  const TickOutcome empty = SwitchTo(L"\0abc"s);
  EXPECT_EQ(empty.title, L"");
  EXPECT_EQ(empty.switchCount, 2);
  EXPECT_EQ(Saved(), "Kestrune\x89\xC1\x91\xAC\x8B\x4C\x98\x5E\r\nhttp://h/\r\n1  9:05:07 Editor \r\n2  9:05:07  \r\n");
}

TEST_F(TitleBytesTest, LineBreaksInTitlesBecomeBlanksInTheSavedFile) {
  SwitchTo(L"two\r\nlines");
  SwitchTo(L"lone\nfeed and lone\rreturn");
  history.Append(L"cut\0off"s, SpeedLevel::Normal, 300);
  // The list itself keeps the title as the window gave it.
  EXPECT_EQ(list.Cell(0, 2), L"two\r\nlines");
  EXPECT_EQ(Saved(),
            "Kestrune\x89\xC1\x91\xAC\x8B\x4C\x98\x5E\r\nhttp://h/\r\n"
            "1  9:05:07 two  lines \r\n"
            "2  9:05:07 lone feed and lone return \r\n"
            "3  9:05:07 cut \r\n");
}

}  // namespace
}  // namespace kestrune
