#include "settings/autostart_value.h"

#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

namespace kestrune {
namespace {

constexpr const wchar_t* kRunValue = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";

TEST(AutostartValue, AddAndRemoveUseTheMachineRunKeyAndCloseIt) {
  testing::FakeRegistry registry;
  AutostartValue autoRun(registry, L"C:\\Program Files\\Kestrune\\kestrune.exe");

  autoRun.Add();
  EXPECT_EQ(registry.values.size(), 1u);
  // Quoted: unquoted, Windows could start "C:\Program.exe" at log-on instead.
  EXPECT_EQ(registry.values[kRunValue], L"\"C:\\Program Files\\Kestrune\\kestrune.exe\"");
  autoRun.Add();  // every start rewrites it with the running executable's path
  EXPECT_EQ(registry.values.size(), 1u);
  autoRun.Remove();
  EXPECT_TRUE(registry.values.empty());
  autoRun.Remove();  // removing what is not there is harmless

  EXPECT_EQ(registry.creates, 4);
  EXPECT_EQ(registry.closes, 4);
  EXPECT_TRUE(registry.open.empty());
  EXPECT_EQ(registry.badCloses, 0);
}

TEST(AutostartValue, FailingStepsAreSkippedSilentlyAndKeysStillClosed) {
  testing::FakeRegistry registry;
  AutostartValue autoRun(registry, L"C:\\k.exe");

  registry.failSet = true;
  autoRun.Add();
  registry.failDelete = true;
  autoRun.Remove();
  EXPECT_EQ(registry.closes, 2);
  EXPECT_TRUE(registry.open.empty());

  // No key opened: nothing to set, delete or close (closing 0 would be a bad close).
  registry.failCreate = true;
  autoRun.Add();
  autoRun.Remove();
  EXPECT_EQ(registry.sets, 1);
  EXPECT_EQ(registry.deletes, 2);  // the failed set removed the value, then Remove tried
  EXPECT_EQ(registry.closes, 2);
  EXPECT_EQ(registry.badCloses, 0);
}

// The value names this copy whatever its path: any characters, any length, never cut. A path that
// cannot be stored takes away an older value instead of leaving it to start another copy.
TEST(AutostartValue, TheValueIsTheWholePathQuotedOrNothing) {
  const std::wstring korean = L"C:\\Users\\\uD55C\uAD6D\uC5B4 \u2713\\kestrune.exe";
  const std::wstring veryLong = L"\\\\?\\C:\\" + std::wstring(300, L'a') + L"\\" + std::wstring(300, L'b') + L".exe";
  struct Case {
    std::wstring path;
    std::wstring expected;  // empty: no value afterwards
  };
  const Case cases[] = {
      {L"C:\\Tools\\kestrune.exe", L"\"C:\\Tools\\kestrune.exe\""},
      {korean, L"\"" + korean + L"\""},
      {veryLong, L"\"" + veryLong + L"\""},
      {L"", L""},
      {L"C:\\odd\"name\\kestrune.exe", L""},
  };
  for (const Case& c : cases) {
    testing::FakeRegistry registry;
    registry.values[kRunValue] = L"\"D:\\old\\kestrune.exe\"";
    AutostartValue(registry, c.path).Add();
    if (c.expected.empty()) {
      EXPECT_EQ(registry.values.count(kRunValue), 0u) << c.path;
    } else {
      EXPECT_EQ(registry.values[kRunValue], c.expected);
    }
    EXPECT_TRUE(registry.open.empty());
    EXPECT_EQ(RunValueData(c.path), c.expected);
  }
}

TEST(AutostartValue, NamesTheExecutableInItsDirectory) {
  EXPECT_EQ(ExecutablePath(L"C:\\Tools", L"kestrune"), L"C:\\Tools\\kestrune.exe");
  EXPECT_EQ(ExecutablePath(L"C:\\", L"kestrune"), L"C:\\kestrune.exe");
}

}  // namespace
}  // namespace kestrune
