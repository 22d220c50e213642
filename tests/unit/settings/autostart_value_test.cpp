#include "settings/autostart_value.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fakes/fake_registry.h"

namespace kestrune {
namespace {

constexpr const wchar_t* kRunValue = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";
constexpr const wchar_t* kUserRunValue = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";

TEST(AutostartValue, AddAndRemoveUseTheMachineRunKeyAndCloseIt) {
  testing::FakeRegistry registry;
  AutostartValue autoRun(registry, L"C:\\Program Files\\Kestrune\\kestrune.exe");

  EXPECT_TRUE(autoRun.Add().written);
  EXPECT_EQ(registry.values.size(), 1u);
  // Quoted: unquoted, Windows could start "C:\Program.exe" at log-on instead.
  EXPECT_EQ(registry.values[kRunValue], L"\"C:\\Program Files\\Kestrune\\kestrune.exe\"");
  autoRun.Add();  // every start rewrites it with the running executable's path
  EXPECT_EQ(registry.values.size(), 1u);
  EXPECT_FALSE(autoRun.Remove().machineValueLeft);
  EXPECT_TRUE(registry.values.empty());
  autoRun.Remove();  // removing what is not there is harmless

  EXPECT_EQ(registry.closes, registry.creates);
  EXPECT_TRUE(registry.open.empty());
  EXPECT_EQ(registry.badCloses, 0);
}

TEST(AutostartValue, FailingStepsAreSkippedSilentlyAndKeysStillClosed) {
  testing::FakeRegistry registry;
  AutostartValue autoRun(registry, L"C:\\k.exe");

  registry.failSet = true;
  EXPECT_FALSE(autoRun.Add().written);
  registry.failDelete = true;
  autoRun.Remove();
  EXPECT_EQ(registry.closes, registry.creates);
  EXPECT_TRUE(registry.open.empty());

  // No key opened: nothing to set, delete or close (closing 0 would be a bad close).
  const int sets = registry.sets, deletes = registry.deletes, closes = registry.closes;
  registry.failCreate = true;
  EXPECT_FALSE(autoRun.Add().written);
  autoRun.Remove();
  EXPECT_EQ(registry.sets, sets);
  EXPECT_EQ(registry.deletes, deletes);
  EXPECT_EQ(registry.closes, closes);
  EXPECT_EQ(registry.badCloses, 0);
}

// Which key names the program after an Add or a Remove, for each way the two keys answer. "this"
// is this copy's quoted path, "old" another copy's.
struct KeyCase {
  const char* name;
  bool add;                      // Add, else Remove
  std::set<RegistryRoot> denied;  // keys that do not open for writing
  std::set<RegistryRoot> failSet;  // keys that open but refuse the value
  const wchar_t* machineBefore;  // nullptr: no value
  const wchar_t* userBefore;
  const wchar_t* machineAfter;
  const wchar_t* userAfter;
  bool written;
  bool machineValueLeft;
};

class AutostartKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(AutostartKeys, OneKeyNamesTheProgramAndWhatStaysIsReported) {
  const KeyCase& c = GetParam();
  const std::wstring self = L"\"C:\\Tools\\kestrune.exe\"";
  const auto text = [&](const wchar_t* v) { return std::wstring(v) == L"this" ? self : std::wstring(v); };
  testing::FakeRegistry registry;
  registry.denied = c.denied;
  registry.failSetRoots = c.failSet;
  if (c.machineBefore) registry.values[kRunValue] = text(c.machineBefore);
  if (c.userBefore) registry.values[kUserRunValue] = text(c.userBefore);
  AutostartValue value(registry, L"C:\\Tools\\kestrune.exe");

  const AutostartResult result = c.add ? value.Add() : value.Remove();

  const auto after = [&](const wchar_t* path) {
    const auto it = registry.values.find(path);
    return it == registry.values.end() ? std::wstring(L"<none>") : it->second;
  };
  EXPECT_EQ(after(kRunValue), c.machineAfter ? text(c.machineAfter) : L"<none>");
  EXPECT_EQ(after(kUserRunValue), c.userAfter ? text(c.userAfter) : L"<none>");
  EXPECT_EQ(result.written, c.written);
  EXPECT_EQ(result.machineValueLeft, c.machineValueLeft);
  EXPECT_TRUE(registry.open.empty());
  EXPECT_EQ(registry.badCloses, 0);
}

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

INSTANTIATE_TEST_SUITE_P(
    Table, AutostartKeys,
    ::testing::Values(
        // Elevated: the machine-wide key, and the user's value goes.
        KeyCase{"Elevated", true, {}, {}, nullptr, L"old", L"this", nullptr, true, false},
        // A standard user: the user's key; a machine-wide value for another copy stays and is reported.
        KeyCase{"StandardUser", true, {kMachine}, {}, nullptr, nullptr, nullptr, L"this", true, false},
        KeyCase{"StandardUserBesideAnOldMachineValue", true, {kMachine}, {}, L"old", nullptr, L"old", L"this", true,
                true},
        // The machine-wide value already names this copy: it starts it, so the user's key must not.
        KeyCase{"MachineValueAlreadyThisCopy", true, {kMachine}, {}, L"this", L"this", L"this", nullptr, true, false},
        // The machine-wide key opens but refuses the value: its old value goes, the user's key takes over.
        KeyCase{"MachineSetRefused", true, {}, {kMachine}, L"old", nullptr, nullptr, L"this", true, false},
        KeyCase{"NeitherKey", true, {kMachine, kUser}, {}, nullptr, nullptr, nullptr, nullptr, false, false},
        KeyCase{"NeitherKeyBesideAnOldMachineValue", true, {kMachine, kUser}, {}, L"old", nullptr, L"old", nullptr,
                false, true},
        KeyCase{"NeitherTakesTheValue", true, {}, {kMachine, kUser}, L"old", L"old", nullptr, nullptr, false, false},
        KeyCase{"RemoveElevated", false, {}, {}, L"this", L"this", nullptr, nullptr, false, false},
        KeyCase{"RemoveStandardUser", false, {kMachine}, {}, nullptr, L"this", nullptr, nullptr, false, false},
        KeyCase{"RemoveStandardUserMachineValueStays", false, {kMachine}, {}, L"this", L"this", L"this", nullptr,
                false, true}),
    [](const auto& p) { return std::string(p.param.name); });

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
