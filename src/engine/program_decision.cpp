#include "engine/program_decision.h"

#include "platform/processes.h"

namespace kestrune {
namespace {

Decision Front(const ProgramRule* rule, SpeedLevel general) {
  const FrontChoice choice = rule != nullptr ? rule->front : FrontChoice::Auto;
  const bool byRule = choice != FrontChoice::Auto;
  if (choice == FrontChoice::Off) return {Treatment::LeftAlone, 0, SpeedLevel::Unknown, true};
  SpeedLevel level = general;
  if (choice == FrontChoice::High) level = SpeedLevel::Normal;
  if (choice == FrontChoice::Realtime) level = SpeedLevel::Extreme;
  // An unknown level cannot come from the pick-only list: nothing is raised then.
  if (level == SpeedLevel::Unknown) return {};
  return {Treatment::Raised, level == SpeedLevel::Normal ? priority::kHigh : priority::kRealtime, level, byRule};
}

}  // namespace

Decision Decide(const ProgramRule* rule, const ProcessPlace& place, const GeneralSettings& general) {
  if (place.front) return Front(rule, general.level);
  if (place.frontTree || !place.ours) return {};
  const BehindChoice behind = rule != nullptr ? rule->behind : BehindChoice::Auto;
  if (behind == BehindChoice::Low) return {Treatment::KeptLow, priority::kBelowNormal, SpeedLevel::Unknown, true};
  if (behind == BehindChoice::Free || (rule != nullptr && rule->front == FrontChoice::Off))
    return {Treatment::LeftAlone, 0, SpeedLevel::Unknown, true};
  if (general.restrain && place.hog && !place.system)
    return {Treatment::Restrained, priority::kBelowNormal, SpeedLevel::Unknown, false};
  return {};
}

}  // namespace kestrune
