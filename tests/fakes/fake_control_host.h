#pragma once
// An in-memory ControlHost: records what a control asks of its host so tests can check it, and lets
// tests set the ambient properties, the cursor and the contained controls.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/control_host.h"

namespace kestrune::testing {

// A contained control with a position and visibility; refuseMove makes SetLeft throw, as a control
// that cannot be moved does.
class FakeContainedControl : public ContainedControl {
 public:
  FakeContainedControl(std::string name, int left, int top, bool visible = true)
      : name_(std::move(name)), left_(left), top_(top), visible_(visible) {}

  std::string Name() const override { return name_; }
  int Left() const override { return left_; }
  void SetLeft(int left) override;
  int Top() const override { return top_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }

  bool refuseMove = false;
  int moveCount = 0;  // successful SetLeft calls

 private:
  std::string name_;
  int left_;
  int top_;
  bool visible_;
};

class FakeControlHost : public ControlHost {
 public:
  bool UserMode() const override { return userMode; }
  Font AmbientFont() const override { return ambientFont; }
  OleColor AmbientBackColor() const override { return ambientBackColor; }
  bool DisplayAsDefault() const override { return displayAsDefault; }
  bool FocusMarksShown() const override { return focusMarksShown; }

  void PropertyChanged(std::string_view key) override { changedKeys.emplace_back(key); }

  void StartTimer(int timerId, unsigned intervalMs) override;
  void StopTimer(int timerId) override;
  bool TimerRunning(int timerId) const { return runningTimers.count(timerId) != 0; }

  Point CursorPos() const override { return cursor; }

  std::vector<ContainedControl*> ContainedControls() override;
  // Adds a contained control owned by the host and returns it for the test to inspect.
  FakeContainedControl& AddContained(std::string name, int left, int top, bool visible = true);

  void SetAccessKeys(std::wstring_view keys) override { accessKeys = keys; }
  void ProcessPendingMessages() override {
    ++pendingMessageCalls;
    if (onPendingMessages) onPendingMessages();  // messages that arrive while the control lets them run
  }
  void Invalidate() override { ++invalidateCount; }
  bool Seen() const override { return seen; }
  Rect Bounds() const override { return bounds; }

  void SetWindowBorder(int style, int appearanceValue) override {
    borderStyle = style;
    appearance = appearanceValue;
  }
  void SetWindowEnabled(bool enabled) override { windowEnabled = enabled; }
  void RaiseAccessibleEvent(AccessibleEvent event, long child) override { accessibleEvents.emplace_back(event, child); }

  // Settable ambient state.
  bool userMode = true;
  Font ambientFont{};
  OleColor ambientBackColor = 0x8000000F;
  bool displayAsDefault = false;
  bool focusMarksShown = true;
  Point cursor{};
  Rect bounds{0, 0, 100, 50};
  bool seen = true;  // false: the window is hidden, minimised or parked off its page
  std::function<void()> onPendingMessages;

  // Recorded requests.
  std::vector<std::string> changedKeys;            // PropertyChanged keys in call order
  std::map<int, unsigned> runningTimers;           // id -> interval
  std::vector<std::pair<int, unsigned>> timerStarts;  // every StartTimer call in order
  std::vector<int> timerStops;                     // every StopTimer call in order
  std::wstring accessKeys;
  int pendingMessageCalls = 0;
  int invalidateCount = 0;
  int borderStyle = -1;
  int appearance = -1;
  bool windowEnabled = true;
  std::vector<std::pair<AccessibleEvent, long>> accessibleEvents;  // in call order

 private:
  std::vector<std::unique_ptr<FakeContainedControl>> contained_;
};

}  // namespace kestrune::testing
