#pragma once
// What a stored text means for its control, and what a control's state stores: the rules of the
// settings file as values in and values out.
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "vocabulary/speed_level.h"

namespace kestrune {

// The maximum record counts ComboRecordCount offers, in the order the list shows them.
inline constexpr std::wstring_view kRecordCountItems[] = {L"50", L"100", L"200", L"300"};

// The maximum chosen when the file holds none of the items (or no RecordCount at all): the
// smallest and first item, so a damaged file can never make the history grow large.
inline constexpr std::wstring_view kFallbackRecordCount = L"50";

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

// The item whose text is the stored number in its shortest decimal form; the fallback item when
// no item has that text.
std::wstring RecordCountFromStored(std::string_view stored, const CodePage& codePage);
// The item's text as the file holds it.
std::string StoredRecordCount(std::wstring_view item, const CodePage& codePage);

}  // namespace kestrune
