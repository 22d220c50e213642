#pragma once
// What the user decided for one program, by its executable's name: how acceleration treats it in
// front and how it is treated behind. Kept in kestrune.ini as the [Rules] section, one key per
// program ("encoder.exe=high,free"), beside the Exclude key, which stays the home of the programs
// left alone in front so that a file moves between versions in both directions without losing them:
// such a program's line tells only its choice behind ("game.exe=auto,low"), so that an older version,
// which knows Exclude alone, takes it out of Exclude for good.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/exclude_list.h"
#include "platform/profile.h"

namespace kestrune {

// In front: the general setting ("auto"), 普通加速 ("high"), 極限加速 ("realtime"), or left alone
// ("off": 加速しない, the exclusion of old).
enum class FrontChoice : std::uint8_t { Auto, High, Realtime, Off };
// Behind: as the restraint decides ("auto"), never restrained ("free": 抑えない), or kept at the
// below-normal class while behind, busy machine or not ("low": 常に低く).
enum class BehindChoice : std::uint8_t { Auto, Free, Low };

struct ProgramRule {
  std::wstring name;  // the executable's file name, as first given
  FrontChoice front = FrontChoice::Auto;
  BehindChoice behind = BehindChoice::Auto;
  friend bool operator==(const ProgramRule&, const ProgramRule&) = default;
};

// The two words of a [Rules] value, "front,behind", each compared without regard to case and with
// blanks around it ignored; a missing or unknown word counts as "auto".
std::pair<FrontChoice, BehindChoice> ChoicesOfValue(std::wstring_view value);
// The value written for the two choices, in lower case: "high,free".
std::wstring ValueOfChoices(FrontChoice front, BehindChoice behind);

// What the file holds of the rules: the Exclude key's text and the [Rules] section's lines.
struct StoredRules {
  std::wstring exclude;
  std::vector<ProfileEntry> lines;
};

class ProgramRules {
 public:
  ProgramRules() = default;
  // Every name in Exclude is left alone in front; a [Rules] line names a program's two choices. A
  // program in both is left alone in front (an older version may have added it to Exclude since)
  // and takes its behind choice from its line; a line that says "off" of a program Exclude does not
  // name (written by hand) leaves it alone too. A line whose name no file may have is passed over,
  // and so is a second line for the same program in any case, as the profile functions read only
  // the first.
  static ProgramRules FromStored(std::wstring_view exclude, const std::vector<ProfileEntry>& lines);
  // Every program left alone in front goes to Exclude, in the rules' order; every rule with a choice
  // Exclude does not tell has its line.
  StoredRules Stored() const;
  // The [Rules] value this program's rule needs: none when it has no rule or no choice but what
  // Exclude tells ("off" with "auto", or both "auto"); "auto" in front for a program left alone there,
  // which Exclude tells.
  std::optional<std::wstring> LineOf(std::wstring_view name) const;

  // The rule of a process with this executable (a path or a bare name); null when it has none.
  // Names compare as file names do (SameProgramName).
  const ProgramRule* Find(std::wstring_view executable) const;

  // Gives the program these choices, adding its rule where it had none. Both "auto" keep the rule,
  // which then needs no line, so that the list keeps its row until the next start. False, and
  // nothing changed, for a name no file may have, or one no [Rules] key can hold ('=' in it, or ';'
  // or '[' first) when its rule needs a line.
  bool Set(std::wstring_view name, FrontChoice front, BehindChoice behind);
  // Takes the program's rule away; false when it had none.
  bool Remove(std::wstring_view name);

  const std::vector<ProgramRule>& All() const { return rules_; }
  bool Empty() const { return rules_.empty(); }
  // Whether any program is to be kept low behind: only then must every reading be looked through.
  bool AnyKeptLow() const { return anyKeptLow_; }
  // The programs left alone in front, in the rules' order: what the Exclude key holds.
  ExcludeList Excluded() const;

  friend bool operator==(const ProgramRules& a, const ProgramRules& b) { return a.rules_ == b.rules_; }

 private:
  // Where the rule of a program of this file name lies in rules_; none when it has none.
  std::optional<std::size_t> PlaceOf(std::wstring_view name) const;
  void Index();

  std::vector<ProgramRule> rules_;
  // Each rule's name hash (ProgramNameHash) with its place, sorted: a lookup per process costs one
  // hash and a binary search, however many rules there are.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> index_;
  bool anyKeptLow_ = false;
};

}  // namespace kestrune
