#pragma once
// Message boxes that remember what they showed and answer as scripted.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_boxes.h"

namespace kestrune::testing {

class FakeMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    std::wstring text;
    std::wstring title;
    unsigned flags;
  };
  int Show(std::wstring_view text, std::wstring_view title, unsigned flags) override {
    shown.push_back({std::wstring(text), std::wstring(title), flags});
    if (answers.empty()) return answer;
    const int next = answers.front();
    answers.pop_front();
    return next;
  }
  std::vector<Shown> shown;
  std::deque<int> answers;  // scripted answers, in order
  int answer = 1;           // given once the scripted answers run out; IDOK unless a test sets it
};

}  // namespace kestrune::testing
