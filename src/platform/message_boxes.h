#pragma once
// Modal message boxes, as the form and the history show them.
#include <string_view>

namespace kestrune {

namespace mb {
constexpr unsigned kOk = 0x0;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconExclamation = 0x30;
constexpr int kIdYes = 6;
}  // namespace mb

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and gives back the button the user chose (mb::kIdYes, ...).
  virtual int Show(std::wstring_view text, std::wstring_view title, unsigned flags) = 0;
};

}  // namespace kestrune
