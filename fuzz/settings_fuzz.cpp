// Arbitrary bytes as the contents of kestrune.ini, through the settings read routines and the
// program's start-up load, against in-memory controls, registry and file. Whatever the file holds,
// start-up must leave every setting at a value its control offers and every control showing the
// model, write back only values in their normal form, close every registry key, and agree with
// itself when run again on the file it left behind.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/program.h"
#include "engine/exclude_list.h"
#include "engine/process_names.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_file_dialog.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ini_file.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_process_snapshot.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_program_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_state_file.h"
#include "settings/stored_values.h"

namespace {

using namespace kestrune;
using namespace kestrune::testing;

constexpr std::wstring_view kRunValue = L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Kestrune_CN";
constexpr std::wstring_view kExecutable = L"C:\\Tools\\kestrune.exe";

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "settings invariant broken: %s\n", what);
  std::abort();
}

void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

// Every write the load makes, in order.
class RecordingIni : public FakeIniFile {
 public:
  // Starts a load on a copy of file.
  void Open(const FakeIniFile& file) {
    FakeIniFile::operator=(file);
    written.clear();
  }
  bool Write(std::string_view section, std::string_view key, std::string_view value) override {
    written.push_back({std::string(section), std::string(key), std::string(value)});
    return FakeIniFile::Write(section, key, value);
  }
  struct Written {
    std::string section, key, value;
  };
  std::vector<Written> written;
};

