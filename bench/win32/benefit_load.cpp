// benefit_load: the background of scripts/benefit.sh, and the class changer of the scheduler
// bridge's smoke run.
//
//   benefit_load.exe --board NAME --spin FIRST COUNT   COUNT threads that work as fast as they can,
//                                                      each counting its units in board slot FIRST+i
//   benefit_load.exe --board NAME --canary             a thread of the normal class behind the front
//                                                      that wakes every millisecond through Sleep's
//                                                      wait and does a little work, as a player's or a
//                                                      chat program's thread does: how late it woke
//   benefit_load.exe --classes TOKEN                   three idle threads; sets its own priority class
//                                                      to each name read from standard input (IDLE,
//                                                      BELOW_NORMAL, NORMAL, ABOVE_NORMAL, HIGH,
//                                                      REALTIME) and answers "set NAME" once done;
//                                                      TOKEN only makes its command line its own
//
// Runs until ended (the smoke mode: until its input ends).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <iostream>
#include <string>

#include "benefit_board.h"

namespace {

using namespace kestrune::benefit;

Board* g_board = nullptr;
volatile bool g_stop = false;

DWORD WINAPI Spin(LPVOID slot) {
  const auto index = reinterpret_cast<std::uintptr_t>(slot);
  std::uint64_t seed = index;
  for (;;) {
    seed = WorkUnit(seed);
    g_board->work[index] = g_board->work[index] + 1;
  }
}

DWORD WINAPI Idle(LPVOID) {
  ::Sleep(INFINITE);
  return 0;
}

struct NamedClass {
  const char* name;
  DWORD value;
};
constexpr NamedClass kClasses[] = {
    {"IDLE", IDLE_PRIORITY_CLASS},  {"BELOW_NORMAL", BELOW_NORMAL_PRIORITY_CLASS},
    {"NORMAL", NORMAL_PRIORITY_CLASS}, {"ABOVE_NORMAL", ABOVE_NORMAL_PRIORITY_CLASS},
    {"HIGH", HIGH_PRIORITY_CLASS},  {"REALTIME", REALTIME_PRIORITY_CLASS},
};

int ChangeClasses() {
  for (int i = 0; i < 2; ++i) ::CloseHandle(::CreateThread(nullptr, 0, Idle, nullptr, 0, nullptr));
  std::printf("ready %lu\n", ::GetCurrentProcessId());
  std::fflush(stdout);
  std::string line;
  while (std::getline(std::cin, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    bool set = false;
    for (const NamedClass& named : kClasses)
      if (line == named.name) set = ::SetPriorityClass(::GetCurrentProcess(), named.value) != 0;
    std::printf(set ? "set %s\n" : "refused %s\n", line.c_str());
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wcscmp(argv[1], L"--classes") == 0) return ChangeClasses();
  g_board = OpenBoard(Argument(argc, argv, L"--board"), false);
  if (g_board == nullptr) return 2;
  if (HasFlag(argc, argv, L"--canary")) {
    WakeLoop(g_board->wakers[kCanary], 1000, Wait::Sleep, 1, &g_stop);
    return 0;
  }
  for (int i = 1; i + 2 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--spin") != 0) continue;
    const int first = _wtoi(argv[i + 1]);
    const int count = _wtoi(argv[i + 2]);
    if (first < 1 || count < 1 || first + count > kWorkSlots) return 2;
    for (int t = 0; t < count; ++t) {
      const auto slot = reinterpret_cast<LPVOID>(static_cast<std::uintptr_t>(first + t));
      if (HANDLE thread = ::CreateThread(nullptr, 0, Spin, slot, 0, nullptr)) ::CloseHandle(thread);
    }
    ::Sleep(INFINITE);  // the spinners run until the probe ends this process
    return 0;
  }
  return 2;
}
