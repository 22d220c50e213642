#pragma once
// The pieces of benefit_probe.exe: the processes of one measured configuration (Kestrune, the
// background load, the canary, the front program), waiting until Kestrune has acted, and the
// lateness figures of a histogram.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "benefit_board.h"
#include "probe_support.h"

namespace kestrune::benefit {

struct ConfigRow {
  const wchar_t* name;
  int speed;  // Kestrune's speed level; 0: Kestrune not running
  bool restrain;
  bool excludeFront;  // the front program in Kestrune's list of programs it leaves alone
};

struct Lateness {
  long long count = 0;
  std::uint64_t p50 = 0, p99 = 0, worst = 0;
};

// A bucket stands for the middle of the latenesses it holds.
inline std::uint64_t BucketMiddle(int bucket) {
  if (bucket < kExactBuckets || bucket + 1 >= kBuckets) return BucketFloor(bucket);
  return (BucketFloor(bucket) + BucketFloor(bucket + 1)) / 2;
}

inline Lateness LatenessOf(const Histogram& before, const Histogram& after) {
  Lateness late;
  for (int bucket = 0; bucket < kBuckets; ++bucket) late.count += after.count[bucket] - before.count[bucket];
  if (late.count == 0) return late;
  long long seen = 0;
  bool half = false;
  for (int bucket = 0; bucket < kBuckets; ++bucket) {
    seen += after.count[bucket] - before.count[bucket];
    if (!half && seen * 2 >= late.count) {
      late.p50 = BucketMiddle(bucket);
      half = true;
    }
    if (seen * 100 >= late.count * 99) {
      late.p99 = BucketMiddle(bucket);
      break;
    }
  }
  late.worst = static_cast<std::uint64_t>(after.worst);
  return late;
}

inline const char* ClassName(DWORD value) {
  switch (value) {
    case IDLE_PRIORITY_CLASS: return "IDLE";
    case BELOW_NORMAL_PRIORITY_CLASS: return "BELOW_NORMAL";
    case NORMAL_PRIORITY_CLASS: return "NORMAL";
    case ABOVE_NORMAL_PRIORITY_CLASS: return "ABOVE_NORMAL";
    case HIGH_PRIORITY_CLASS: return "HIGH";
    case REALTIME_PRIORITY_CLASS: return "REALTIME";
    default: return "-";
  }
}

inline DWORD ClassOfId(DWORD process) {
  HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
  if (handle == nullptr) return 0;
  const DWORD value = ::GetPriorityClass(handle);
  ::CloseHandle(handle);
  return value;
}

struct Front {
  PROCESS_INFORMATION info{};
  HANDLE process = nullptr;  // info.hProcess once it came to the front
  HWND window = nullptr;
  DWORD child = 0;  // the renderer of the child kind
};

struct Outcome {
  bool settled = false;
  double settleSeconds = 0;
  const char* frontClass = "-";
  const char* childClass = "-";
  int restrained = 0;
  int loadProcesses = 0;
};

class Cell {
 public:
  Cell() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    folder_ = path;
    folder_.resize(folder_.find_last_of(L'\\') + 1);
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    cores_ = static_cast<int>(info.dwNumberOfProcessors);
  }
  ~Cell() { EndAll(); }
  Cell(const Cell&) = delete;
  Cell& operator=(const Cell&) = delete;

  bool Open() {
    boardName_ = L"Local\\KestruneBenefit-" + std::to_wstring(::GetCurrentProcessId());
    board = OpenBoard(boardName_, true);
    return board != nullptr;
  }

