// reaction_probe: how long kestrune.exe takes from a change of the foreground window to the new
// foreground program's class being changed, with InstantReaction on and off.
//
//   reaction_probe.exe <path of kestrune.exe> [switches per setting, default 20]
//
// For each setting a copy runs from a fresh folder (acceleration on, normal level). The probe has a
// window of its own and moves the foreground between it and Kestrune's main window; after each move
// is confirmed (GetForegroundWindow names the new window) it reads its own priority class every
// millisecond until Kestrune has raised it (its window in front) or given it back (Kestrune's in
// front). Switches are spread over the second by pauses of different lengths. Prints every
// setting's median, mean and slowest reaction.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

using namespace kestrune::probe;

constexpr DWORD kGiveUpMs = 5000;

std::string Settings(bool instant) {
  return std::string("[Normal]\r\nAutoRun=0\r\nAutoMin=0\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=1\r\n"
                     "[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n[Advanced]\r\nInstantReaction=") +
         (instant ? "1" : "0") + "\r\n";
}

// Milliseconds from the confirmed move of the foreground to `window` until this process runs at
// `expected`; negative when that never came.
double Reaction(HWND window, DWORD expected) {
  ::SetForegroundWindow(window);
  LARGE_INTEGER from{}, now{};
  ::QueryPerformanceCounter(&from);
  bool moved = false;
  for (;;) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::QueryPerformanceCounter(&now);
    if (!moved && ::GetForegroundWindow() == window) {
      moved = true;
      from = now;
    }
    if (moved && ::GetPriorityClass(::GetCurrentProcess()) == expected) return Seconds(from, now) * 1000;
    if (Seconds(from, now) * 1000 > kGiveUpMs) return -1;
    ::Sleep(1);
  }
}

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const double mean = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
  std::printf("InstantReaction=%s: reaction median %.1f ms, mean %.1f ms, slowest %.1f ms over %zu switches\n", name,
              times[times.size() / 2], mean, times.back(), times.size());
  std::fflush(stdout);
}

bool MeasureSetting(const std::wstring& program, bool instant, int switches, HWND own) {
  RunFolder folder(L"reaction", instant ? 1 : 0);
  const std::wstring exe = folder.File(L"kestrune.exe");
  if (!::CopyFileW(program.c_str(), exe.c_str(), FALSE) || !WriteBytes(folder.File(L"kestrune.ini"), Settings(instant)))
    return false;
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.Path().c_str(),
                        &startup, &process))
    return false;
  Search search{process.dwProcessId, nullptr};
  for (int i = 0; i < 30000 && search.found == nullptr; ++i) {
    ::EnumWindows(FindShownMainWindow, reinterpret_cast<LPARAM>(&search));
    ::Sleep(1);
  }
  std::vector<double> times;
  bool ok = search.found != nullptr;
  ::Sleep(1500);  // past the start-up's own first tick
  for (int i = 0; ok && i < switches; ++i) {
    // A pause that walks through the whole second: a switch made right after the last reaction
    // would always land just after a one-second tick and show only its worst case.
    ::Sleep(static_cast<DWORD>(i * 389 % 1000));
    const double raised = Reaction(own, HIGH_PRIORITY_CLASS);
    ::Sleep(static_cast<DWORD>(i * 613 % 1000));
    const double givenBack = Reaction(search.found, NORMAL_PRIORITY_CLASS);
    ok = raised >= 0 && givenBack >= 0;
    times.push_back(raised);
    times.push_back(givenBack);
  }
  EndLikeLogOff(search.found, process.hProcess);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (ok) Report(instant ? "1" : "0", times);
  else std::fprintf(stderr, "InstantReaction=%d: no reaction within %lu ms\n", instant ? 1 : 0, kGiveUpMs);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: reaction_probe <kestrune.exe> [switches]\n");
    return 2;
  }
  const int switches = argc > 2 ? std::max(1, _wtoi(argv[2])) : 20;
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"KestruneReactionProbe";
  ::RegisterClassW(&wc);
  HWND own = ::CreateWindowExW(0, wc.lpszClassName, L"reaction probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 640, 40, 300,
                               120, nullptr, nullptr, wc.hInstance, nullptr);
  if (own == nullptr) return 1;
  bool ok = true;
  for (const bool instant : {true, false}) ok = MeasureSetting(argv[1], instant, switches, own) && ok;
  ::DestroyWindow(own);
  return ok ? 0 : 1;
}
