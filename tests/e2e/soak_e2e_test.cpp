// A long run of everything the program does again and again: foreground switches with recording on
// (the history passes its maximum many times), monitor samples, page switches, and hiding to the tray
// and coming back. Afterwards the program must hold exactly the GDI objects, user objects and kernel
// handles it held before, still answer, and have counted every switch.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <tuple>

#include "app_fixture.h"
#include "process_resources.h"

namespace kestrune::e2e {
namespace {

constexpr char kSoakIni[] =
    "[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n"
    "[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n";
// With a maximum of 50 the list may hold 51 rows before it clears itself.
constexpr int kMostHistoryRows = 51;

// The messages the system would deliver (besides the main window's tick, RunningApp::Tick): the
// monitor's sampling tick and the tray icon's double click.
constexpr WPARAM kMonitorTick = 1;
constexpr UINT kTrayCallback = 2025;

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

struct Workload {
  int switches = 0;
  int monitorTicks = 0;
  int pageSwitches = 0;
  int hides = 0;
};

// What actually happened: a step counts only once the program has shown its effect.
struct Outcome {
  Workload done;
  int switchesShown = 0;     // LabelInfo named the helper right after the tick
  int broughtAgain = 0;      // changes of the foreground the system undid, made again
  int historyOverflows = 0;  // readings of the list beyond its maximum
  int historyMisnumbered = 0;
  double seconds[4] = {};  // spent on switches, monitor ticks, page switches, hide/restore
};

class Soak {
 public:
  Soak(RunningApp& app, HelperApp& a, HelperApp& b) : app_(app), helpers_{&a, &b}, titles_{L"Soak A", L"Soak B"} {}

  // The work is cut into slices so that every kind of step runs beside the others: switches while the
  // history page is shown, samples while the window is hidden, and so on.
  Outcome Run(const Workload& load, int slices = 10) {
    Outcome outcome;
    for (int slice = 0; slice < slices; ++slice) {
      Timed(outcome.seconds[0], Share(load.switches, slices, slice), [&] { Switch(outcome); });
      Timed(outcome.seconds[1], Share(load.monitorTicks, slices, slice), [&] { MonitorTick(outcome); });
      Timed(outcome.seconds[2], Share(load.pageSwitches, slices, slice), [&] { NextPage(outcome); });
      Timed(outcome.seconds[3], Share(load.hides, slices, slice), [&] { HideAndRestore(outcome); });
      CheckHistory(outcome);
    }
    return outcome;
  }

 private:
  static int Share(int total, int slices, int slice) { return total / slices + (slice < total % slices ? 1 : 0); }

  template <typename Step>
  static void Timed(double& seconds, int times, Step step) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < times; ++i) step();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  void Switch(Outcome& outcome) {
    next_ = 1 - next_;
    HelperApp& helper = *helpers_[next_];
    // The helper is brought to the front and confirmed there before the tick (a change the system
    // undid on the way is made again). Should the tick still see another window, the system moved the
    // foreground in between: the switch is brought about again (at most twice more) and counted
    // apart. Only a tick that leaves the program naming the previous helper while this one is still
    // in front is a miss.
    bool counted = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
      if (!helper.BringToFront(0, &outcome.broughtAgain)) return;
      if (!counted) ++outcome.done.switches;
      counted = true;
      app_.Tick();
      const std::wstring shown = app_.ControlText(ids::kLabelInfo);
      if (shown == titles_[next_]) {
        ++outcome.switchesShown;
        return;
      }
      if (::GetForegroundWindow() == helper.Window() && shown == titles_[1 - next_]) return;
      ++outcome.broughtAgain;
    }
  }

  void MonitorTick(Outcome& outcome) {
    ::SendMessageW(app_.Control(ids::kSystemMonitorState), WM_TIMER, kMonitorTick, 0);
    ++outcome.done.monitorTicks;
  }

  void NextPage(Outcome& outcome) {
    const int next = (app_.ActivePage() + 1) % RunningApp::kPages;
    HWND strip = app_.Control(ids::kTabStripMain);
    // One key, then the new caption: it changes only after the strip has moved every control, so the
    // next key cannot arrive in the middle of this switch.
    ::PostMessageW(strip, WM_KEYDOWN, VK_RIGHT, 1);
    ::PostMessageW(strip, WM_KEYUP, VK_RIGHT, static_cast<LPARAM>(0xC0000001));
    if (WaitFor([&] { return app_.ActivePage() == next; })) ++outcome.done.pageSwitches;
  }

