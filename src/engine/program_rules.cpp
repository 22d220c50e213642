#include "engine/program_rules.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

#include "engine/process_names.h"

namespace kestrune {
namespace {

constexpr std::wstring_view kFrontWords[] = {L"auto", L"high", L"realtime", L"off"};
constexpr std::wstring_view kBehindWords[] = {L"auto", L"free", L"low"};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u3000'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameWord(std::wstring_view a, std::wstring_view b) {
  const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](wchar_t x, wchar_t y) {
           return lower(x) == lower(y);
         });
}

// The choice a word names, by its place in the list of words; the first ("auto") for any other.
template <typename Choice, std::size_t N>
Choice ChoiceOfWord(std::wstring_view word, const std::wstring_view (&words)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (SameWord(Trim(word), words[i])) return static_cast<Choice>(i);
  return static_cast<Choice>(0);
}

// Whether a [Rules] line can carry the name as its key: the profile functions split a line at its
// first '=' and read a line that starts with ';' as a comment and one with '[' as a section.
bool FitsAsKey(std::wstring_view name) {
  return name.find(L'=') == std::wstring_view::npos && name.front() != L';' && name.front() != L'[';
}

// Whether the rule has a choice Exclude does not tell: Exclude tells "off" in front, and "auto" is
// what a program without a rule gets.
bool NeedsLine(FrontChoice front, BehindChoice behind) {
  return behind != BehindChoice::Auto || (front != FrontChoice::Off && front != FrontChoice::Auto);
}

// The line of a rule that needs one: "off" in front is Exclude's to tell, never the line's.
std::wstring LineValue(FrontChoice front, BehindChoice behind) {
  return ValueOfChoices(front == FrontChoice::Off ? FrontChoice::Auto : front, behind);
}

}  // namespace

std::pair<FrontChoice, BehindChoice> ChoicesOfValue(std::wstring_view value) {
  const std::size_t comma = value.find(L',');
  const std::wstring_view front = value.substr(0, comma);
  std::wstring_view behind = comma == std::wstring_view::npos ? std::wstring_view() : value.substr(comma + 1);
  // A third word, as a later version might add, is not this version's to read.
  behind = behind.substr(0, behind.find(L','));
  return {ChoiceOfWord<FrontChoice>(front, kFrontWords), ChoiceOfWord<BehindChoice>(behind, kBehindWords)};
}

std::wstring ValueOfChoices(FrontChoice front, BehindChoice behind) {
  return std::wstring(kFrontWords[static_cast<std::size_t>(front)]) + L"," +
         std::wstring(kBehindWords[static_cast<std::size_t>(behind)]);
}

ProgramRules ProgramRules::FromStored(std::wstring_view exclude, const std::vector<ProfileEntry>& lines) {
  ProgramRules rules;
  const ExcludeList excluded = ExcludeList::Parse(exclude);
  for (const std::wstring& name : excluded.Names())
    rules.rules_.push_back({name, FrontChoice::Off, BehindChoice::Auto});
  // Built with a map of its own: a file may hold any number of lines, each looked up once.
  std::unordered_multimap<std::uint64_t, std::uint32_t> places;
  for (std::uint32_t i = 0; i < rules.rules_.size(); ++i) places.emplace(ProgramNameHash(rules.rules_[i].name), i);
  std::vector<bool> fromLine(rules.rules_.size(), false);
  for (const ProfileEntry& line : lines) {
    const std::wstring_view name = ProgramNameOfEntry(line.key);
    if (name.empty()) continue;
    const auto [front, behind] = ChoicesOfValue(line.value);
    const std::uint64_t hash = ProgramNameHash(name);
    const auto [first, last] = places.equal_range(hash);
    const auto same = std::find_if(first, last, [&](const auto& at) { return SameProgramName(rules.rules_[at.second].name, name); });
    if (same == last) {
      places.emplace(hash, static_cast<std::uint32_t>(rules.rules_.size()));
      rules.rules_.push_back({std::wstring(name), front, behind});
      fromLine.push_back(true);
    } else if (!fromLine[same->second]) {
      // Listed in Exclude: left alone in front whatever the line says; the line says the rest.
      rules.rules_[same->second].behind = behind;
      fromLine[same->second] = true;
    }
  }
  rules.Index();
  return rules;
}

StoredRules ProgramRules::Stored() const {
  StoredRules stored;
  for (const ProgramRule& rule : rules_) {
    if (rule.front == FrontChoice::Off) {
      if (!stored.exclude.empty()) stored.exclude += L'|';
      stored.exclude += rule.name;
    }
    if (NeedsLine(rule.front, rule.behind)) stored.lines.push_back({rule.name, LineValue(rule.front, rule.behind)});
  }
  return stored;
}

std::optional<std::wstring> ProgramRules::LineOf(std::wstring_view name) const {
  const ProgramRule* rule = Find(name);
  if (rule == nullptr || !NeedsLine(rule->front, rule->behind)) return std::nullopt;
  return LineValue(rule->front, rule->behind);
}

std::optional<std::size_t> ProgramRules::PlaceOf(std::wstring_view name) const {
  if (name.empty() || index_.empty()) return std::nullopt;
  const std::uint64_t hash = ProgramNameHash(name);
  auto it = std::lower_bound(index_.begin(), index_.end(), std::pair(hash, std::uint32_t{0}));
  for (; it != index_.end() && it->first == hash; ++it)
    if (SameProgramName(rules_[it->second].name, name)) return it->second;
  return std::nullopt;
}

const ProgramRule* ProgramRules::Find(std::wstring_view executable) const {
  const std::optional<std::size_t> place = PlaceOf(FileNameOf(executable));
  return place ? &rules_[*place] : nullptr;
}

bool ProgramRules::Set(std::wstring_view name, FrontChoice front, BehindChoice behind) {
  const std::wstring_view clean = ProgramNameOfEntry(name);
  if (clean.empty() || (NeedsLine(front, behind) && !FitsAsKey(clean))) return false;
  if (const std::optional<std::size_t> place = PlaceOf(clean)) {
    rules_[*place].front = front;
    rules_[*place].behind = behind;
  } else {
    rules_.push_back({std::wstring(clean), front, behind});
  }
  Index();
  return true;
}

bool ProgramRules::Remove(std::wstring_view name) {
  const std::optional<std::size_t> place = PlaceOf(FileNameOf(name));
  if (!place) return false;
  rules_.erase(rules_.begin() + static_cast<std::ptrdiff_t>(*place));
  Index();
  return true;
}

ExcludeList ProgramRules::Excluded() const {
  ExcludeList list;
  for (const ProgramRule& rule : rules_)
    if (rule.front == FrontChoice::Off) list.Add(rule.name);
  return list;
}

void ProgramRules::Index() {
  index_.clear();
  anyKeptLow_ = false;
  for (std::uint32_t i = 0; i < rules_.size(); ++i) {
    index_.emplace_back(ProgramNameHash(rules_[i].name), i);
    anyKeptLow_ = anyKeptLow_ || rules_[i].behind == BehindChoice::Low;
  }
  std::sort(index_.begin(), index_.end());
}

}  // namespace kestrune
