// The first steps the user's guide gives, from a folder as the zip unpacks it: acceleration is off
// and "極限加速" chosen at the first start; the user chooses "普通加速", ticks "加速を使用する" and
// "加速使用記録", and works in another program. Kestrune's own window is raised like any other when
// it comes to the front, and so are its own message boxes, until the user lists kestrune.exe among
// the programs not to accelerate. The screenshots are the guides' pictures: the Japanese pass makes
// the Japanese guide's, the English pass (an English system) the English guide's, named en_...
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app_fixture.h"
#include "platform/texts.h"

namespace kestrune::e2e {
namespace {

// Rounds of the pictured switches a test may start again because the system moved the foreground
// in between (Wine passes the foreground between two processes through a moment without one).
constexpr int kRounds = 5;

Language WindowLanguage() {
  return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese : Language::English;
}

std::wstring TextOf(Language language, TextId id) {
  return std::wstring(TextTable(language)[static_cast<std::size_t>(id)].text);
}

bool Command(RunningApp& app, int id) {
  ::SendMessageW(app.Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return RoundTrip(app.Main());
}

// The titles of the history's rows, in order.
std::vector<std::wstring> RowTitles(RunningApp& app) {
  HWND list = app.Control(ids::kListViewHistory);
  std::vector<std::wstring> titles;
  for (int row = 0; row < ListViewRowCount(list); ++row) titles.push_back(ListViewCell(list, row, 2));
  return titles;
}

TEST(Guide, FirstStepsRaiseTheProgramInFrontAndKestruneItselfUntilItIsListed) {
  const Language language = WindowLanguage();
  const std::wstring shot = language == Language::English ? L"en_guide_" : L"guide_";
  RunningApp app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  const std::wstring kestrune = Text(app.Main());

  // The first step as the guide gives it.
  app.Pick(ids::kComboSpeed, TextOf(language, TextId::SpeedNormal));
  app.Click(ids::kCheckAcceleration);
  app.Click(ids::kCheckRecording);
  ASSERT_EQ(IniValue(app.IniBytes(), "Speed", "SpeedLevel"), "1");
  ASSERT_EQ(IniValue(app.IniBytes(), "Normal", "EnableSpeed"), "1");

  const std::vector<std::wstring> titles = language == Language::English
                                               ? std::vector<std::wstring>{L"Untitled - Notepad", L"Report.txt - Notepad"}
                                               : std::vector<std::wstring>{L"無題 - メモ帳", L"報告書.txt - メモ帳"};
  HelperApp notes(titles);
  ASSERT_NE(notes.Window(1), nullptr);
  const auto front = [&](HWND window, const std::wstring& title, bool own) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!(own ? BringToFront(window) : notes.BringToFront(window == notes.Window(0) ? 0 : 1))) return false;
      app.Tick();
      if (app.ControlText(ids::kLabelInfo) == title) return true;
    }
    return false;
  };

  ASSERT_TRUE(front(notes.Window(0), titles[0], false));
  EXPECT_TRUE(ClassBecomes(notes.ProcessId(), HIGH_PRIORITY_CLASS));
  // Kestrune's own window in front: its own process is raised.
  ASSERT_TRUE(front(app.Main(), kestrune, true));
  EXPECT_TRUE(ClassBecomes(app.ProcessId(), HIGH_PRIORITY_CLASS));
  EXPECT_TRUE(ClassBecomes(notes.ProcessId(), NORMAL_PRIORITY_CLASS));

  // Listed by its name, it is left alone from its next time in front: its own window, and the box
  // that asks before it ends, which is recorded as a switch like any window.
  ::SendMessageW(app.Control(ids::kEditRuleName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"kestrune.exe"));
  ASSERT_TRUE(Command(app, ids::kCommandAddRule));
  ASSERT_EQ(IniValue(app.IniBytes(), "Advanced", "Exclude"), "kestrune.exe");
  ASSERT_TRUE(front(notes.Window(1), titles[1], false));
  EXPECT_TRUE(ClassBecomes(app.ProcessId(), NORMAL_PRIORITY_CLASS));
  ASSERT_TRUE(front(app.Main(), kestrune, true));
  EXPECT_TRUE(ClassBecomes(notes.ProcessId(), NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassOf(app.ProcessId()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  ::PostMessageW(app.Main(), WM_CLOSE, 0, 0);
  const std::wstring confirm = TextOf(language, TextId::ConfirmTitle);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(app.ProcessId(), confirm.c_str())) != nullptr; }));
  EXPECT_TRUE(WaitFor([&] {
    app.Tick();
    const std::vector<std::wstring> rows = RowTitles(app);
    return !rows.empty() && rows.back() == confirm;
  })) << "the confirmation in front is recorded";
  EXPECT_EQ(PriorityClassOf(app.ProcessId()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
  PressDialogButton(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return FindMessageBox(app.ProcessId(), confirm.c_str()) == nullptr; }));
  ASSERT_TRUE(app.Proc().Running());

  // The pictures: a history of these switches alone, each the one switch the program counted.
  const std::vector<std::wstring> pictured{titles[0], kestrune, titles[1]};
  int round = 0;
  for (; round < kRounds; ++round) {
    ASSERT_TRUE(Command(app, ids::kToolbarClear));
    if (front(notes.Window(0), titles[0], false) && front(app.Main(), kestrune, true) &&
        front(notes.Window(1), titles[1], false) && RowTitles(app) == pictured)
      break;
  }
  ASSERT_LT(round, kRounds) << "the foreground was moved by the system in every round";
  ASSERT_TRUE(app.ShowPage(0));
  EXPECT_TRUE(WaitFor([&] { return MonitorShowsItsGrid(app); }));
  // The diagram scrolls in from the right, one pixel a sample, two samples a second: forty seconds of
  // it show its lines over a fifth of its width.
  std::this_thread::sleep_for(std::chrono::seconds(40));
  const wchar_t* pages[] = {L"state", L"settings", L"history", L"about", L"advanced"};
  for (int page : {0, 1, 2, 3, 4}) {
    ASSERT_TRUE(app.ShowPage(page));
    app.Screenshot(shot + pages[page]);
  }
}

}  // namespace
}  // namespace kestrune::e2e