// A platform that answers each read with the next slice of the input as it is: longer than the
// buffer, with NULs and blanks, which the real call never gives but the read routine must survive.
class RawStore : public ProfileStore {
 public:
  explicit RawStore(std::string_view bytes) : bytes_(bytes) {}
  std::string Read(std::string_view, std::string_view, std::size_t) override {
    const std::size_t end = std::min(bytes_.size(), pos_ + (bytes_.empty() ? 0 : 300));
    std::string slice(bytes_.substr(pos_, end - pos_));
    pos_ = end == bytes_.size() ? 0 : end;
    return slice;
  }
  bool Write(std::string_view, std::string_view, std::string_view) override { return true; }
  std::vector<ProfileEntry> ReadSection(std::string_view) override { return {}; }
  bool Remove(std::string_view, std::wstring_view) override { return true; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// What the settings are after a start-up, as the model holds them.
struct States {
  std::vector<SettingValue> values;
  bool operator==(const States&) const = default;
};

// The whole program over in-memory everything, on the given settings store.
struct Start : FakeProgramWindow {
  explicit Start(ProfileStore& store) : settingsFile(store) {
    registry.values[std::wstring(kRunValue)] = L"\"D:\\old\\kestrune.exe\"";
  }
  FakeRegistry registry;
  FakeCodePage codePage;
  SettingsFile settingsFile;
  AutostartValue autostart{registry, std::wstring(kExecutable)};
  FakeProcessApi api;
  FakeProcessSnapshot snapshot{api};
  FakeClock clock;
  FakeMessageBoxes boxes;
  FakeFileDialog dialog;
  FakeFileSystem files;
  FakeStateFile journal;
  Program program{ProgramServices{api, snapshot, codePage, clock, boxes, dialog, files, settingsFile, autostart, journal},
                  Parts()};
  SettingsModel& Model() { return program.Settings(); }
};

bool IsFlag(std::string_view value) { return value == "0" || value == "1"; }

// Whether a value written back is one the settings' rules write: each kind in its normal form.
bool Allowed(Start& s, const RecordingIni::Written& w) {
  for (const SettingRow& row : kSettingRows) {
    if (row.section != w.section || row.key != w.key) continue;
    switch (row.kind) {
      case SettingKind::Flag: return IsFlag(w.value);
      case SettingKind::Speed: return w.value == "1" || w.value == "2";
      case SettingKind::RecordCount: return w.value == "50" || w.value == "100" || w.value == "200" || w.value == "300";
      case SettingKind::Language: return false;  // never written at start-up
      case SettingKind::Rules: {
        // Their key alone, the programs left alone in front in its normal form; never a line.
        const std::wstring names = s.codePage.ToWide(w.value);
        return ExcludeList::Parse(names).Stored() == names;
      }
    }
  }
  return false;
}

// Every control shows the model's value.
void CheckShown(Start& s) {
  SettingsModel& m = s.Model();
  for (const SettingRow& row : kSettingRows) {
    switch (row.kind) {
      case SettingKind::Flag:
        Check(s.controls.checks[row.setting].Checked() == m.Flag(row.setting), "a box disagrees with the model");
        break;
      case SettingKind::Rules: {
        // The rule list shows each rule, one row per program.
        const std::vector<ProgramRule>& rules = m.Rules().All();
        Check(s.rules.rows.size() == rules.size(), "the rule list has other rows than the rules");
        for (std::size_t i = 0; i < rules.size() && i < s.rules.rows.size(); ++i)
          Check(s.rules.rows[i][0] == rules[i].name, "a row of the rule list names another program");
        for (std::size_t i = 0; i < rules.size(); ++i)
          for (std::size_t j = 0; j < i; ++j)
            Check(!SameProgramName(rules[i].name, rules[j].name), "two rules for one program");
        break;
      }
      default: {
        const int index = s.controls.combos[row.setting].SelectedIndex();
        Check(index >= 0 && index < ItemCount(row.kind), "a list left without one of its items");
        Check(ItemValue(row.kind, index) == m.Value(row.setting), "a list disagrees with the model");
      }
    }
  }
}

// What one start-up leaves behind.
struct Outcome {
  States states;
  std::string file;  // not kept when every write failed
  std::size_t writes;
};

// file is the start-up file; the load works on a copy of it.
Outcome LoadOnce(const FakeIniFile& file, bool failEverything) {
  RecordingIni ini;
  ini.Open(file);
  auto start = std::make_unique<Start>(ini);
  Start& s = *start;
  ini.failWrites = failEverything;
  s.registry.failCreate = failEverything;
  s.program.Page().Load();
  SettingsModel& m = s.Model();
  const std::size_t topmostCalls = s.window.topmostCalls.size();

  CheckShown(s);
  Check(s.registry.open.empty(), "registry key left open");
  Check(s.registry.badCloses == 0, "registry key closed that was not open");
  if (!failEverything && m.Flag(Setting::AutoRun)) {
    const auto run = s.registry.values.find(std::wstring(kRunValue));
    Check(run != s.registry.values.end() && run->second == L"\"C:\\Tools\\kestrune.exe\"",
          "autostart value not this copy's quoted path");
  }
  if (failEverything) Check(s.registry.values.size() == 1, "registry changed although it refused every open");

  for (std::size_t i = 0; i < ini.written.size(); ++i) {
    const auto& w = ini.written[i];
    Check(Allowed(s, w), "a value written back is not in its normal form");
    for (std::size_t j = 0; j < i; ++j)
      Check(ini.written[j].section != w.section || ini.written[j].key != w.key, "a setting written twice in one load");
  }
  Check(topmostCalls <= 1, "topmost set more than once");
  if (topmostCalls > 0) Check(s.window.topmostCalls.back() == m.Flag(Setting::AlwaysTop), "window topmost disagrees");

  if (!failEverything) {
    // The file now says what the model holds.
    for (const SettingRow& row : kSettingRows) {
      const StoredValue stored = m.Read(row.setting);
      if (row.kind != SettingKind::Rules || stored.whole)
        Check(stored.value == m.Value(row.setting), "the file disagrees with the model");
    }
  }

  // A flag read as on must hold a 1 somewhere; an exact "1" must be on. With both Run keys refused
  // autostart is off whatever the file says.
  for (const SettingRow& row : kSettingRows) {
    if (row.kind != SettingKind::Flag || (failEverything && row.setting == Setting::AutoRun)) continue;
    const auto stored = file.Lookup(row.section, row.key);
    const std::string_view text =
        stored ? std::string_view(*stored).substr(0, SettingsFile::kReadBufferBytes - 1) : std::string_view();
    const bool on = m.Flag(row.setting);
    if (on) Check(text.find('1') != std::string_view::npos, "a flag without a 1 read as on");
    if (text == "1") Check(on, "a plain 1 read as off");
  }

  States states;
  for (const SettingRow& row : kSettingRows) states.values.push_back(m.Value(row.setting));
  return {states, failEverything ? std::string() : ini.Bytes(), ini.written.size()};
}

void ReadRoutinesAreBounded(std::string_view bytes) {
  RawStore raw(bytes);
  SettingsFile config(raw);
  for (int round = 0; round < 2; ++round) {
    for (const SettingRow& row : kSettingRows) {
      const std::string v = config.ReadList(row.setting).text;
      Check(v.size() <= SettingsFile::BufferBytes(row.setting) - 1, "a read longer than its buffer");
      Check(v.find('\0') == std::string::npos, "a read holding a NUL");
      Check(v.empty() || (v.front() != ' ' && v.back() != ' '), "a read not trimmed");
    }
  }
  // The load itself on those answers.
  RawStore again(bytes);
  auto start = std::make_unique<Start>(again);
  start->program.Page().Load();
  CheckShown(*start);
  Check(start->registry.open.empty(), "registry key left open");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static FakeIniFile file, written;

  file.SetBytes(bytes);
  const Outcome first = LoadOnce(file, false);
  // Start-up on the file it wrote is a fixed point: the same values and not one byte changed.
  written.SetBytes(first.file);
  const Outcome second = LoadOnce(written, false);
  Check(second.states == first.states, "second start-up holds other values");
  Check(second.file == first.file, "second start-up changed the file");
  // Failing writes and refused Run keys change no value but autostart's: with no Run key to name the
  // program it is off.
  const Outcome failing = LoadOnce(file, true);
  States expected = first.states;
  expected.values[static_cast<std::size_t>(Setting::AutoRun)] = false;
  Check(failing.states == expected, "failures changed a value");
  Check(failing.writes == first.writes, "failures changed which settings were written");

  ReadRoutinesAreBounded(bytes);
  return 0;
}
