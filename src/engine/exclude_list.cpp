#include "engine/exclude_list.h"

#include <algorithm>

#include "engine/process_names.h"

namespace kestrune {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u3000'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Characters a Windows file name cannot hold (the separators are gone by now).
bool Forbidden(wchar_t c) { return c < 0x20 || std::wstring_view(L"<>\"*?|").find(c) != std::wstring_view::npos; }

}  // namespace

std::wstring_view ProgramNameOfEntry(std::wstring_view entry) {
  std::wstring_view name = Trim(FileNameOf(Trim(entry)));
  if (name == L"." || name == L"..") return {};
  if (std::any_of(name.begin(), name.end(), Forbidden)) return {};
  return name;
}

std::wstring_view FileNameOf(std::wstring_view path) {
  // One pass from the end: every process of every reading goes through here.
  std::size_t start = path.size();
  while (start > 0 && path[start - 1] != L'\\' && path[start - 1] != L'/' && path[start - 1] != L':') --start;
  return path.substr(start);
}

ExcludeList ExcludeList::Parse(std::wstring_view stored) {
  ExcludeList list;
  while (true) {
    const std::size_t bar = stored.find(L'|');
    list.Add(stored.substr(0, bar));
    if (bar == std::wstring_view::npos) break;
    stored.remove_prefix(bar + 1);
  }
  return list;
}

std::wstring ExcludeList::Stored() const {
  std::wstring text;
  for (const std::wstring& name : names_) {
    if (!text.empty()) text += L'|';
    text += name;
  }
  return text;
}

bool ExcludeList::Contains(std::wstring_view executable) const {
  const std::wstring_view name = FileNameOf(executable);
  if (name.empty()) return false;
  return std::any_of(names_.begin(), names_.end(), [&](const std::wstring& n) { return SameProgramName(n, name); });
}

bool ExcludeList::Add(std::wstring_view name) {
  const std::wstring_view clean = ProgramNameOfEntry(name);
  if (clean.empty() || Contains(clean)) return false;
  names_.emplace_back(clean);
  return true;
}

}  // namespace kestrune
