// Cost of the once-a-second acceleration tick (a switch with its five process opens, a tick that sees the same
// window, a tick with acceleration off) and of building the saved history's text at its largest
// (301 rows of 254-byte titles). The platform is an in-memory desktop with no system calls, so the
// figures are the program's own share of a tick.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/acceleration_cycle.h"
#include "engine/background_restraint.h"
#include "engine/history.h"
#include "engine/restraint_planner.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_state_file.h"

namespace {

using namespace kestrune;

class BenchProcesses : public ProcessApi {
 public:
  WindowHandle ForegroundWindow() override { return foreground; }
  std::wstring WindowTitle(WindowHandle window) override {
    return window == 1 ? L"Editor - notes.txt" : std::wstring(300, L'b');
  }
  ProcessId WindowProcess(WindowHandle window) override { return static_cast<ProcessId>(window * 10); }
  ProcessId CurrentProcess() override { return 1; }
  Handle OpenProcess(std::uint32_t, ProcessId process) override { return process + 0x100; }
  bool SetPriorityClass(Handle, std::uint32_t priorityClass) override {
    last = priorityClass;
    return true;
  }
  std::uint32_t GetPriorityClass(Handle) override { return last; }
  void CloseHandle(Handle) override {}
  std::string WindowClassName(WindowHandle) override { return "Notepad"; }
  WindowHandle ChildWindowOfClass(WindowHandle, std::string_view) override { return 0; }
  std::wstring ExecutablePath(Handle process) override {
    return process == 0x10A ? L"C:\\Windows\\notepad.exe" : L"C:\\Program Files\\Browser\\browser.exe";
  }
  std::uint64_t StartTime(Handle process) override { return process; }
  WindowHandle foreground = 1;
  std::uint32_t last = 0x20;
};

class Latin1 : public CodePage {
 public:
  bool IsLeadByte(unsigned char) const override { return false; }
  std::wstring ToWide(std::string_view ansi) const override { return std::wstring(ansi.begin(), ansi.end()); }
  std::string ToAnsi(std::wstring_view wide) const override {
    std::string out;
    out.reserve(wide.size());
    for (wchar_t c : wide) out.push_back(static_cast<char>(c));
    return out;
  }
};


struct Tick {
  BenchProcesses processes;
  Latin1 codePage;
  TickInput input{true, SpeedLevel::Normal, true};
  kestrune::testing::FakeStateFile journal;
  PriorityChanges changes{processes, journal};
  AccelerationCycle cycle{processes, codePage, changes};
};

// Every tick a different window: a give-back and a raise (three opens, one of them for the program's
// name, and one journal write), label,
// record and counter.
void BM_TickWithSwitch(benchmark::State& st) {
  Tick t;
  for (auto _ : st) {
    t.processes.foreground = t.processes.foreground == 1 ? 2 : 1;
    const TickOutcome outcome = t.cycle.Tick(t.input);
    benchmark::DoNotOptimize(outcome.title.size());
  }
}
BENCHMARK(BM_TickWithSwitch);

// The same window in front: one foreground query and one title read.
void BM_TickSameWindow(benchmark::State& st) {
  Tick t;
  t.cycle.Tick(t.input);
  for (auto _ : st) benchmark::DoNotOptimize(t.cycle.Tick(t.input).switched);
}
BENCHMARK(BM_TickSameWindow);

void BM_TickAccelerationOff(benchmark::State& st) {
  Tick t;
  t.input.acceleration = false;
  for (auto _ : st) benchmark::DoNotOptimize(t.cycle.Tick(t.input).switched);
}
BENCHMARK(BM_TickAccelerationOff);

// A switch with every advanced setting at work: the class remembered and given back, and both
// programs' executable names looked up in a list of ten names that holds neither.
void BM_TickWithSwitchRestoringAndExcluding(benchmark::State& st) {
  Tick t;
  const ProgramRules list = ProgramRules::FromStored(L"a.exe|b.exe|c.exe|d.exe|e.exe|f.exe|g.exe|h.exe|i.exe|j.exe", {});
  t.input.restoreOriginal = true;
  t.input.rules = &list;
  for (auto _ : st) {
    t.processes.foreground = t.processes.foreground == 1 ? 2 : 1;
    benchmark::DoNotOptimize(t.cycle.Tick(t.input).switched);
  }
}
BENCHMARK(BM_TickWithSwitchRestoringAndExcluding);

// The quick reaction's look every 50 ms while nothing moves: one foreground query and a compare.
void BM_QuickLookStill(benchmark::State& st) {
  Tick t;
  t.cycle.Tick(t.input);
  for (auto _ : st) benchmark::DoNotOptimize(t.cycle.ForegroundMoved());
}
BENCHMARK(BM_QuickLookStill);

// The saved file's text for the largest history the "300" maximum allows.
void BM_BuildFullHistoryText(benchmark::State& st) {
  std::vector<HistoryRow> rows;
  for (int i = 0; i < 301; ++i)
    rows.push_back({std::to_wstring(i + 1) + L" ", L"12:34:56", std::wstring(254, L'x'), std::wstring(SpeedNormalText())});
  for (auto _ : st) {
    const std::wstring text = BuildHistoryText(rows, L"https://kestrune.example/");
    benchmark::DoNotOptimize(text.data());
  }
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * 301 * 270);
}
BENCHMARK(BM_BuildFullHistoryText);