  // Launches a program of this folder with the board's name in front of its arguments.
  bool Launch(const wchar_t* program, const std::wstring& arguments, PROCESS_INFORMATION& info) const {
    const std::wstring path = folder_ + program;
    std::wstring commandLine = L"\"" + path + L"\" --board " + boardName_ + L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    return ::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info) != 0;
  }

  bool StartKestrune(const std::wstring& program, const probe::RunFolder& run, const ConfigRow& config);
  // Busy threads in processes of at most as many threads as there are cores, and the canary.
  void StartLoad(int threads) {
    for (int first = 1; first <= threads; first += cores_) {
      const int count = std::min(cores_, threads - first + 1);
      PROCESS_INFORMATION info{};
      if (Launch(L"benefit_load.exe", L"--spin " + std::to_wstring(first) + L" " + std::to_wstring(count), info))
        load.push_back(info);
    }
    Launch(L"benefit_load.exe", L"--canary", canary_);
  }
  void EndAll();

  Board* board = nullptr;
  std::vector<PROCESS_INFORMATION> load;

 private:
  std::wstring folder_, boardName_;
  int cores_ = 1;
  PROCESS_INFORMATION canary_{}, kestrune_{};
  HWND kestruneWindow_ = nullptr;
};

inline void EndProcess(PROCESS_INFORMATION& info) {
  if (info.hProcess == nullptr) return;
  ::TerminateProcess(info.hProcess, 0);
  ::WaitForSingleObject(info.hProcess, 5000);
  ::CloseHandle(info.hProcess);
  ::CloseHandle(info.hThread);
  info = PROCESS_INFORMATION{};
}

// A top-level window of this class owned by the process, shown or not.
inline HWND WindowOf(DWORD process, const wchar_t* className, bool shown) {
  struct Search {
    DWORD process;
    const wchar_t* className;
    bool shown;
    HWND found;
  } search{process, className, shown, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        wchar_t name[64] = {};
        ::GetClassNameW(hwnd, name, 64);
        if (owner != s->process || std::wstring(name) != s->className || (s->shown && !::IsWindowVisible(hwnd)))
          return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline bool Cell::StartKestrune(const std::wstring& program, const probe::RunFolder& run, const ConfigRow& config) {
  char settings[512];
  std::snprintf(settings, sizeof(settings),
                "[Normal]\r\nAutoRun=0\r\nAutoMin=1\r\nEnableSpeed=1\r\nAlwaysTop=0\r\n[Speed]\r\nSpeedLevel=%d\r\n"
                "[Record]\r\nEnableRecord=0\r\nRecordCount=50\r\n[Advanced]\r\nRestoreOriginal=0\r\nRestoreOnStop=1\r\n"
                "Exclude=%s\r\nInstantReaction=0\r\nRestrainBackground=%d\r\n",
                config.speed, config.excludeFront ? "benefit_front.exe" : "", config.restrain ? 1 : 0);
  const std::wstring exe = run.File(L"kestrune.exe");
  if (!::CopyFileW(program.c_str(), exe.c_str(), FALSE) || !probe::WriteBytes(run.File(L"kestrune.ini"), settings))
    return false;
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, run.Path().c_str(),
                        &startup, &kestrune_))
    return false;
  for (int i = 0; i < 3000 && kestruneWindow_ == nullptr; ++i) {
    kestruneWindow_ = WindowOf(kestrune_.dwProcessId, probe::kMainWindowClass, false);
    if (::WaitForSingleObject(kestrune_.hProcess, 10) == WAIT_OBJECT_0) break;
  }
  return kestruneWindow_ != nullptr;
}

// Kestrune ends as at a log-off, giving back what it changed; Wine then keeps an ended program's
// process for seconds after its last window, which is not waited for.
inline void Cell::EndAll() {
  if (kestrune_.hProcess != nullptr && kestruneWindow_ != nullptr) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(kestruneWindow_, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ::PostMessageW(kestruneWindow_, WM_CLOSE, 0, 0);
    for (int i = 0; i < 1000 && ::IsWindow(kestruneWindow_); ++i) ::Sleep(10);
    ::WaitForSingleObject(kestrune_.hProcess, 500);
    kestruneWindow_ = nullptr;
  }
  EndProcess(kestrune_);
  for (PROCESS_INFORMATION& info : load) EndProcess(info);
  load.clear();
  EndProcess(canary_);
}

