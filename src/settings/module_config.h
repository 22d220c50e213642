#pragma once
// The seven settings in kestrune.ini, one read and one write routine each. Values are the file's
// ANSI bytes; turning them into control states is the loader's business.
#include <string>
#include <string_view>

#include "platform/profile.h"

namespace kestrune {

// The leading number of text, read leniently: optional blanks, an optional sign, digits and an
// optional decimal fraction; whatever follows is ignored. Text without a leading number is 0.
// A number too large for a double gives an infinity of its sign.
double ParseLeadingNumber(std::string_view text);

// A flag setting is on exactly when its number is 1 ("1", "01", "1.0", "1abc"; not "2", "-1", "on", "").
bool IsSettingOn(std::string_view text);

// The shortest decimal text of a number as the combo items spell it: 100.0 gives "100", 2.5 gives "2.5".
std::string ShortestDecimal(double value);

class ModuleConfig {
 public:
  // GetPrivateProfileString is given a 255-byte buffer, so a value reads as at most 254 bytes.
  static constexpr std::size_t kReadBufferBytes = 255;

  explicit ModuleConfig(ProfileStore& store) : store_(store) {}

  std::string ReadAutoRun() { return Read("Normal", "AutoRun"); }
  bool WriteAutoRun(std::string_view value) { return store_.Write("Normal", "AutoRun", value); }
  std::string ReadAutoMin() { return Read("Normal", "AutoMin"); }
  bool WriteAutoMin(std::string_view value) { return store_.Write("Normal", "AutoMin", value); }
  std::string ReadSpeedLevel() { return Read("Speed", "SpeedLevel"); }
  bool WriteSpeedLevel(std::string_view value) { return store_.Write("Speed", "SpeedLevel", value); }
  std::string ReadEnableRecord() { return Read("Record", "EnableRecord"); }
  bool WriteEnableRecord(std::string_view value) { return store_.Write("Record", "EnableRecord", value); }
  std::string ReadRecordCount() { return Read("Record", "RecordCount"); }
  bool WriteRecordCount(std::string_view value) { return store_.Write("Record", "RecordCount", value); }
  std::string ReadEnableSpeed() { return Read("Normal", "EnableSpeed"); }
  bool WriteEnableSpeed(std::string_view value) { return store_.Write("Normal", "EnableSpeed", value); }
  std::string ReadAlwaysTop() { return Read("Normal", "AlwaysTop"); }
  bool WriteAlwaysTop(std::string_view value) { return store_.Write("Normal", "AlwaysTop", value); }

 private:
  std::string Read(std::string_view section, std::string_view key);

  ProfileStore& store_;
};

}  // namespace kestrune
