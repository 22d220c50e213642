#pragma once
// What a stored text means for its control, and what a control's state stores: the rules of the
// settings file as values in and values out.
#include <string>
#include <string_view>

#include "vocabulary/speed_level.h"

namespace kestrune {

// The history's maximums the record count's list offers, in the order the list shows them.
inline constexpr int kRecordCounts[] = {50, 100, 200, 300};

// The maximum chosen when the file holds none of them (or no RecordCount at all): the smallest and
// first, so a damaged file can never make the history grow large.
inline constexpr int kFallbackRecordCount = 50;

// The leading number of text, read leniently: optional blanks, an optional sign, digits and an
// optional decimal fraction; whatever follows is ignored. Text without a leading number is 0.
// A number too large for a double gives an infinity of its sign.
double ParseLeadingNumber(std::string_view text);

// A flag setting is on exactly when its number is 1 ("1", "01", "1.0", "1abc"; not "2", "-1", "on", "").
bool FlagFromStored(std::string_view stored);
// "1" for on, "0" for off.
std::string_view StoredFlag(bool on);

// 1 is the normal level; anything else the extreme one.
SpeedLevel SpeedLevelFromStored(std::string_view stored);
// "1" for the normal level, "2" for any other.
std::string_view StoredSpeedLevel(SpeedLevel level);

// The maximum equal to the stored number ("0300.000" is 300); the fallback when none is.
int RecordCountFromStored(std::string_view stored);
// The maximum in decimal, as the file holds it.
std::string StoredRecordCount(int count);

}  // namespace kestrune
