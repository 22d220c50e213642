#pragma once
#include <string>

#include "platform/profile.h"

namespace kestrune {

// kestrune.ini through the ANSI private-profile functions; the path is given in the ANSI code page.
class Win32ProfileStore : public ProfileStore {
 public:
  explicit Win32ProfileStore(std::string iniPathAnsi) : path_(std::move(iniPathAnsi)) {}
  std::string Read(std::string_view section, std::string_view key, std::size_t bufferBytes) override;
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  std::string path_;
};

}  // namespace kestrune
