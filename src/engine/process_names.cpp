#include "engine/process_names.h"

#include <algorithm>

#include "engine/exclude_list.h"

namespace kestrune {

std::wstring ExecutableNameOf(ProcessApi& api, ProcessId process) {
  if (process == 0) return {};
  const ProcessApi::Handle handle = api.OpenProcess(access::kQueryLimited, process);
  if (handle == 0) return {};
  const std::wstring path = api.ExecutablePath(handle);
  api.CloseHandle(handle);
  return std::wstring(FileNameOf(path));
}

namespace {

// A run of lower-case letters and how far below them their capitals lie. step 2: only every other
// code point from first on is a lower-case letter (the alternating pairs of the Latin and Cyrillic
// extensions, capital first).
struct CaseRun {
  char32_t first, last;
  char32_t offset;
  char32_t step;
};

constexpr CaseRun kRuns[] = {
    {0x00E0, 0x00F6, 0x20, 1},  {0x00F8, 0x00FE, 0x20, 1},
    {0x0101, 0x012F, 1, 2},     {0x0133, 0x0137, 1, 2},     {0x013A, 0x0148, 1, 2},
    {0x014B, 0x0177, 1, 2},     {0x017A, 0x017E, 1, 2},     {0x01CE, 0x01DC, 1, 2},
    {0x01DF, 0x01EF, 1, 2},     {0x01F9, 0x021F, 1, 2},     {0x0223, 0x0233, 1, 2},
    {0x03AD, 0x03AF, 0x25, 1},  {0x03B1, 0x03C1, 0x20, 1},  {0x03C3, 0x03CB, 0x20, 1},
    {0x03CD, 0x03CE, 0x3F, 1},  {0x03D9, 0x03EF, 1, 2},     {0x0430, 0x044F, 0x20, 1},
    {0x0450, 0x045F, 0x50, 1},  {0x0461, 0x0481, 1, 2},     {0x048B, 0x04BF, 1, 2},
    {0x04C2, 0x04CE, 1, 2},     {0x04D1, 0x052F, 1, 2},     {0x0561, 0x0586, 0x30, 1},
    {0x1E01, 0x1E95, 1, 2},     {0x1EA1, 0x1EFF, 1, 2},     {0x2170, 0x217F, 0x10, 1},
    {0x24D0, 0x24E9, 0x1A, 1},  {0xFF41, 0xFF5A, 0x20, 1},
};

// Lower-case letters whose capitals lie elsewhere.
struct CasePair {
  char32_t lower, upper;
};
constexpr CasePair kPairs[] = {
    {0x00B5, 0x039C}, {0x00FF, 0x0178}, {0x0131, 0x0049}, {0x017F, 0x0053}, {0x03AC, 0x0386},
    {0x03C2, 0x03A3}, {0x03CC, 0x038C}, {0x04CF, 0x04C0},
};

}  // namespace

wchar_t FoldedForNames(wchar_t c) {
  const auto code = static_cast<char32_t>(c);
  if (code < 0x80) return code >= 0x61 && code <= 0x7A ? static_cast<wchar_t>(code - 0x20) : c;
  for (const CaseRun& run : kRuns) {
    if (code < run.first) break;
    if (code <= run.last && (code - run.first) % run.step == 0) return static_cast<wchar_t>(code - run.offset);
  }
  for (const CasePair& pair : kPairs)
    if (code == pair.lower) return static_cast<wchar_t>(pair.upper);
  return c;
}

bool SameProgramName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return x == y || FoldedForNames(x) == FoldedForNames(y);
         });
}

std::uint64_t ProgramNameHash(std::wstring_view name) {
  // FNV-1a over the folded characters.
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const wchar_t c : name) {
    hash ^= static_cast<std::uint64_t>(static_cast<char32_t>(FoldedForNames(c)));
    hash *= 0x100000001b3ull;
  }
  return hash;
}

}  // namespace kestrune