// The background restraint's once-a-second decision over 300 processes' readings, nothing hogging:
// the figure per process is what each process of the system costs the tick.
void BM_RestraintDecisionPerProcess(benchmark::State& st) {
  constexpr int kProcesses = 300;
  std::vector<std::wstring> names;
  for (int i = 0; i < kProcesses; ++i) names.push_back(L"program" + std::to_wstring(i) + L".exe");
  std::vector<ProcessSample> samples(kProcesses);
  RestraintPlanner planner;
  const RestraintContext context{4, 8, 1, nullptr};
  std::uint64_t now = 1, tick = 0;
  for (auto _ : st) {
    ++tick;
    now += 10'000'000;
    // The system lists processes in an order of its own; the planner sorts them each time.
    for (int i = 0; i < kProcesses; ++i) {
      const int id = (i * 7919) % kProcesses + 1;
      samples[static_cast<std::size_t>(i)] = {static_cast<ProcessId>(id * 4), 1000u + static_cast<unsigned>(id),
                                              tick * 1000u * static_cast<unsigned>(id % 7), 1, names[static_cast<std::size_t>(id - 1)]};
    }
    benchmark::DoNotOptimize(planner.Plan(samples, now, 4, context).size());
  }
  st.SetItemsProcessed(static_cast<std::int64_t>(st.iterations()) * kProcesses);
}
BENCHMARK(BM_RestraintDecisionPerProcess);

// The process list as the system gives it, the same every second: copying it stands for the one
// system call that fills the reused buffer.
class BenchSnapshot : public ProcessSnapshot {
 public:
  bool Take(std::vector<ProcessSample>& samples, std::uint64_t& now) override {
    samples.assign(system.begin(), system.end());
    now = ++ticks * 10'000'000ull;
    return true;
  }
  std::uint32_t OwnSession() override { return 1; }
  unsigned ProcessorCount() override { return 4; }
  bool MachineTimes(std::uint64_t& idle, std::uint64_t& total) override {
    total = ticks * 40'000'000ull;
    idle = busy ? ticks * 10'000'000ull : total;
    return true;
  }
  std::vector<ProcessSample> system;
  std::uint64_t ticks = 1;
  bool busy = false;
};

