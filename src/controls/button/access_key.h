#pragma once
// The access key a button caption marks with "&" ("&&" is a literal ampersand).
#include <optional>
#include <string_view>

namespace kestrune::button {

// The marked character in lower case, or nothing. Only the first "&" and, when it starts a literal
// "&&", one more "&" after that pair are considered: "E&xit" -> 'x', "&&&B" -> 'b', "Tom && Jerry" -> none.
std::optional<wchar_t> AccessKeyOf(std::wstring_view caption);

}  // namespace kestrune::button
