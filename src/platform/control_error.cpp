#include "platform/control_error.h"

namespace kestrune {

std::string DescribeControlError(int number) {
  switch (number) {
    case errnum::kSubscriptOutOfRange: return "Subscript out of range";
    case errnum::kInvalidPropertyValue: return "Invalid property value";
    case errnum::kSetNotSupportedAtRuntime: return "Set not supported at runtime";
    case errnum::kSetNotPermitted: return "Set not permitted";
    default: return "Application-defined or object-defined error";
  }
}

}  // namespace kestrune
