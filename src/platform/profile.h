#pragma once
// Private-profile (ini) file access, bound to one file.
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrune {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // As GetPrivateProfileStringA with an empty default: the value's bytes, at most bufferBytes - 1;
  // empty when the file, section or key is missing.
  virtual std::string Read(std::string_view section, std::string_view key, std::size_t bufferBytes) = 0;
  // As WritePrivateProfileStringA: true on success.
  virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace kestrune
