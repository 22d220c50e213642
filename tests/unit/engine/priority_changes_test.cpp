// The one place that changes other processes: the journal's lines, what a changed process gets back,
// the level a raise obtained, and the give-backs that no longer depend on a window or on this run.
#include "engine/priority_changes.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/boost_cycle.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"

namespace kestrune {
namespace {

using testing::FakeProcessApi;

constexpr std::uint32_t N = priority::kNormal, H = priority::kHigh, R = priority::kRealtime;
constexpr std::uint32_t kIdle = 0x40, kBelowNormal = 0x4000, kAboveNormal = 0x8000;

// A line as it is written, and every way a line can be torn or not ours.
TEST(JournalLine, ReadsExactlyTheLinesItWrites) {
  const ChangeEntry entry{4294967295u, 18446744073709551615u, kBelowNormal, H};
  const std::string line = FormatJournal({entry});
  ASSERT_EQ(line.back(), '\n');
  const std::string whole = line.substr(0, line.size() - 1);
  EXPECT_EQ(ParseJournalLine(whole), entry);
  const std::string fields = "4294967295 18446744073709551615 16384 128";
  const std::string check = whole.substr(whole.size() - 8);
  const struct {
    std::string line;
    bool reads;
  } cases[] = {
      {fields + " " + check, true},
      {fields + " " + check.substr(0, 7), false},  // cut in the checksum
      {fields.substr(0, 30) + " " + check, false},  // cut in the fields
      {"4294967295 18446744073709551615 16384 129 " + check, false},  // altered
      {fields + "  " + check, false},
      {" " + fields + " " + check, false},
      {"", false},
      {check, false},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseJournalLine(c.line).has_value(), c.reads) << c.line;

  // Fields that read as numbers but name no change, each with its own right checksum.
  const ChangeEntry invalid[] = {{0, 5, N, H}, {7, 0, N, H}, {7, 5, N, 0}};
  for (const ChangeEntry& e : invalid) EXPECT_TRUE(ParseJournal(FormatJournal({e})).empty()) << e.process;
  const ChangeEntry unreadableBefore{7, 5, 0, H};
  EXPECT_EQ(ParseJournal(FormatJournal({unreadableBefore})), std::vector{unreadableBefore});
}

TEST(JournalLine, AJournalKeepsItsWholeLinesAroundTornOnes) {
  const ChangeEntry a{10, 111, N, H}, b{20, 222, kIdle, R}, c{30, 333, N, H};
  const std::string ab = FormatJournal({a, b});
  std::string text = FormatJournal({a}) + "garbage\r\n" + FormatJournal({b});
  text.insert(text.size() - 1, "\r");  // a line end another editor wrote
  EXPECT_EQ(ParseJournal(text), (std::vector{a, b}));
  const std::string cLine = FormatJournal({c});
  EXPECT_EQ(ParseJournal(ab + cLine.substr(0, cLine.size() - 1)), (std::vector{a, b}));  // no line feed: cut short
  EXPECT_TRUE(ParseJournal("").empty());
  EXPECT_EQ(JournalFilePath(L"C:\\Users\\u\\AppData\\Roaming\\Kestrune"),
            L"C:\\Users\\u\\AppData\\Roaming\\Kestrune\\kestrune.journal");
}

// What a changed process gets back, by what it is now.
TEST(GiveBackRule, OnlyAClassThatIsStillTheOneSet) {
  const ChangeEntry entry{10, 111, kBelowNormal, H};
  const struct {
    std::uint64_t started;
    std::uint32_t classNow;
    bool restoreOriginal;
    std::optional<std::uint32_t> back;
  } cases[] = {
      {111, H, false, N},
      {111, H, true, kBelowNormal},
      {111, kAboveNormal, false, std::nullopt},  // changed by someone else
      {111, N, true, std::nullopt},
      {111, 0, false, std::nullopt},  // unreadable
      {222, H, false, std::nullopt},  // another process under the same id
      {0, H, false, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GiveBackClass(entry, c.started, c.classNow, c.restoreOriginal), c.back) << c.started << " " << c.classNow;
  EXPECT_EQ(GiveBackClass({10, 111, 0, H}, 111, H, true), N);  // the class before was not read
  EXPECT_EQ(GiveBackClass({10, 111, N, H}, 111, H, true), N);
  EXPECT_EQ(GiveBackClass({10, 111, H, H}, 111, H, true), std::nullopt);  // it had that class already
}

TEST(LevelRule, TheLevelShownIsTheOneObtained) {
  const struct {
    SpeedLevel asked;
    std::uint32_t read;
    SpeedLevel shown;
  } cases[] = {
      {SpeedLevel::Extreme, R, SpeedLevel::Extreme}, {SpeedLevel::Extreme, H, SpeedLevel::Normal},
      {SpeedLevel::Normal, H, SpeedLevel::Normal},   {SpeedLevel::Normal, R, SpeedLevel::Extreme},
      {SpeedLevel::Extreme, N, SpeedLevel::Extreme}, {SpeedLevel::Extreme, 0, SpeedLevel::Extreme},
  };
  for (const auto& c : cases) EXPECT_EQ(LevelObtained(c.asked, c.read), c.shown) << c.read;
}

constexpr ProcessId kSelf = 1, kA = 10, kB = 20;
constexpr WindowHandle kWinA1 = 0x1001, kWinA2 = 0x1002, kWinB = 0x2001;

class Changes : public ::testing::Test {
 protected:
  Changes() {
    api.self = kSelf;
    api.AddProcess(kSelf);
    api.AddProcess(kA, {kBelowNormal, false, false, L"a.exe", 111});
    api.AddProcess(kB, {N, false, false, L"b.exe", 222});
    api.AddWindow(kWinA1, kA, "A1");
    api.AddWindow(kWinA2, kA, "A2");
    api.AddWindow(kWinB, kB, "B");
  }
  TickOutcome Front(WindowHandle w) {
    api.foreground = w;
    return cycle.Tick(input);
  }

  FakeProcessApi api;
  testing::FakeCodePage codePage;
  testing::FakeStateFile journal;
  PriorityChanges changes{api, journal};
  TickInput input{true, SpeedLevel::Normal, true};
  BoostCycle cycle{api, codePage, changes};
};

TEST_F(Changes, EachChangeIsInTheJournalBeforeItIsMadeAndLeavesItOnceGivenBack) {
  std::vector<std::vector<ChangeEntry>> atEachSet;
  api.onSet = [&](ProcessId, std::uint32_t) { atEachSet.push_back(ParseJournal(journal.bytes)); };
  Front(kWinA1);
  Front(kWinB);
  ASSERT_EQ(atEachSet.size(), 3u);
  EXPECT_EQ(atEachSet[0], (std::vector<ChangeEntry>{{kA, 111, kBelowNormal, H}}));
  EXPECT_EQ(atEachSet[2], (std::vector<ChangeEntry>{{kB, 222, N, H}}));  // A's entry went with its give-back
  EXPECT_EQ(ParseJournal(journal.bytes), (std::vector<ChangeEntry>{{kB, 222, N, H}}));
  EXPECT_EQ(journal.writes, 2);  // one per raise: the give-back's clearing rides on the next write
  cycle.GiveBackRaised(false);
  EXPECT_EQ(journal.bytes, "");
}

// A window closes while its process is raised: the process is given back all the same, in both
// modes, and with RestoreOriginal the class it had first survives any number of rounds.
TEST_F(Changes, AProcessWhoseWindowClosedIsGivenBack) {
  for (const bool restoreOriginal : {false, true}) {
    input.restoreOriginal = restoreOriginal;
    api.processes[kA].priorityClass = kBelowNormal;
    for (int round = 0; round < 3; ++round) {
      api.AddWindow(kWinA1, kA, "A1");
      Front(kWinA1);
      ASSERT_EQ(api.ClassOf(kA), H);
      api.windows.erase(kWinA1);
      Front(kWinB);
      EXPECT_EQ(api.ClassOf(kA), restoreOriginal ? kBelowNormal : N) << restoreOriginal << round;
      if (!restoreOriginal) api.processes[kA].priorityClass = kBelowNormal;
    }
  }
  // Two windows of the process in turn: given back and raised again, the first class still kept.
  input.restoreOriginal = true;
  api.AddWindow(kWinA1, kA, "A1");
  Front(kWinA1);
  Front(kWinA2);
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kA), kBelowNormal);
  EXPECT_TRUE(api.open.empty());
}

TEST_F(Changes, AClassSomeoneElseChoseIsKept) {
  Front(kWinA1);
  api.processes[kA].priorityClass = kAboveNormal;
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kA), kAboveNormal);
  api.processes[kB].priorityClass = kIdle;
  cycle.GiveBackRaised(true);
  EXPECT_EQ(api.ClassOf(kB), kIdle);
}

