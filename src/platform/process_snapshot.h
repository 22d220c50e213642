#pragma once
// Every process of the system with the processor time it has used, taken in one call: the figures
// the background restraint weighs once a second without opening a single process.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace kestrune {

struct ProcessSample {
  ProcessId process = 0;
  std::uint64_t started = 0;        // creation time, as ProcessApi::StartTime reads it
  std::uint64_t processorTime = 0;  // user + kernel time, in 100 ns units
  std::uint32_t session = 0;        // the log-on session the process runs in
  std::wstring_view name;           // executable file name; valid until the next Take
  ProcessId parent = 0;             // the process that started it, as it was then (its id may be another's now)
};

class ProcessSnapshot {
 public:
  virtual ~ProcessSnapshot() = default;
  // Replaces samples with the processes running now (the vector's storage is reused, so a steady
  // number of processes costs no allocation) and sets now to the time of the reading, in 100 ns
  // units, from a clock that only moves forward: a wall clock set back or forward (time sync,
  // daylight saving) would count the machine's load twice or not at all. False when the system
  // refused the list; samples is then empty.
  virtual bool Take(std::vector<ProcessSample>& samples, std::uint64_t& now) = 0;
  // The session this program runs in: the current user's processes share it.
  virtual std::uint32_t OwnSession() = 0;
  virtual unsigned ProcessorCount() = 0;
  // The machine's idle time and its whole time (both summed over every processor, 100 ns units)
  // since it started: a cheap look at how busy it is before the whole list is worth taking.
  // False when the system does not tell.
  virtual bool MachineTimes(std::uint64_t& idle, std::uint64_t& total) = 0;
};

}  // namespace kestrune
