#pragma once
// Every process with its processor time from one NtQuerySystemInformation(SystemProcessInformation)
// call: no process is opened, and the list's buffer is kept from one reading to the next.
#include <vector>

#include "platform/process_snapshot.h"

namespace kestrune {

class Win32ProcessSnapshot : public ProcessSnapshot {
 public:
  bool Take(std::vector<ProcessSample>& samples, std::uint64_t& now) override;
  std::uint32_t OwnSession() override;
  unsigned ProcessorCount() override;
  bool MachineTimes(std::uint64_t& idle, std::uint64_t& total) override;

 private:
  // The names of the samples point into it, so it is only replaced by the next reading.
  std::vector<unsigned char> buffer_;
};

}  // namespace kestrune
