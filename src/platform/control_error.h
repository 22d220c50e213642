#pragma once
// The numbered errors the own controls raise for invalid property values.
#include <stdexcept>
#include <string>

namespace kestrune {

namespace errnum {
constexpr int kSubscriptOutOfRange = 9;
constexpr int kInvalidPropertyValue = 380;
constexpr int kSetNotSupportedAtRuntime = 382;
constexpr int kSetNotPermitted = 387;
}  // namespace errnum

class ControlError : public std::runtime_error {
 public:
  ControlError(int number, std::string description, std::string source = {})
      : std::runtime_error(description), number_(number), description_(std::move(description)),
        source_(std::move(source)) {}

  int Number() const { return number_; }
  const std::string& Description() const { return description_; }
  const std::string& Source() const { return source_; }

  // The same error raised again under another source (number and description kept).
  ControlError WithSource(std::string source) const { return ControlError(number_, description_, std::move(source)); }

 private:
  int number_;
  std::string description_;
  std::string source_;
};

// The standard descriptions for the numbers above.
std::string DescribeControlError(int number);
inline ControlError MakeControlError(int number, std::string source = {}) {
  return ControlError(number, DescribeControlError(number), std::move(source));
}

}  // namespace kestrune
