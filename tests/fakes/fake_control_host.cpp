#include "fakes/fake_control_host.h"

#include <stdexcept>

namespace kestrune::testing {

void FakeContainedControl::SetLeft(int left) {
  if (refuseMove) throw std::runtime_error("control " + name_ + " cannot be moved");
  left_ = left;
  ++moveCount;
}

void FakeControlHost::StartTimer(int timerId, unsigned intervalMs) {
  runningTimers[timerId] = intervalMs;
  timerStarts.emplace_back(timerId, intervalMs);
}

void FakeControlHost::StopTimer(int timerId) {
  runningTimers.erase(timerId);
  timerStops.push_back(timerId);
}

std::vector<ContainedControl*> FakeControlHost::ContainedControls() {
  std::vector<ContainedControl*> out;
  out.reserve(contained_.size());
  for (auto& c : contained_) out.push_back(c.get());
  return out;
}

FakeContainedControl& FakeControlHost::AddContained(std::string name, int left, int top, bool visible) {
  contained_.push_back(std::make_unique<FakeContainedControl>(std::move(name), left, top, visible));
  return *contained_.back();
}

}  // namespace kestrune::testing
