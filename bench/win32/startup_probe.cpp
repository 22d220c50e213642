// startup_probe: how long kestrune.exe takes from process creation to its main window on screen.
//
//   startup_probe.exe <path of kestrune.exe> [runs, default 7]
//
// Each run copies the program into a fresh folder with a settings file (acceleration on, not
// starting hidden), starts it, and watches every millisecond for a visible top-level window of
// class "KestruneMainWindow" owned by the new process. The program is then ended the way a log-off
// ends it (no confirmation) before the next run, since only one copy may run at a time. Prints every
// run and the median; the first run also pays for loading the system libraries from disk.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

using namespace kestrune::probe;

constexpr char kSettings[] =
    "[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n"
    "[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n";
constexpr DWORD kGiveUpMs = 30000;

// Seconds to the shown window, or a negative value when the run failed.
double MeasureOnce(const std::wstring& program, int run) {
  RunFolder folder(L"startup", run);
  const std::wstring exe = folder.File(L"kestrune.exe");
  if (!::CopyFileW(program.c_str(), exe.c_str(), FALSE) || !WriteBytes(folder.File(L"kestrune.ini"), kSettings)) {
    std::fprintf(stderr, "run %d: cannot prepare %ls\n", run, folder.Path().c_str());
    return -1;
  }
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER started{};
  ::QueryPerformanceCounter(&started);
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.Path().c_str(),
                        &startup, &process)) {
    std::fprintf(stderr, "run %d: CreateProcess failed (%lu)\n", run, ::GetLastError());
    return -1;
  }
  Search search{process.dwProcessId, nullptr};
  LARGE_INTEGER now{};
  double elapsed = 0;
  for (;;) {
    ::EnumWindows(FindShownMainWindow, reinterpret_cast<LPARAM>(&search));
    ::QueryPerformanceCounter(&now);
    elapsed = Seconds(started, now);
    if (search.found != nullptr || elapsed * 1000 > kGiveUpMs) break;
    if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  const bool shown = search.found != nullptr;
  EndLikeLogOff(search.found, process.hProcess);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (!shown) {
    std::fprintf(stderr, "run %d: no main window within %.1f s\n", run, elapsed);
    return -1;
  }
  return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_probe <kestrune.exe> [runs]\n");
    return 2;
  }
  const std::wstring program = argv[1];
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
  std::vector<double> times;
  for (int run = 1; run <= runs; ++run) {
    const double seconds = MeasureOnce(program, run);
    if (seconds < 0) return 1;
    std::printf("run %d: %.1f ms\n", run, seconds * 1000);
    std::fflush(stdout);
    times.push_back(seconds);
  }
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
  std::printf("start-up to main window shown: median %.1f ms over %zu runs (min %.1f ms, max %.1f ms)\n",
              median * 1000, n, times.front() * 1000, times.back() * 1000);
  return 0;
}
