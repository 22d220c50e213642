// The advanced page's rule list through the whole program, over a settings file read as Windows reads
// one: what a removal leaves in the file, and what the program does after it and after a restart.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "program_rig.h"

namespace kestrune {
namespace {

using namespace testing;

constexpr ProcessId kOther = 5, kTool = 6;

// A desktop with "Other" in front and the tool behind it; acceleration on at 普通加速.
std::unique_ptr<ProgramRig> Started(const std::vector<FakeProfileStore::Entry>& file) {
  auto rig = std::make_unique<ProgramRig>();
  rig->api.AddProcess(kOther);
  rig->api.AddProcess(kTool);
  rig->api.processes[kOther].path = L"C:\\Apps\\other.exe";
  rig->api.processes[kTool].path = L"C:\\Apps\\Tool.exe";
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

// Lines written by hand: "off" alone, as the guide allows, or two lines for the tool in two cases
// (typed once, pasted once), of which the first counts. The list shows one row; its removal takes
// every line of the program and its Exclude entry, so that no rule the list does not show acts on it:
// it is raised at once and after a restart.
struct HandWritten {
  const char* name;
  std::vector<FakeProfileStore::Entry> file;
  std::array<std::wstring, 3> row;
};

class RemovedRow : public ::testing::TestWithParam<HandWritten> {};

TEST_P(RemovedRow, TakesEveryLineOfItsProgram) {
  auto rig = Started(GetParam().file);
  ASSERT_EQ(rig->rules.rows, std::vector{GetParam().row});
  rig->SelectRule(0);
  rig->program.Run(Command::RemoveRule);
  EXPECT_TRUE(rig->rules.rows.empty());
  EXPECT_FALSE(rig->store.Get("Rules", "tool.exe")) << "no line in any case";
  EXPECT_EQ(rig->store.Get("Advanced", "Exclude"), "");
  EXPECT_EQ(InFront(*rig), priority::kHigh);

  auto again = Started(rig->store.entries);
  EXPECT_TRUE(again->rules.rows.empty());
  EXPECT_EQ(InFront(*again), priority::kHigh);
}

INSTANTIATE_TEST_SUITE_P(
    ByHand, RemovedRow,
    ::testing::Values(HandWritten{"OffAlone", {{"Rules", "tool.exe", "off"}}, {L"tool.exe", L"加速しない", L"通常どおり"}},
                      HandWritten{"TwiceInTwoCases",
                                  {{"Rules", "tool.exe", "auto,low"}, {"Rules", "TOOL.EXE", "realtime,auto"}},
                                  {L"tool.exe", L"設定に従う", L"常に低く"}}),
    [](const auto& p) { return std::string(p.param.name); });

// A program left alone in front and kept low behind, then taken out of Exclude by an older version,
// which knows nothing else: at the next start it is raised in front again and still kept low behind.
TEST(RuleList, AnOlderVersionsRemovalFromExcludeStands) {
  auto rig = Started({});
  rig->ruleName.text = L"tool.exe";
  rig->program.Run(Command::AddTypedName);
  ASSERT_TRUE(rig->ruleBehind.Select(L"常に低く"));
  rig->program.Run(Command::ChooseRuleBehind);
  ASSERT_EQ(rig->store.Get("Advanced", "Exclude"), "tool.exe");

  std::vector<FakeProfileStore::Entry> edited = rig->store.entries;
  for (auto& line : edited)
    if (line.key == "Exclude") line.value = "";
  auto again = Started(edited);
  EXPECT_EQ(again->rules.rows, (std::vector{std::array<std::wstring, 3>{L"tool.exe", L"設定に従う", L"常に低く"}}));
  EXPECT_EQ(InFront(*again), priority::kHigh);
}

}  // namespace
}  // namespace kestrune
