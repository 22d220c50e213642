#include "settings/module_auto_run.h"

#include <gtest/gtest.h>

#include "fakes/fake_code_page.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shift_jis.h"

namespace kestrune {
namespace {

constexpr const char* kRunValue = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";

TEST(ModuleAutoRun, AddAndRemoveUseTheMachineRunKeyAndCloseIt) {
  testing::FakeRegistry registry;
  testing::FakeCodePage codePage;
  ModuleAutoRun autoRun(registry, codePage, L"D:\\Apps\\Kestrune\\kestrune.exe");

  autoRun.Add();
  EXPECT_EQ(registry.values.size(), 1u);
  EXPECT_EQ(registry.values[kRunValue], "D:\\Apps\\Kestrune\\kestrune.exe");
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

TEST(ModuleAutoRun, FailingStepsAreSkippedSilentlyAndKeysStillClosed) {
  testing::FakeRegistry registry;
  testing::FakeCodePage codePage;
  ModuleAutoRun autoRun(registry, codePage, L"C:\\k.exe");

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
  EXPECT_EQ(registry.deletes, 1);
  EXPECT_EQ(registry.closes, 2);
  EXPECT_EQ(registry.badCloses, 0);
}

TEST(ModuleAutoRun, PathCrossesInTheAnsiCodePageAndIsNeverCut) {
  testing::FakeRegistry registry;
  testing::FakeShiftJisCodePage codePage;
  ModuleAutoRun japanese(registry, codePage, L"C:\\メモ帳\\kestrune.exe");
  japanese.Add();
  EXPECT_EQ(registry.values[kRunValue], "C:\\\x83\x81\x83\x82\x92\xA0\\kestrune.exe");

  // 254 bytes and a terminator fit; one byte more would have to be cut, naming another file.
  const std::wstring fits = L"C:\\" + std::wstring(254 - 3 - 4, L'a') + L".exe";
  ModuleAutoRun longest(registry, codePage, fits);
  longest.Add();
  EXPECT_EQ(registry.values[kRunValue].size(), 254u);
  ModuleAutoRun tooLong(registry, codePage, L"C:\\" + std::wstring(254 - 3 - 4 + 1, L'b') + L".exe");
  tooLong.Add();
  EXPECT_EQ(registry.values[kRunValue], codePage.ToAnsi(fits));
  EXPECT_TRUE(registry.open.empty());
}

TEST(ModuleAutoRun, PathsBesideTheExecutable) {
  EXPECT_EQ(ExecutablePath(L"C:\\Tools", L"kestrune"), L"C:\\Tools\\kestrune.exe");
  EXPECT_EQ(ExecutablePath(L"C:\\", L"kestrune"), L"C:\\kestrune.exe");
  EXPECT_EQ(SettingsFilePath(L"C:\\Tools"), L"C:\\Tools\\kestrune.ini");
  EXPECT_EQ(SettingsFilePath(L"E:\\"), L"E:\\kestrune.ini");
}

}  // namespace
}  // namespace kestrune