  void HideAndRestore(Outcome& outcome) {
    app_.PressButton(ids::kCommandMini);
    if (!WaitFor([&] { return !Visible(app_.Main()); })) return;
    // Under Wine without a window manager showing the window again takes about two seconds: the X11
    // driver waits for a window-manager state that never comes.
    ::SendMessageW(app_.Main(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
    if (WaitFor([&] { return Visible(app_.Main()); })) ++outcome.done.hides;
  }

  void CheckHistory(Outcome& outcome) {
    HWND list = app_.Control(ids::kListViewHistory);
    // The program's own tick may add a row, or clear the list, between two reads: a reading counts
    // when the number of rows is the same before and after the last row's number was read.
    for (int attempt = 0; attempt < 3; ++attempt) {
      const int rows = ListViewRowCount(list);
      const std::wstring last = rows > 0 ? ListViewCell(list, rows - 1, 0) : std::wstring();
      if (ListViewRowCount(list) != rows) continue;
      if (rows > kMostHistoryRows) ++outcome.historyOverflows;
      if (rows > 0 && last != std::to_wstring(rows) + L" ") ++outcome.historyMisnumbered;
      return;
    }
  }

  RunningApp& app_;
  HelperApp* helpers_[2];
  const wchar_t* titles_[2];
  int next_ = 1;
};

class ProcessHandle {
 public:
  explicit ProcessHandle(DWORD id) : handle_(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id)) {}
  ~ProcessHandle() {
    if (handle_ != nullptr) ::CloseHandle(handle_);
  }
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

void Print(const std::wstring& line) { std::printf("[soak] %s\n", Narrow(line).c_str()); }

void ExpectNoGrowth(const char* key, const wchar_t* name, const ResourceFigure& before, const ResourceFigure& after) {
  Print(Describe(name, before, after));
  // A figure that cannot be read proves nothing, so it fails the test.
  if (!before.available || !after.available) {
    ADD_FAILURE() << Narrow(name) << " could not be counted";
    return;
  }
  ::testing::Test::RecordProperty(std::string(key) + "_before", static_cast<int>(before.value));
  ::testing::Test::RecordProperty(std::string(key) + "_after", static_cast<int>(after.value));
  EXPECT_EQ(after.value, before.value) << Narrow(name);
}

bool SameFigures(const ProcessResources& a, const ProcessResources& b) {
  const auto same = [](const ResourceFigure& x, const ResourceFigure& y) {
    return x.available == y.available && x.value == y.value;
  };
  return same(a.gdiObjects, b.gdiObjects) && same(a.userObjects, b.userObjects) &&
         same(a.kernelHandles, b.kernelHandles);
}

// The counts must be able to see a leak on this system, or an unchanged count proves nothing: one more
// brush, one more window and one more event in this very process each show as one more.
TEST(Soak, CountsSeeOneMoreObjectOfEachKind) {
  // The first window of a process brings the user interface's own objects with it; they stay.
  const auto makeWindow = [] {
    return ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
  };
  ::DestroyWindow(makeWindow());
  const ProcessResources before = ReadProcessResources(::GetCurrentProcess(), ::GetCurrentProcessId());
  HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
  HWND window = makeWindow();
  HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const ProcessResources after = ReadProcessResources(::GetCurrentProcess(), ::GetCurrentProcessId());
  ::CloseHandle(event);
  ::DestroyWindow(window);
  ::DeleteObject(brush);
  const ProcessResources released = ReadProcessResources(::GetCurrentProcess(), ::GetCurrentProcessId());

  for (const auto& [name, b, a, r] : {std::tuple{"GDI objects", before.gdiObjects, after.gdiObjects, released.gdiObjects},
                                      std::tuple{"user objects", before.userObjects, after.userObjects, released.userObjects},
                                      std::tuple{"kernel handles", before.kernelHandles, after.kernelHandles,
                                                 released.kernelHandles}}) {
    ASSERT_TRUE(a.available) << name;
    EXPECT_EQ(a.value, b.value + 1) << name << " counted by " << Narrow(a.source);
    EXPECT_EQ(r.value, b.value) << name;
  }
}

TEST(Soak, ThousandsOfSwitchesTicksPagesAndHidesLeaveNoHandleBehind) {
  const auto started = std::chrono::steady_clock::now();
  RunningApp app(kSoakIni);
  ASSERT_TRUE(app.Start());
  HelperApp a(L"Soak A");
  HelperApp b(L"Soak B");
  ASSERT_NE(a.Window(), nullptr);
  ASSERT_NE(b.Window(), nullptr);
  ProcessHandle process(app.ProcessId());
  ASSERT_NE(process.Get(), nullptr);
  Soak soak(app, a, b);

  // Warm-up: every kind of step once over, and the history past its maximum, so that whatever the
  // program makes once and keeps (the tooltip, the rows' icons, the pages' first drawing) exists
  // before the first count.
  const Workload warmUp{120, 100, 8, 2};
  const Outcome first = soak.Run(warmUp, 2);
  ASSERT_EQ(first.done.switches, warmUp.switches) << "the helpers did not come to the front";
  // Then every page once more with the history full, so the list has been drawn with its scroll
  // bar (which the interleaved warm-up may have shown only while the list was still short).
  soak.Run(Workload{0, 0, 8, 0}, 1);
  const ProcessResources before = RestingProcessResources(process.Get(), app.ProcessId(), app.Main());
  const int countBefore = app.SwitchCount();

  const Workload load{2000, 3000, 200, 25};
  const auto soakStarted = std::chrono::steady_clock::now();
  const Outcome outcome = soak.Run(load);
  const double soakSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - soakStarted).count();
  // The button's short timer may still run and draw for a moment after the last press; what it holds
  // goes again, a leak stays. So the figures are read until they are back where they were.
  ProcessResources after;
  WaitFor([&] {
    after = RestingProcessResources(process.Get(), app.ProcessId(), app.Main());
    return SameFigures(after, before);
  });

  std::printf("[soak] %d foreground switches (%d shown at once), %d monitor ticks, %d page switches, %d hide/restore "
              "in %.1f s\n",
              outcome.done.switches, outcome.switchesShown, outcome.done.monitorTicks, outcome.done.pageSwitches,
              outcome.done.hides, soakSeconds);
  std::printf("[soak] changes of the foreground the system undid, made again: %d\n", outcome.broughtAgain);
  std::printf("[soak] time spent: switches %.1f s, monitor ticks %.1f s, page switches %.1f s, hide/restore %.1f s\n",
              outcome.seconds[0], outcome.seconds[1], outcome.seconds[2], outcome.seconds[3]);
  ExpectNoGrowth("gdi_objects", L"GDI objects", before.gdiObjects, after.gdiObjects);
  ExpectNoGrowth("user_objects", L"user objects", before.userObjects, after.userObjects);
  ExpectNoGrowth("kernel_handles", L"kernel handles", before.kernelHandles, after.kernelHandles);
  Print(Describe(L"private bytes (not compared)", before.privateBytes, after.privateBytes));

  EXPECT_EQ(outcome.done.switches, load.switches);
  EXPECT_EQ(outcome.switchesShown, outcome.done.switches) << "a switch was not taken at the tick that followed it";
  EXPECT_EQ(outcome.done.monitorTicks, load.monitorTicks);
  EXPECT_EQ(outcome.done.pageSwitches, load.pageSwitches);
  EXPECT_EQ(outcome.done.hides, load.hides);
  EXPECT_EQ(outcome.historyOverflows, 0);
  EXPECT_EQ(outcome.historyMisnumbered, 0);

  DWORD_PTR answer = 0;
  EXPECT_NE(::SendMessageTimeoutW(app.Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0)
      << "the program no longer answers";
  EXPECT_TRUE(app.Proc().Running());
  // The program's own ticks may count switches of their own: the main window in front after a
  // restore, or no window in front while the foreground passes from one helper's process to the other.
  const int countAfter = app.SwitchCount();
  std::printf("[soak] LabelCount %d -> %d; whole test %.1f s\n", countBefore, countAfter,
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  EXPECT_GE(countAfter - countBefore, outcome.done.switches);

  // What the user sees after it all: the monitor's diagram and the history after its many clears.
  app.ShowPage(0);
  app.Screenshot(L"soak_state");
  app.ShowPage(2);
  app.Screenshot(L"soak_history");
}

}  // namespace
}  // namespace kestrune::e2e
