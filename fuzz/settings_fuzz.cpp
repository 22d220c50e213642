// Arbitrary bytes as the contents of kestrune.ini, through the settings read routines and the start-up
// load, against in-memory controls, registry and file. Whatever the file holds, start-up must leave
// every control in a state its list offers, write back only the texts the handlers know, close every
// registry key, and agree with itself when run again on the file it left behind.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_ini_file.h"
#include "fakes/fake_message_boxes.h"
#include "app/settings_page.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_window.h"
#include "settings/settings.h"
#include "settings/stored_values.h"
#include "vocabulary/speed_level.h"

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

struct States {
  bool autoRun, autoMin, recording, acceleration, alwaysTop;
  std::wstring speed, count;
  bool operator==(const States&) const = default;
};

struct Form {
  FakeCheckBox autoRun, autoMin, recording, acceleration, alwaysTop;
  // Empty: the load fills both lists.
  FakeComboBox speed, count;
  SettingsControls Controls() { return {autoRun, autoMin, alwaysTop, acceleration, recording, speed, count}; }
  States Now() const {
    return {autoRun.Checked(), autoMin.Checked(), recording.Checked(), acceleration.Checked(),
            alwaysTop.Checked(), speed.Text(), count.Text()};
  }
};

// The fakes a load works on, made once and set back before every load by copying fresh ones over
// them. Copying into the same objects keeps their storage: made anew for each of the four loads of
// every input, the combo boxes, registry and file cost more than the loads themselves under the
// address sanitizer.
struct Workspace {
  RecordingIni ini;
  FakeRegistry registry;
  FakeCodePage codePage;
  Form form;

  void Reset(const FakeIniFile& file) {
    static const Form freshForm;
    static const FakeRegistry freshRegistry = [] {
      FakeRegistry fresh;
      fresh.values[std::wstring(kRunValue)] = L"\"D:\\old\\kestrune.exe\"";
      return fresh;
    }();
    ini.Open(file);
    registry = freshRegistry;
    codePage = FakeCodePage();
    form = freshForm;
  }
};

bool Allowed(const RecordingIni::Written& w) {
  const auto flag = [&] { return w.value == "0" || w.value == "1"; };
  if (w.section == "Normal" && (w.key == "AutoRun" || w.key == "AutoMin" || w.key == "EnableSpeed" ||
                                w.key == "AlwaysTop"))
    return flag();
  if (w.section == "Record" && w.key == "EnableRecord") return flag();
  if (w.section == "Speed" && w.key == "SpeedLevel") return w.value == "1" || w.value == "2";
  if (w.section == "Record" && w.key == "RecordCount")
    return w.value == "50" || w.value == "100" || w.value == "200" || w.value == "300";
  return false;
}

// What one start-up leaves behind.
struct Outcome {
  States states;
  std::string file;  // not kept when every write failed
  std::size_t writes;
};