// The programs behind with 100 rules (ten of them "low") and 300 processes, a third of them of a
// program with a rule: every process's rule looked up and decided each tick, the copies a rule keeps
// low held, nothing to change in the steady state. Arg 0: the restraint off (the rules' decision
// alone); 1: the restraint on over a busy machine, its planner asking the same decision for each
// candidate. The figure per process is what each process of the system costs the tick.
void BM_RulesDecisionPerProcess(benchmark::State& st) {
  constexpr int kRules = 100, kProcesses = 300;
  std::vector<ProfileEntry> lines;
  for (int i = 0; i < kRules; ++i)
    lines.push_back({L"Rule" + std::to_wstring(i) + L".exe", i % 10 == 0 ? L"auto,low" : i % 2 ? L"high,free" : L"off,auto"});
  const ProgramRules rules = ProgramRules::FromStored(L"", lines);
  std::vector<std::wstring> names;
  for (int i = 0; i < kProcesses; ++i)
    names.push_back(i % 3 == 0 ? L"rule" + std::to_wstring(i % kRules) + L".exe" : L"program" + std::to_wstring(i) + L".exe");
  kestrune::testing::FakeProcessApi api;
  BenchSnapshot snapshot;
  for (int i = 0; i < kProcesses; ++i) {
    const auto id = static_cast<ProcessId>(((i * 7919) % kProcesses + 1) * 4);  // the system's own order
    api.AddProcess(id, {priority::kNormal, false, false, names[static_cast<std::size_t>(i)], 1000u + id, i % 5 ? id - 4 : 0});
    snapshot.system.push_back({id, 1000u + id, 0, 1, names[static_cast<std::size_t>(i)], i % 5 ? id - 4 : 0});
  }
  snapshot.busy = st.range(0) == 1;
  kestrune::testing::FakeStateFile journal;
  kestrune::testing::FakeClock clock;
  PriorityChanges changes{api, journal};
  BackgroundRestraint behind{{snapshot, api, changes, clock}};
  const BehindInput input{true, st.range(0) == 1, 8, &rules};
  for (int i = 0; i < 3; ++i) behind.Tick(input);
  if (behind.KeptLow().empty()) st.SkipWithError("no process of a low rule is held");
  for (auto _ : st) benchmark::DoNotOptimize(behind.Tick(input).size());
  st.SetItemsProcessed(static_cast<std::int64_t>(st.iterations()) * kProcesses);
}
BENCHMARK(BM_RulesDecisionPerProcess)->Arg(0)->Arg(1);


// The first tick after a rule keeps a program of many processes low (a build farm's workers): every
// one lowered at once, each change journaled before it is made, in an in-memory journal. Arg: the
// processes lowered; "writes": how often that tick wrote the journal.
void BM_FirstTickLowering(benchmark::State& st) {
  const auto count = static_cast<ProcessId>(st.range(0));
  const ProgramRules rules = ProgramRules::FromStored(L"", {{L"worker.exe", L"auto,low"}});
  int writes = 0;
  for (auto _ : st) {
    st.PauseTiming();
    kestrune::testing::FakeProcessApi api;
    BenchSnapshot snapshot;
    for (ProcessId i = 0; i < count; ++i) {
      const ProcessId id = (i * 7919 % count + 1) * 4 + 100;  // the system's own order
      api.AddProcess(id, {priority::kNormal, false, false, L"C:\\Farm\\worker.exe", 1000u + id});
      snapshot.system.push_back({id, 1000u + id, 0, 1, L"worker.exe", 0});
    }
    kestrune::testing::FakeStateFile journal;
    kestrune::testing::FakeClock clock;
    PriorityChanges changes{api, journal};
    BackgroundRestraint behind{{snapshot, api, changes, clock}};
    st.ResumeTiming();
    behind.Tick({true, false, 8, &rules});
    if (behind.KeptLow().size() != count) st.SkipWithError("not every process was lowered");
    writes = journal.writes;
  }
  st.counters["writes"] = writes;
}
BENCHMARK(BM_FirstTickLowering)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace
