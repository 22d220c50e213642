#pragma once
// The two speed levels, identified everywhere by the item texts of ComboSpeed.
#include <string_view>

namespace kestrune {

inline constexpr std::wstring_view kSpeedNormal = L"普通加速";   // raises to the high class; stored as 1
inline constexpr std::wstring_view kSpeedExtreme = L"極限加速";  // raises to the real-time class; stored as 2

}  // namespace kestrune
