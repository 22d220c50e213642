#pragma once
// The programs acceleration leaves alone, by executable file name. The stored form is the names
// separated by "|"; it is read leniently and written back in one normal form.
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

// The file name of a path: what follows its last "\", "/" or drive colon.
std::wstring_view FileNameOf(std::wstring_view path);

// One entry as the user or the file gives it, reduced to a file name: blanks around it and a path
// before it go; empty for "." and "..", and for a name with a character no file name may hold.
std::wstring_view ProgramNameOfEntry(std::wstring_view entry);

class ExcludeList {
 public:
  ExcludeList() = default;
  // Blanks around names and empty entries are ignored; a path counts as its file name (a user who
  // pastes a full path means that program, and the process is matched by its name only); a name
  // with a character no file name may hold is dropped, as is a repeat of an earlier name.
  static ExcludeList Parse(std::wstring_view stored);

  // The names joined by "|" without blanks: what the settings file holds.
  std::wstring Stored() const;
  const std::vector<std::wstring>& Names() const { return names_; }
  bool Empty() const { return names_.empty(); }

  // Whether a process with this executable (a path or a bare name) is in the list. Names compare
  // without regard to case, as file names do (SameProgramName).
  bool Contains(std::wstring_view executable) const;

  // Adds a name the user typed or picked (read like one stored entry); false when it is not a
  // usable name or is already listed.
  bool Add(std::wstring_view name);

 private:
  std::vector<std::wstring> names_;
};

}  // namespace kestrune
