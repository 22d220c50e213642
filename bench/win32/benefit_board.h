#pragma once
// What the benefit benchmark's programs share: a board in named shared memory on which every
// measured thread counts its work or records how late it woke, the unit of work, and the two ways a
// thread waits for its next deadline. benefit_probe.exe creates the board and reads it at the start
// and the end of each measured period; the programs it starts only write their own fields, so no
// lock is needed (a reader may see a histogram one wake-up behind, nothing more).
#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <string>

namespace kestrune::benefit {

// Lateness in microseconds, in buckets that keep about 3 % of precision from 1 us to minutes: one
// bucket per microsecond below 64, then 32 buckets per doubling.
constexpr int kExactBuckets = 64;
constexpr int kPerDoubling = 32;
constexpr int kBuckets = kExactBuckets + 26 * kPerDoubling;

inline int BucketOf(std::uint64_t us) {
  if (us < kExactBuckets) return static_cast<int>(us);
  int exponent = 63 - __builtin_clzll(us);  // 6 or more
  const int sub = static_cast<int>((us >> (exponent - 5)) & (kPerDoubling - 1));
  const int bucket = kExactBuckets + (exponent - 6) * kPerDoubling + sub;
  return bucket < kBuckets ? bucket : kBuckets - 1;
}

// The smallest lateness a bucket holds.
inline std::uint64_t BucketFloor(int bucket) {
  if (bucket < kExactBuckets) return static_cast<std::uint64_t>(bucket);
  const int exponent = 6 + (bucket - kExactBuckets) / kPerDoubling;
  const int sub = (bucket - kExactBuckets) % kPerDoubling;
  return (std::uint64_t{1} << exponent) + (static_cast<std::uint64_t>(sub) << (exponent - 5));
}

struct Histogram {
  volatile LONG64 count[kBuckets];
  volatile LONG64 worst;  // in us; the probe sets it to 0 where a period starts
};

enum Waker { kInput, kFrame, kCanary, kWakers };

// One load thread per slot after the front's own.
constexpr int kFrontSlot = 0;
constexpr int kWorkSlots = 1025;

struct Board {
  volatile LONG64 work[kWorkSlots];  // units of work done, one writer each
  volatile LONG64 frontCpu;          // the front worker's own processor time, 100 ns units
  volatile LONG64 frontLost;         // checks that found the front window behind another
  Histogram wakers[kWakers];
};

// Opens (or with create, makes) the board of this name; nullptr on failure. The mapping's handle
// stays open for the life of the process, which needs the board until it ends.
inline Board* OpenBoard(const std::wstring& name, bool create) {
  HANDLE mapping = create ? ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Board),
                                                 name.c_str())
                          : ::OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
  if (mapping == nullptr) return nullptr;
  return static_cast<Board*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Board)));
}

// One unit of work: a few tens of microseconds of arithmetic the compiler cannot drop.
inline std::uint64_t WorkUnit(std::uint64_t seed) {
  for (int i = 0; i < 40000; ++i) seed = seed * 6364136223846793005ull + 1442695040888963407ull;
  return seed;
}

inline double NowUs() {
  static const double perUs = [] {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e6;
  }();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / perUs;
}

inline void Record(Histogram& histogram, double lateUs) {
  const auto us = static_cast<std::uint64_t>(lateUs < 0 ? 0 : lateUs);
  histogram.count[BucketOf(us)] = histogram.count[BucketOf(us)] + 1;
  if (static_cast<LONG64>(us) > histogram.worst) histogram.worst = static_cast<LONG64>(us);
}

// How a thread waits for its deadline.
enum class Wait {
  // Sleep's own call with the time to the deadline: under Wine it yields the processor first and then
  // sleeps in the kernel, so the Linux scheduler alone decides when the thread runs again. A frame
  // loop waits so.
  Sleep,
  // A waitable timer set to the deadline, waited for together with the thread's messages: the Wine
  // server wakes the thread, as it does a thread waiting for input.
  MessagesAndTimer,
};

// Wakes every periodUs until *stop, records each wake-up's lateness and does `units` of work.
// Deadlines stay on their grid: a wake-up later than a whole period skips the deadlines it missed.
inline void WakeLoop(Histogram& histogram, double periodUs, Wait wait, int units, volatile bool* stop) {
  using NtDelayExecution = LONG(NTAPI*)(BOOLEAN, PLARGE_INTEGER);
  static const auto delay = reinterpret_cast<NtDelayExecution>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtDelayExecution")));
  HANDLE timer = wait == Wait::MessagesAndTimer ? ::CreateWaitableTimerW(nullptr, FALSE, nullptr) : nullptr;
  const double start = NowUs();
  std::uint64_t seed = 1;
  for (long long tick = 1; !*stop; ++tick) {
    const double deadline = start + static_cast<double>(tick) * periodUs;
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>((deadline - NowUs()) * 10);
    if (due.QuadPart < 0) {
      if (timer == nullptr) {
        delay(FALSE, &due);
      } else {
        ::SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
        while (::MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
          MSG message;
          while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        }
      }
    }
    const double late = NowUs() - deadline;
    Record(histogram, late);
    for (int i = 0; i < units; ++i) seed = WorkUnit(seed);
    const double behind = NowUs() - deadline;
    if (behind > periodUs) tick += static_cast<long long>(behind / periodUs);
  }
  if (timer != nullptr) ::CloseHandle(timer);
  if (seed == 42) ::OutputDebugStringW(L"");  // keeps the work
}

inline std::wstring Argument(int argc, wchar_t** argv, const wchar_t* name, const wchar_t* fallback = L"") {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::wcscmp(argv[i], name) == 0) return argv[i + 1];
  return fallback;
}

inline bool HasFlag(int argc, wchar_t** argv, const wchar_t* name) {
  for (int i = 1; i < argc; ++i)
    if (std::wcscmp(argv[i], name) == 0) return true;
  return false;
}

}  // namespace kestrune::benefit
