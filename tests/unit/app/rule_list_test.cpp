// The advanced page's rule list through the whole program, over a settings file read as Windows reads
// one: what a removal leaves in the file, and what the program does after it and after a restart.
#include <gtest/gtest.h>

#include <memory>

#include "program_rig.h"

namespace kestrune {
namespace {

using namespace testing;

constexpr ProcessId kOther = 5, kTool = 6;

// A desktop with "Other" in front and a second program behind it; acceleration on at 普通加速.
std::unique_ptr<ProgramRig> Started(const std::vector<FakeProfileStore::Entry>& file, const wchar_t* tool) {
  auto rig = std::make_unique<ProgramRig>();
  rig->api.AddProcess(kOther);
  rig->api.AddProcess(kTool);
  rig->api.processes[kOther].path = L"C:\\Apps\\other.exe";
  rig->api.processes[kTool].path = tool;
  rig->api.AddWindow(0x50, kOther, L"Other");
  rig->api.AddWindow(0x60, kTool, L"Tool");
  rig->api.foreground = 0x50;
  rig->store.entries = file;
  rig->store.Set("Normal", "EnableSpeed", "1");
  rig->store.Set("Speed", "SpeedLevel", "1");
  rig->program.Start();
  return rig;
}

// The tool comes to the front: the class it gets.
std::uint32_t InFront(ProgramRig& rig) {
  rig.api.foreground = 0x60;
  rig.program.OnTick();
  return rig.api.ClassOf(kTool);
}

// A line written by hand, as the guide allows, leaves its program alone; removing its row in the list
// removes the program from the file, and it is raised at once and after a restart.
TEST(RuleList, AHandWrittenOffLineGoesWithItsRow) {
  auto rig = Started({{"Rules", "tool.exe", "off"}}, L"C:\\Apps\\tool.exe");
  ASSERT_EQ(rig->rules.items, std::vector<std::wstring>{L"tool.exe"});
  rig->SelectRule(0);
  rig->program.Run(Command::RemoveRule);
  EXPECT_TRUE(rig->rules.items.empty());
  EXPECT_FALSE(rig->store.Get("Rules", "tool.exe"));
  EXPECT_EQ(rig->store.Get("Advanced", "Exclude"), "");
  EXPECT_EQ(InFront(*rig), priority::kHigh);

  auto again = Started(rig->store.entries, L"C:\\Apps\\tool.exe");
  EXPECT_TRUE(again->rules.items.empty());
  EXPECT_EQ(InFront(*again), priority::kHigh);
}

// Two lines for one program (typed once, pasted once): one row, the first line's rule, and its
// removal takes both lines, so no rule the list does not show raises the program after a restart.
TEST(RuleList, TwoLinesOfOneProgramAreOneRowAndGoTogether) {
  auto rig = Started({{"Rules", "game.exe", "auto,low"}, {"Rules", "Game.exe", "realtime,auto"}},
                     L"C:\\Games\\GAME.exe");
  ASSERT_EQ(rig->rules.rows.size(), 1u);
  EXPECT_EQ(rig->rules.rows[0], (std::array<std::wstring, 3>{L"game.exe", L"設定に従う", L"常に低く"}));
  rig->SelectRule(0);
  rig->program.Run(Command::RemoveRule);
  EXPECT_FALSE(rig->store.Get("Rules", "game.exe")) << "no line in any case";

  auto again = Started(rig->store.entries, L"C:\\Games\\GAME.exe");
  EXPECT_TRUE(again->rules.items.empty());
  EXPECT_EQ(InFront(*again), priority::kHigh);
}

// A program left alone in front and kept low behind, then taken out of Exclude by an older version,
// which knows nothing else: at the next start it is raised in front again and still kept low behind.
TEST(RuleList, AnOlderVersionsRemovalFromExcludeStands) {
  auto rig = Started({}, L"C:\\Apps\\tool.exe");
  rig->ruleName.text = L"tool.exe";
  rig->program.Run(Command::AddTypedName);
  ASSERT_TRUE(rig->ruleBehind.Select(L"常に低く"));
  rig->program.Run(Command::ChooseRuleBehind);
  ASSERT_EQ(rig->store.Get("Advanced", "Exclude"), "tool.exe");

  std::vector<FakeProfileStore::Entry> edited = rig->store.entries;
  for (auto& line : edited)
    if (line.key == "Exclude") line.value = "";
  auto again = Started(edited, L"C:\\Apps\\tool.exe");
  ASSERT_EQ(again->rules.rows.size(), 1u);
  EXPECT_EQ(again->rules.rows[0], (std::array<std::wstring, 3>{L"tool.exe", L"設定に従う", L"常に低く"}));
  EXPECT_EQ(InFront(*again), priority::kHigh);
}

}  // namespace
}  // namespace kestrune