// file is the start-up file; the load works on a copy of it.
Outcome LoadOnce(Workspace& ws, const FakeIniFile& file, bool failEverything) {
  ws.Reset(file);
  RecordingIni& ini = ws.ini;
  FakeRegistry& registry = ws.registry;
  Form& form = ws.form;
  ini.failWrites = failEverything;
  registry.failCreate = failEverything;
  SettingsFile config(ini);
  AutostartValue autoRun(registry, std::wstring(kExecutable));
  Settings settings(config, autoRun, ws.codePage);
  CallLog log;
  FakeMainWindow window(log);
  FakeMessageBoxes boxes;
  SettingsPage page(form.Controls(), settings, window, boxes);
  page.Load();
  const std::size_t topmostCalls = window.topmostCalls.size();
  const bool topmost = topmostCalls > 0 && window.topmostCalls.back();

  Check(form.speed.SelectedIndex() == 0 || form.speed.SelectedIndex() == 1, "speed level not one of its items");
  Check(form.count.SelectedIndex() >= 0 && form.count.SelectedIndex() < 4, "record count not one of its items");
  Check(registry.open.empty(), "registry key left open");
  Check(registry.badCloses == 0, "registry key closed that was not open");
  if (!failEverything && form.autoRun.Checked()) {
    const auto run = registry.values.find(std::wstring(kRunValue));
    Check(run != registry.values.end() && run->second == L"\"C:\\Tools\\kestrune.exe\"",
          "autostart value not this copy's quoted path");
  }
  if (failEverything) Check(registry.values.size() == 1, "registry changed although it refused every open");

  for (std::size_t i = 0; i < ini.written.size(); ++i) {
    const auto& w = ini.written[i];
    Check(Allowed(w), "a value written back is not one the handlers know");
    for (std::size_t j = 0; j < i; ++j)
      Check(ini.written[j].section != w.section || ini.written[j].key != w.key, "a setting written twice in one load");
  }
  Check(topmostCalls <= 1, "topmost set more than once");
  if (topmostCalls > 0) Check(topmost == form.alwaysTop.Checked(), "window topmost disagrees with the box");

  const States s = form.Now();
  if (!failEverything) {
    // The file now says what the controls show.
    Check(FlagFromStored(config.Read(Setting::AutoRun)) == s.autoRun, "AutoRun in the file disagrees");
    Check(FlagFromStored(config.Read(Setting::AutoMin)) == s.autoMin, "AutoMin in the file disagrees");
    Check(FlagFromStored(config.Read(Setting::Recording)) == s.recording, "EnableRecord in the file disagrees");
    Check(FlagFromStored(config.Read(Setting::Acceleration)) == s.acceleration, "EnableSpeed in the file disagrees");
    Check(FlagFromStored(config.Read(Setting::AlwaysTop)) == s.alwaysTop, "AlwaysTop in the file disagrees");
    Check(settings.Flag(Setting::AlwaysTop) == s.alwaysTop, "always-on-top setting disagrees with the box");
    Check(SpeedLevelFromStored(config.Read(Setting::Speed)) == SpeedLevelOf(s.speed),
          "SpeedLevel in the file disagrees");
  }

  // A flag read as on must hold a 1 somewhere; an exact "1" must be on.
  const auto flagSound = [&](const char* section, const char* key, bool on) {
    const auto stored = file.Lookup(section, key);
    const std::string_view text =
        stored ? std::string_view(*stored).substr(0, SettingsFile::kReadBufferBytes - 1) : std::string_view();
    if (on) Check(text.find('1') != std::string_view::npos, "a flag without a 1 read as on");
    if (text == "1") Check(on, "a plain 1 read as off");
  };
  // With both Run keys refused autostart is off whatever the file says.
  if (!failEverything) flagSound("Normal", "AutoRun", s.autoRun);
  flagSound("Normal", "AutoMin", s.autoMin);
  flagSound("Record", "EnableRecord", s.recording);
  flagSound("Normal", "EnableSpeed", s.acceleration);
  flagSound("Normal", "AlwaysTop", s.alwaysTop);

  return {s, failEverything ? std::string() : ini.Bytes(), ini.written.size()};
}

void ReadRoutinesAreBounded(Workspace& ws, std::string_view bytes) {
  RawStore raw(bytes);
  SettingsFile config(raw);
  for (int round = 0; round < 2; ++round) {
    for (const Setting setting : {Setting::AutoRun, Setting::AutoMin, Setting::Speed, Setting::Recording,
                                  Setting::RecordCount, Setting::Acceleration, Setting::AlwaysTop}) {
      const std::string v = config.Read(setting);
      Check(v.size() <= SettingsFile::kReadBufferBytes - 1, "a read longer than its buffer");
      Check(v.find('\0') == std::string::npos, "a read holding a NUL");
      Check(v.empty() || (v.front() != ' ' && v.back() != ' '), "a read not trimmed");
    }
  }
  // The load itself on those answers.
  ws.Reset(FakeIniFile());
  RawStore again(bytes);
  SettingsFile loadConfig(again);
  AutostartValue autoRun(ws.registry, std::wstring(kExecutable));
  Settings settings(loadConfig, autoRun, ws.codePage);
  CallLog log;
  FakeMainWindow window(log);
  FakeMessageBoxes boxes;
  SettingsPage page(ws.form.Controls(), settings, window, boxes);
  page.Load();
  Check(ws.form.speed.SelectedIndex() >= 0 && ws.form.count.SelectedIndex() >= 0, "a combo left without selection");
  Check(ws.registry.open.empty(), "registry key left open");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Kept from one input to the next for their storage; every load sets them back first.
  static Workspace ws;
  static FakeIniFile file, written;

  file.SetBytes(bytes);
  const Outcome first = LoadOnce(ws, file, false);
  // Start-up on the file it wrote is a fixed point: the same states and not one byte changed.
  written.SetBytes(first.file);
  const Outcome second = LoadOnce(ws, written, false);
  Check(second.states == first.states, "second start-up shows other states");
  Check(second.file == first.file, "second start-up changed the file");
  // Failing writes and refused Run keys change no control state but autostart's: with no Run key
  // to name the program its box is unticked again.
  const Outcome failing = LoadOnce(ws, file, true);
  States expected = first.states;
  expected.autoRun = false;
  Check(failing.states == expected, "failures changed a control state");
  Check(failing.writes == first.writes, "failures changed which handlers ran");

  ReadRoutinesAreBounded(ws, bytes);
  return 0;
}
