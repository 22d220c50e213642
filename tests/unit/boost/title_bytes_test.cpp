// Window titles with bytes a text line cannot hold as they are: NULs, line breaks, broken double-byte
// sequences. A saved history must keep one CR LF line per row whatever the titles held.
#include <gtest/gtest.h>

#include <string>

#include "boost/boost_cycle.h"
#include "boost/history.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_processes.h"

namespace kestrune {
namespace {

using namespace std::string_literals;
using testing::FakeCheckBox;
using testing::FakeComboBox;
using testing::FakeLabel;

class ToHistory : public SwitchRecorder {
 public:
  explicit ToHistory(History& history) : history_(history) {}
  void RecordSwitch(std::wstring_view title, std::wstring_view level) override { history_.Append(title, level); }

 private:
  History& history_;
};

class TitleBytesTest : public ::testing::Test {
 protected:
  TitleBytesTest() {
    speed.SetSelectedIndex(0);
    maximum.SetSelectedIndex(3);
    api.AddProcess(2);
  }

  // One switch to a new window with this title; gives the row's title as the file would hold it.
  void SwitchTo(std::string title) {
    const WindowHandle window = next++;
    api.AddWindow(window, 2, std::move(title));
    api.foreground = window;
    cycle.Tick();
  }

  std::string Saved() {
    history.Save();
    return files.files[L"C:\\logs\\history.txt"];
  }

  testing::FakeProcessApi api;
  testing::FakeCodePage codePage;
  FakeCheckBox state{true}, record{true};
  FakeComboBox speed{std::wstring(kSpeedNormal), std::wstring(kSpeedExtreme)};
  FakeComboBox maximum{L"50", L"100", L"200", L"300"};
  FakeLabel info, count;
  testing::FakeHistoryList list;
  testing::FakeClock clock;
  testing::FakeMessageBoxes messages;
  testing::FakeFileDialog dialog;
  testing::FakeFileSystem files;
  History history{History::Services{list, maximum, clock, messages, dialog, files, codePage}, L"http://h/"};
  ToHistory recorder{history};
  BoostCycle cycle{api, codePage, BoostControls{state, speed, record, info, count}, recorder};
  WindowHandle next = 0x100;
};

TEST_F(TitleBytesTest, TitleEndsAtItsFirstNulInLabelAndHistory) {
  SwitchTo("Editor\0hidden part"s);
  EXPECT_EQ(info.Caption(), L"Editor");
  EXPECT_EQ(info.tooltip, L"Editor");
  EXPECT_EQ(list.Cell(0, 2), L"Editor");
  // A title that starts with a NUL is an empty title, still a switch.
  SwitchTo("\0abc"s);
  EXPECT_EQ(info.Caption(), L"");
  EXPECT_EQ(count.Caption(), L"2");
  EXPECT_EQ(Saved(), "Kestrune????\r\nhttp://h/\r\n1  9:05:07 Editor \r\n2  9:05:07  \r\n");
}

TEST_F(TitleBytesTest, LineBreaksInTitlesBecomeBlanksInTheSavedFile) {
  SwitchTo("two\r\nlines");
  SwitchTo("lone\nfeed and lone\rreturn");
  history.Append(L"cut\0off"s, kSpeedNormal);
  // The list itself keeps the title as the window gave it.
  EXPECT_EQ(list.Cell(0, 2), L"two\r\nlines");
  EXPECT_EQ(Saved(),
            "Kestrune????\r\nhttp://h/\r\n"
            "1  9:05:07 two  lines \r\n"
            "2  9:05:07 lone feed and lone return \r\n"
            "3  9:05:07 cut \r\n");
}

TEST_F(TitleBytesTest, BrokenDoubleByteSequencesNeverSwallowALineBreakOrExceedTheBound) {
  // A lead byte before a line feed, and a lead byte as the 254th byte of a long title.
  SwitchTo("\x81\nx");
  std::string longTitle(253, 'a');
  longTitle += "\x82\xA0tail";
  SwitchTo(longTitle);
  EXPECT_EQ(codePage.ToAnsi(list.Cell(1, 2)), std::string(253, 'a'));  // the pair does not fit: cut before it

  const std::string saved = Saved();
  EXPECT_EQ(saved.substr(saved.find("1  ")), "1  9:05:07 \x81 x \r\n2  9:05:07 " + std::string(253, 'a') + " \r\n");
}

}  // namespace
}  // namespace kestrune
