// benefit_probe: one configuration of scripts/benefit.sh at one background load. It starts Kestrune
// (unless the configuration is "off") from a fresh folder, the background load and a canary, then
// each kind of front program in turn; waits until Kestrune has done what the configuration makes it
// do, measures for a fixed period on the shared board, and prints one line per kind:
//
//   benefit_probe.exe --kestrune <kestrune.exe> --config off|normal|extreme|normal+restraint|restraint
//                     --threads N [--kinds throughput,responsive,child] [--seconds 20] [--short 10]
//                     [--label TEXT]
//
//   result TEXT config=... kind=... settled=1 wall_s=... front_rate=... front_cpu=... bg_rate=...
//          canary_p50=... canary_p99=... canary_worst=... [input_... frame_...] front_class=...
//          child_class=... restrained=k/n lost=...
//   hist TEXT config=... kind=responsive waker=input|frame <floor us>:<count> ...
//
// Lateness is in microseconds, rates in units of work per second, front_cpu in cores. The
// throughput kind measures for --seconds, the others for --short. TEXT (say "round=1 level=2x")
// is repeated on every line for the report.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "benefit_board.h"
#include "benefit_probe_support.h"
#include "probe_support.h"

namespace {

using namespace kestrune::benefit;
using kestrune::probe::RunFolder;

constexpr ConfigRow kConfigs[] = {
    {L"off", 0, false, false},
    {L"normal", 1, false, false},
    {L"extreme", 2, false, false},
    {L"normal+restraint", 1, true, false},
    // Restraint runs only while acceleration is on: the front program is left out of acceleration.
    {L"restraint", 1, true, true},
};

struct Options {
  std::wstring kestrune, label, kinds = L"throughput,responsive,child";
  const ConfigRow* config = nullptr;
  int threads = 0;
  double seconds = 20, shortSeconds = 10;
};

bool ReadOptions(int argc, wchar_t** argv, Options& options) {
  options.kestrune = Argument(argc, argv, L"--kestrune");
  options.label = Argument(argc, argv, L"--label");
  options.kinds = Argument(argc, argv, L"--kinds", options.kinds.c_str());
  options.threads = _wtoi(Argument(argc, argv, L"--threads", L"0").c_str());
  options.seconds = _wtof(Argument(argc, argv, L"--seconds", L"20").c_str());
  options.shortSeconds = _wtof(Argument(argc, argv, L"--short", L"10").c_str());
  const std::wstring config = Argument(argc, argv, L"--config");
  for (const ConfigRow& row : kConfigs)
    if (config == row.name) options.config = &row;
  return options.config != nullptr && options.threads >= 0 && options.threads < kWorkSlots && options.seconds > 0 &&
         options.shortSeconds > 0 && (options.config->speed == 0 || !options.kestrune.empty());
}

// The figures of one measured period, from the board before and after.
void PrintResult(const Options& options, const std::wstring& kind, const Board& before, const Board& after,
                 double wall, const Outcome& outcome) {
  double background = 0;
  for (int slot = 1; slot <= options.threads; ++slot) background += static_cast<double>(after.work[slot] - before.work[slot]);
  std::printf("result %ls config=%ls kind=%ls settled=%d settle_s=%.1f wall_s=%.2f front_rate=%.1f front_cpu=%.3f "
              "bg_rate=%.1f",
              options.label.c_str(), options.config->name, kind.c_str(), outcome.settled ? 1 : 0, outcome.settleSeconds,
              wall, static_cast<double>(after.work[kFrontSlot] - before.work[kFrontSlot]) / wall,
              static_cast<double>(after.frontCpu - before.frontCpu) / 1e7 / wall, background / wall);
  const char* names[kWakers] = {"input", "frame", "canary"};
  for (int waker = 0; waker < kWakers; ++waker) {
    const Lateness late = LatenessOf(before.wakers[waker], after.wakers[waker]);
    if (late.count == 0) continue;
    std::printf(" %s_n=%lld %s_p50=%llu %s_p99=%llu %s_worst=%llu", names[waker], late.count, names[waker], late.p50,
                names[waker], late.p99, names[waker], late.worst);
  }
  std::printf(" front_class=%s child_class=%s restrained=%d/%d lost=%lld\n", outcome.frontClass, outcome.childClass,
              outcome.restrained, outcome.loadProcesses, static_cast<long long>(after.frontLost - before.frontLost));
  for (int waker : {kInput, kFrame}) {
    if (kind != L"responsive") break;
    std::printf("hist %ls config=%ls kind=%ls waker=%s", options.label.c_str(), options.config->name, kind.c_str(),
                names[waker]);
    for (int bucket = 0; bucket < kBuckets; ++bucket) {
      const LONG64 count = after.wakers[waker].count[bucket] - before.wakers[waker].count[bucket];
      if (count > 0) std::printf(" %llu:%lld", static_cast<unsigned long long>(BucketFloor(bucket)), count);
    }
    std::printf("\n");
  }
  std::fflush(stdout);
}

// One kind of front program: started, brought to the front, settled, measured, ended.
bool MeasureKind(const Options& options, Cell& cell, const std::wstring& kind) {
  Front front = StartFront(cell, kind);
  if (front.process == nullptr) {
    std::fprintf(stderr, "%ls: the front program did not come to the front\n", kind.c_str());
    EndFront(front);
    return false;
  }
  Outcome outcome = Settle(cell, front, *options.config);
  const double seconds = kind == L"throughput" ? options.seconds : options.shortSeconds;
  auto before = std::make_unique<Board>();
  auto after = std::make_unique<Board>();
  for (Histogram& histogram : cell.board->wakers) histogram.worst = 0;
  *before = *cell.board;
  const double start = NowUs();
  ::Sleep(static_cast<DWORD>(seconds * 1000));
  const double wall = (NowUs() - start) / 1e6;
  *after = *cell.board;
  ReadClasses(cell, front, outcome);
  PrintResult(options, kind, *before, *after, wall, outcome);
  EndFront(front);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ReadOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: benefit_probe --kestrune <exe> --config off|normal|extreme|normal+restraint|restraint "
                 "--threads N [--kinds ...] [--seconds S] [--short S] [--label TEXT]\n");
    return 2;
  }
  std::unique_ptr<RunFolder> folder;  // outlives the cell, whose end stops the Kestrune run from it
  Cell cell;
  if (!cell.Open()) return 1;
  if (options.config->speed != 0) {
    folder = std::make_unique<RunFolder>(L"benefit", 0);
    if (!cell.StartKestrune(options.kestrune, *folder, *options.config)) {
      std::fprintf(stderr, "Kestrune did not start\n");
      return 1;
    }
  }
  cell.StartLoad(options.threads);
  bool ok = true;
  std::wstring kinds = options.kinds + L",";
  for (std::size_t at = 0, comma; (comma = kinds.find(L',', at)) != std::wstring::npos; at = comma + 1) {
    const std::wstring kind = kinds.substr(at, comma - at);
    if (!kind.empty()) ok = MeasureKind(options, cell, kind) && ok;
  }
  cell.EndAll();
  return ok ? 0 : 1;
}
