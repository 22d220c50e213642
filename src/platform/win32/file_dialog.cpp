#include "platform/win32/file_dialog.h"

#include <windows.h>
#include <commdlg.h>
#include <cderr.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/open_file_dialog.h"

namespace kestrune {

namespace {

// Room for long paths; the dialog reports FNERR_BUFFERTOOSMALL beyond it.
constexpr DWORD kFileBufferChars = 32768;

}  // namespace

FileDialogResult Win32FileDialog::Show(const FileDialogOptions& options) {
  const std::wstring filter = DialogFilterList(options.filter);
  std::vector<wchar_t> file(kFileBufferChars, L'\0');
  options.fileName.copy(file.data(), std::min<std::size_t>(options.fileName.size(), file.size() - 1));

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = ToHwnd(owner_);
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = kFileBufferChars;
  ofn.lpstrDefExt = options.defaultExtension.empty() ? nullptr : options.defaultExtension.c_str();
  // OFN_NOCHANGEDIR: browsing must not move the process's current directory.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (options.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;

  FileDialogResult result;
  DWORD error = 0;
  if (ShowOpenFileDialog(ofn, error)) {
    result.ok = true;
    result.fileName = file.data();
    return result;
  }
  if (error == 0)
    result.error = DialogCancelled();
  else if (error == FNERR_BUFFERTOOSMALL)
    result.error = DialogNameTooLong();
  else {
    wchar_t code[24] = {};
    std::swprintf(code, sizeof code / sizeof code[0], L" (0x%04lX)", static_cast<unsigned long>(error));
    result.error = std::wstring(DialogFailed()) + code;
  }
  return result;
}

}  // namespace kestrune
