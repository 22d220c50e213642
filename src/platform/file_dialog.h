#pragma once
// The file dialog in which the user names a file, behind an interface so that saving can be tested.
#include <string>
#include <string_view>

#include "platform/texts.h"

namespace kestrune {

struct FileDialogOptions {
  std::wstring filter;            // "description|pattern|description|pattern..."
  std::wstring fileName;          // initial file name
  std::wstring defaultExtension;  // empty: a typed name is taken as it is
  bool fileMustExist = false;     // false: the name of a file that does not exist yet may be typed
};

struct FileDialogResult {
  bool ok = false;
  std::wstring fileName;  // the full path chosen, when ok
  std::wstring error;     // why not, when !ok; cancelling is a failure with its own description
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  virtual FileDialogResult Show(const FileDialogOptions& options) = 0;
};

// The descriptions a failed dialog reports; the user sees them in the save's failure box.
inline std::wstring_view DialogCancelled() { return UiText(TextId::DialogCancelled); }
inline std::wstring_view DialogFailed() { return UiText(TextId::DialogFailed); }
inline std::wstring_view DialogNameTooLong() { return UiText(TextId::DialogNameTooLong); }

// The filter as the platform's dialog wants it: every '|' becomes a NUL and the list ends in two NULs.
std::wstring DialogFilterList(std::wstring_view filter);

}  // namespace kestrune
