#pragma once
// A byte count as the monitor's FormatFilesize shows it: "#,##0 B" up to 1024 bytes, then whole
// kilobytes "###,###,##0 K", then megabytes and gigabytes with two decimals ("1.43 MB", "3.00 GB").
// The separators are the user's locale's; halves round to the even neighbour.
#include <string>

namespace kestrune::monitor {

std::wstring FormatFileSize(double bytes, wchar_t thousands, wchar_t decimal);

}  // namespace kestrune::monitor