// The renderer the child kind starts: a process of this program whose parent is the front.
inline DWORD ChildOf(DWORD parent) {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  DWORD child = 0;
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more && child == 0; more = ::Process32NextW(snapshot, &entry))
    if (entry.th32ParentProcessID == parent && entry.th32ProcessID != parent) child = entry.th32ProcessID;
  ::CloseHandle(snapshot);
  return child;
}

// The front program ends by its window: its threads stop as the window goes (the child kind's ends
// its renderer then). Wine keeps such a process for two seconds after its last window, which is
// not waited for.
inline void EndFront(Front& front) {
  if (front.window != nullptr && ::IsWindow(front.window)) {
    ::PostMessageW(front.window, WM_CLOSE, 0, 0);
    for (int i = 0; i < 500 && ::IsWindow(front.window); ++i) ::Sleep(10);
  }
  if (front.info.hProcess != nullptr) ::WaitForSingleObject(front.info.hProcess, 200);
  if (front.child != 0) {
    if (HANDLE child = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, front.child)) {
      ::TerminateProcess(child, 0);
      ::WaitForSingleObject(child, 5000);
      ::CloseHandle(child);
    }
  }
  EndProcess(front.info);
  front = Front{};
}

// The front program of this kind, its window in front (and its renderer running, for the child kind).
inline Front StartFront(Cell& cell, const std::wstring& kind) {
  Front front;
  if (!cell.Launch(L"benefit_front.exe", L"--kind " + kind, front.info)) return front;
  for (int i = 0; i < 1500; ++i) {
    if (front.window == nullptr) front.window = WindowOf(front.info.dwProcessId, L"KestruneBenefitFront", true);
    if (kind == L"child" && front.child == 0) front.child = ChildOf(front.info.dwProcessId);
    if (front.window != nullptr && ::GetForegroundWindow() == front.window && (kind != L"child" || front.child != 0)) {
      front.process = front.info.hProcess;
      break;
    }
    ::Sleep(10);
  }
  return front;
}

inline void ReadClasses(Cell& cell, const Front& front, Outcome& outcome) {
  outcome.frontClass = ClassName(::GetPriorityClass(front.process));
  outcome.childClass = front.child != 0 ? ClassName(ClassOfId(front.child)) : "-";
  outcome.loadProcesses = static_cast<int>(cell.load.size());
  outcome.restrained = 0;
  for (const PROCESS_INFORMATION& info : cell.load)
    if (::GetPriorityClass(info.hProcess) == BELOW_NORMAL_PRIORITY_CLASS) ++outcome.restrained;
}

// Waits until Kestrune has raised the front program and restrained the load as the configuration
// asks; with restraint and a renderer, also long enough for the restraint to have weighed the
// renderer (its readings cover five seconds). Gives up after 30 s: settled=0 in the figures.
inline Outcome Settle(Cell& cell, const Front& front, const ConfigRow& config) {
  const DWORD raised = !config.excludeFront && config.speed == 1   ? HIGH_PRIORITY_CLASS
                       : !config.excludeFront && config.speed == 2 ? REALTIME_PRIORITY_CLASS
                                                                   : 0;
  const double minimum = config.restrain && front.child != 0 ? 8 : 1;
  const double start = NowUs();
  Outcome outcome;
  for (;;) {
    ReadClasses(cell, front, outcome);
    const bool reached = (raised == 0 || ::GetPriorityClass(front.process) == raised) &&
                         (!config.restrain || outcome.restrained == outcome.loadProcesses);
    outcome.settleSeconds = (NowUs() - start) / 1e6;
    if ((reached && outcome.settleSeconds >= minimum) || outcome.settleSeconds >= 30) {
      outcome.settled = reached;
      return outcome;
    }
    ::Sleep(100);
  }
}

}  // namespace kestrune::benefit
