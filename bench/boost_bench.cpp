// Cost of the once-a-second boost tick (a switch with its four process opens, a tick that sees the same
// window, a tick with acceleration off) and of building the saved history's text at its largest
// (301 rows of 254-byte titles). The platform is an in-memory desktop with no system calls, so the
// figures are the program's own share of a tick.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "boost/boost_cycle.h"
#include "boost/history.h"

namespace {

using namespace kestrune;

class BenchProcesses : public ProcessApi {
 public:
  WindowHandle ForegroundWindow() override { return foreground; }
  std::string WindowTitleAnsi(WindowHandle window) override {
    return window == 1 ? "Editor - notes.txt" : std::string(300, 'b');
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

class Check : public CheckBox {
 public:
  explicit Check(bool on) : on_(on) {}
  bool Checked() const override { return on_; }
  void SetChecked(bool on) override { on_ = on; }

 private:
  bool on_;
};

class Combo : public ComboBox {
 public:
  explicit Combo(std::vector<std::wstring> items) : items_(std::move(items)) {}
  void AddItem(std::wstring_view text) override { items_.emplace_back(text); }
  int ItemCount() const override { return static_cast<int>(items_.size()); }
  std::wstring ItemText(int index) const override { return items_.at(static_cast<std::size_t>(index)); }
  int SelectedIndex() const override { return selected_; }
  void SetSelectedIndex(int index) override { selected_ = index; }

 private:
  std::vector<std::wstring> items_;
  int selected_ = 0;
};

class TextLabel : public Label {
 public:
  std::wstring Caption() const override { return caption_; }
  void SetCaption(std::wstring_view text) override { caption_ = text; }
  void SetTooltip(std::wstring_view text) override { tooltip_ = text; }

 private:
  std::wstring caption_, tooltip_;
};

class Rows : public HistoryList {
 public:
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  void Clear() override { rows_.clear(); }
  void AddRow(std::wstring_view itemText) override { rows_.push_back({std::wstring(itemText), {}, {}, {}}); }
  void SetCell(int row, int column, std::wstring_view text) override {
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
  }
  std::wstring Cell(int row, int column) const override {
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }

 private:
  std::vector<std::vector<std::wstring>> rows_;
};

class NoRecorder : public SwitchRecorder {
 public:
  void RecordSwitch(std::wstring_view title, std::wstring_view) override { benchmark::DoNotOptimize(title.size()); }
};

struct Tick {
  BenchProcesses processes;
  Latin1 codePage;
  Check state{true}, record{true};
  Combo speed{{std::wstring(kSpeedNormal), std::wstring(kSpeedExtreme)}};
  TextLabel info, count;
  NoRecorder recorder;
  BoostCycle cycle{processes, codePage, BoostControls{state, speed, record, info, count}, recorder};
};

// Every tick a different window: two priority changes, four opens, label, record and counter.
void BM_TickWithSwitch(benchmark::State& st) {
  Tick t;
  for (auto _ : st) {
    t.processes.foreground = t.processes.foreground == 1 ? 2 : 1;
    t.cycle.Tick();
  }
}
BENCHMARK(BM_TickWithSwitch);

// The same window in front: one foreground query and one title read.
void BM_TickSameWindow(benchmark::State& st) {
  Tick t;
  t.cycle.Tick();
  for (auto _ : st) t.cycle.Tick();
}
BENCHMARK(BM_TickSameWindow);

void BM_TickAccelerationOff(benchmark::State& st) {
  Tick t;
  t.state.SetChecked(false);
  for (auto _ : st) t.cycle.Tick();
}
BENCHMARK(BM_TickAccelerationOff);

// The saved file's text for the largest history the "300" maximum allows.
void BM_BuildFullHistoryText(benchmark::State& st) {
  Rows rows;
  for (int i = 0; i < 301; ++i) {
    rows.AddRow(std::to_wstring(i + 1) + L" ");
    rows.SetCell(i, 1, L"12:34:56");
    rows.SetCell(i, 2, std::wstring(254, L'x'));
    rows.SetCell(i, 3, kSpeedNormal);
  }
  for (auto _ : st) {
    const std::wstring text = BuildHistoryText(rows, L"https://kestrune.example/");
    benchmark::DoNotOptimize(text.data());
  }
  st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) * 301 * 270);
}
BENCHMARK(BM_BuildFullHistoryText);

}  // namespace