TEST_F(Changes, TheNextStartGivesBackWhatAnEndedRunLeftRaised) {
  api.AddProcess(30, {H, false, false, L"c.exe", 333});
  api.AddProcess(40, {R, false, false, L"d.exe", 999});
  api.processes[kA].priorityClass = H;
  api.processes[kB].priorityClass = R;
  journal.bytes = FormatJournal({{kA, 111, kBelowNormal, H}, {kB, 222, N, H}, {30, 333, kIdle, H}, {40, 444, N, R}}) +
                  "torn li";
  for (const bool restoreOriginal : {false, true}) {
    const std::string left = journal.bytes;
    PriorityChanges next{api, journal};
    next.GiveBackLeftovers(restoreOriginal);
    EXPECT_EQ(api.ClassOf(kA), restoreOriginal ? kBelowNormal : N);
    EXPECT_EQ(api.ClassOf(kB), R);  // chosen by someone else since
    EXPECT_EQ(api.ClassOf(30), restoreOriginal ? kIdle : N);
    EXPECT_EQ(api.ClassOf(40), R);  // another process under the id
    EXPECT_EQ(journal.bytes, "");
    EXPECT_TRUE(api.open.empty());
    journal.bytes = left;
    api.processes[kA].priorityClass = api.processes[30].priorityClass = H;
  }
}

// A standard user's Windows answers real-time with high: the switch shows and records the level
// obtained, says so once, and the give-back still finds the class it set.
TEST_F(Changes, RealtimeAnsweredWithHighIsShownAsItIs) {
  api.realtimeGivesHigh = true;
  input.level = SpeedLevel::Extreme;
  const TickOutcome toA = Front(kWinA1);
  EXPECT_EQ(toA.level, SpeedLevel::Normal);
  EXPECT_TRUE(toA.realtimeRefused);
  EXPECT_EQ(ParseJournal(journal.bytes), (std::vector<ChangeEntry>{{kA, 111, kBelowNormal, H}}));
  Front(kWinB);
  EXPECT_EQ(api.ClassOf(kA), N);

  api.realtimeGivesHigh = false;
  const TickOutcome toA2 = Front(kWinA2);
  EXPECT_EQ(toA2.level, SpeedLevel::Extreme);
  EXPECT_FALSE(toA2.realtimeRefused);
  input.level = SpeedLevel::Normal;
  EXPECT_FALSE(Front(kWinB).realtimeRefused);
}

}  // namespace
}  // namespace kestrune
