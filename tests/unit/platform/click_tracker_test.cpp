#include "platform/click_tracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/own_control.h"

namespace kestrune {
namespace {

enum class Kind { Down, Double, Up };
struct Event {
  int button;
  Kind kind;
  int held = 0;  // buttons still down after a release
};

std::string Describe(const MouseStep& s) {
  std::string out = s.report == MouseStep::Report::MouseDown  ? "down"
                    : s.report == MouseStep::Report::DblClick ? "dblclick"
                                                               : "up";
  if (s.takeFocus) out += " focus";
  if (s.capture) out += " capture";
  if (s.releaseCapture) out += " release";
  if (s.clickIfInside) out += " click";
  return out;
}

struct Case {
  const char* name;
  std::vector<Event> events;
  std::vector<std::string> steps;
};

TEST(ClickTracker, ReportsClicksDoubleClicksAndTheCapture) {
  constexpr int L = mouse::kLeft, R = mouse::kRight, M = mouse::kMiddle;
  const std::vector<Case> cases{
      {"left click", {{L, Kind::Down}, {L, Kind::Up}}, {"down focus capture", "up release click"}},
      {"left double click: the second press is the double click and its release no click",
       {{L, Kind::Down}, {L, Kind::Up}, {L, Kind::Double}, {L, Kind::Up}, {L, Kind::Down}, {L, Kind::Up}},
       {"down focus capture", "up release click", "dblclick capture", "up release", "down focus capture",
        "up release click"}},
      {"right and middle buttons click nothing; their double clicks are presses",
       {{R, Kind::Down}, {R, Kind::Up}, {R, Kind::Double}, {R, Kind::Up}, {M, Kind::Double}, {M, Kind::Up}},
       {"down focus capture", "up release", "down focus capture", "up release", "down focus capture", "up release"}},
      {"the capture stays while another button is held",
       {{L, Kind::Down}, {R, Kind::Down}, {R, Kind::Up, L}, {L, Kind::Up}},
       {"down focus capture", "down focus capture", "up", "up release click"}},
      {"a left release while the right is held still clicks",
       {{R, Kind::Down}, {L, Kind::Down}, {L, Kind::Up, R}, {R, Kind::Up}},
       {"down focus capture", "down focus capture", "up click", "up release"}},
      {"a left release without a left press here", {{L, Kind::Up}}, {"up release"}},
  };
  for (const Case& c : cases) {
    ClickTracker tracker;
    std::vector<std::string> steps;
    for (const Event& e : c.events)
      steps.push_back(Describe(e.kind == Kind::Up ? tracker.Release(e.button, e.held)
                                                  : tracker.Press(e.button, e.kind == Kind::Double)));
    EXPECT_EQ(steps, c.steps) << c.name;
  }
}

}  // namespace
}  // namespace kestrune
